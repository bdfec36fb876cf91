// Path services on POSIX systems: the canonical path (realpath) stands in for the Win32 full and
// long path names.
#include "P_FileSystem.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {
namespace {

bool canonical(const char* path, std::string& result)
{
    char* resolved = realpath(path, nullptr);
    if (!resolved)
        return false;
    result = resolved;
    std::free(resolved);
    return true;
}

} // namespace

std::string currentDirectory()
{
    char* directory = getcwd(nullptr, 0);
    if (!directory)
        return "";
    std::string result = directory;
    std::free(directory);
    return result;
}

bool absolutePath(const std::string& path, std::string& result)
{
    return canonical(path.c_str(), result);
}

std::uint32_t longPathName(const char* path, char* buffer, std::uint32_t size)
{
    std::string resolved;
    if (!path || !canonical(path, resolved))
        return 0;
    const auto length = static_cast<std::uint32_t>(resolved.size());
    if (!buffer || length + 1 > size)
        return length + 1;
    std::memcpy(buffer, resolved.c_str(), length + 1);
    return length;
}

bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool isDirectory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isRegularFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isReadable(const std::string& path)
{
    return access(path.c_str(), R_OK) == 0;
}

bool removeFile(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

} // namespace platform::fs
