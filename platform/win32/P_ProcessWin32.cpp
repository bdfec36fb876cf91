// Process id and temporary file names on Win32.
#include "P_Process.h"

#include "P_FileSystem.h"
#include "TemporaryName.h"

#include <windows.h>

namespace platform {

unsigned long processId()
{
    return static_cast<unsigned long>(GetCurrentProcessId());
}

std::string temporaryFileName(const std::string& directory, const std::string& prefix)
{
    // _tempnam would be the obvious service, but it prefers the directory named by TMP to the one it
    // is given, so a directory that is missing or unusable would seem to give names, in another
    // directory. Names are made in the directory asked about, and only there.
    std::string base = directory;
    if (base.empty()) {
        char buffer[MAX_PATH + 1];
        const DWORD length = GetTempPathA(MAX_PATH + 1, buffer);
        if (length == 0 || length > MAX_PATH)
            return "";
        base.assign(buffer, length);
    }
    if (!fs::isDirectory(base))
        return "";
    return newNameInDirectory(base, prefix);
}

} // namespace platform
