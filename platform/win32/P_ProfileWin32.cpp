// The private-profile lookup on Win32: GetPrivateProfileStringA.
#include "P_Profile.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string profileDirectory()
{
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return "";
    return std::string(buffer, length);
}

std::string privateProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, const std::string& fileName,
                                 unsigned bufferSize)
{
    if (bufferSize == 0)
        return "";
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                  buffer.data(), bufferSize, fileName.c_str());
    return std::string(buffer.data(), length);
}

} // namespace platform
