// On Windows a Windows path is its own host path; deletion honours the read-only attribute.
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
    std::ofstream out(std::filesystem::u8path(windowsPath), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace platform

#endif
