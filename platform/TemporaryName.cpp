// New file names in a directory: a counter and the clock make the names of one process distinct,
// names of existing files are skipped.
#include "TemporaryName.h"

#include "P_FileSystem.h"

#include <chrono>

namespace platform {

std::string newNameInDirectory(const std::string& directory, const std::string& prefix)
{
    std::string base = directory;
    if (base.empty() || (base.back() != '/' && base.back() != '\\'))
        base += '/';
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
