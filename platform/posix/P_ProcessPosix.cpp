// Process id and temporary file names on POSIX systems.
#include "P_Process.h"

#include "P_FileSystem.h"
#include "TemporaryName.h"

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
    return newNameInDirectory(base, prefix);
}

} // namespace platform
