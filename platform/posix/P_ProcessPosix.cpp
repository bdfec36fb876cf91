// Process id and temporary file names on POSIX systems.
#include "P_Process.h"

#include "P_FileSystem.h"

#include <chrono>
#include <cstdlib>
#include <unistd.h>

namespace platform {

unsigned long processId()
{
    return static_cast<unsigned long>(getpid());
}

std::string temporaryFileName(const std::string& directory, const std::string& prefix)
{
    std::string base = directory;
    if (base.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        if (!tmp || !*tmp)
            tmp = std::getenv("TMP");
        base = tmp && *tmp ? tmp : "/tmp";
    }
    if (!fs::isDirectory(base))
        return "";
    if (base.back() != '/')
        base += '/';

    // A counter and the clock make the names of one process distinct; existing files are skipped.
    static unsigned long counter = 0;
    const auto seed = static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const unsigned long number = (seed + ++counter * 7919UL) % 0x1000000UL;
        static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
        std::string suffix;
        for (unsigned long n = number, i = 0; i < 5; ++i, n /= 36)
            suffix += digits[n % 36];
        const std::string candidate = base + prefix + suffix;
        if (!fs::exists(candidate))
            return candidate;
    }
    return "";
}

} // namespace platform
