// File operations on Windows paths that need nothing of the host beyond the path mapping.
#include "WindowsPathMap.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {
fs::path mapped(const std::string& windowsPath) { return fs::u8path(hostPathOf(windowsPath)); }
} // namespace

bool windowsPathExists(const std::string& windowsPath)
{
    if (windowsPath.empty())
        return false;
    std::error_code ec;
    return fs::exists(mapped(windowsPath), ec);
}

bool isWindowsFile(const std::string& windowsPath)
{
    if (windowsPath.empty())
        return false;
    std::error_code ec;
    return fs::is_regular_file(mapped(windowsPath), ec);
}

bool readWindowsFile(const std::string& windowsPath, std::string& bytes)
{
    bytes.clear();
    if (!isWindowsFile(windowsPath))
        return false;
    std::ifstream in(mapped(windowsPath), std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool makeWindowsDirectories(const std::string& windowsPath)
{
    const fs::path dir = mapped(windowsPath);
    std::error_code ec;
    fs::create_directories(dir, ec);
    return fs::is_directory(dir, ec);
}

} // namespace platform
