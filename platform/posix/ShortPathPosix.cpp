// Short path names on a host without them: an existing path is its own short form.
#include "ShortPath.h"

#include "WindowsPathMap.h"

namespace platform {

bool shortPathName(const std::string& path, std::string& shortPath)
{
    if (!windowsPathExists(path))
        return false;
    shortPath = path;
    for (char& c : shortPath) {
        if (c == '/')
            c = '\\';
    }
    return true;
}

} // namespace platform
