// Process id and temporary file names on Win32.
#include "P_Process.h"

#include "P_FileSystem.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

unsigned long processId()
{
    return static_cast<unsigned long>(GetCurrentProcessId());
}

std::string temporaryFileName(const std::string& directory, const std::string& prefix)
{
    if (!directory.empty() && !fs::isDirectory(directory))
        return "";
    char* name = _tempnam(directory.empty() ? nullptr : directory.c_str(), prefix.c_str());
    if (!name)
        return "";
    std::string result = name;
    std::free(name);
    return result;
}

} // namespace platform
