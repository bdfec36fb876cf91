// On Windows a Windows path is its own host path; deletion and writing honour the read-only attribute.
#ifdef _WIN32

#include "WindowsPathMap.h"

#include "Win32Utf16.h"

#include <filesystem>
#include <fstream>

namespace platform {

std::string hostPathOf(const std::string& windowsPath) { return windowsPath; }

bool removeWindowsFile(const std::string& windowsPath)
{
    return DeleteFileW(win32::toWide(windowsPath).c_str()) != 0;
}

bool writeWindowsFile(const std::string& windowsPath, const std::string& bytes)
{
    if (windowsPath.empty())
        return false;
    // Windows refuses to open a read-only file for writing to every user; Wine running as root opens
    // it all the same. The attribute is looked at first, so the file stays as it is either way.
    const DWORD attributes = GetFileAttributesW(win32::toWide(windowsPath).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    std::ofstream out(std::filesystem::u8path(windowsPath), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace platform

#endif
