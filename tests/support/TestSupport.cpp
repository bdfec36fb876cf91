// Fixtures shared by the test suites: the parts that are the same on every platform.
#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

TempDir::~TempDir()
{
    std::error_code ignored;
    // Make everything writable again first: tests take permissions away to provoke failures.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

// Paths are UTF-8 text on every platform (on Windows as the configurator's platform layer takes them).
std::string readBytes(const std::string& path)
{
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    const auto file = std::filesystem::u8path(path);
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(path), ignored);
}

std::string builtProgram(const std::string& relativePath)
{
    return std::string(ZEMB_BINARY_DIR) + "/" + relativePath + kProgramSuffix;
}

std::string sourceFile(const std::string& relativePath)
{
    return std::string(ZEMB_SOURCE_DIR) + "/" + relativePath;
}

} // namespace testsupport
