// Path-name functions on "/"-separated texts; platform queries go through the platform layer.
#include "U_PathNames.h"

#include "P_FileSystem.h"

#include <algorithm>

namespace {

bool hasDrivePrefix(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':';
}

// Lower-cases ASCII letters only: other bytes (lead bytes of Japanese text among them) stay as
// they are.
unsigned char lowerLetter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

} // namespace

std::string toForwardSlashes(const std::string& path)
{
    std::string result = path;
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

std::string currentDirectory()
{
    return toForwardSlashes(platform::fs::currentDirectory());
}

std::string baseName(const std::string& path)
{
    std::string trimmed = path;
    if (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    // The root alone is its own base name.
    if (trimmed == "/")
        return trimmed;
    const auto slash = trimmed.rfind('/');
    if (slash == std::string::npos)
        return trimmed;
    return trimmed.substr(slash + 1);
}

std::string dirName(const std::string& path)
{
    std::string work = path;
    if (work.size() == 2 && work[1] == ':')
        work += '/';
    if (!work.empty() && work.back() == '/' && !isRoot(work))
        work.pop_back();
    const auto slash = work.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 2 && hasDrivePrefix(work))
        return work.substr(0, 3);
    if (slash == 0)
        return "/";
    return work.substr(0, slash);
}

std::string stripExtension(const std::string& path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string::npos)
        return path;
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && dot < slash)
        return path;
    return path.substr(0, dot);
}

std::string baseNameNoExtension(const std::string& path)
{
    return stripExtension(baseName(path));
}

std::string addExtension(const std::string& path, const std::string& extension)
{
    std::string result = path;
    if (!extension.empty() && extension[0] != '.' && (result.empty() || result.back() != '.'))
        result += '.';
    result += extension;
    return result;
}

std::string joinPath(const std::string& directory, const std::string& name)
{
    if (name.empty())
        return directory;
    if (directory.empty() || directory == "." || directory == "./")
        return name;
    if (directory.back() == '/')
        return directory + name;
    return directory + "/" + name;
}

std::string fullPath(const std::string& path)
{
    std::string result = path;
    std::string absolute;
    if (!platform::fs::isDirectory(path)) {
        const std::string directory = dirName(path);
        if (!platform::fs::exists(directory))
            return path;
        if (platform::fs::absolutePath(directory, absolute))
            result = joinPath(toForwardSlashes(absolute), baseName(path));
    } else if (platform::fs::absolutePath(path, absolute)) {
        result = toForwardSlashes(absolute);
    }

    // The long-name form may be longer than the buffer: ask again with the size it reports.
    std::string buffer(260, '\0');
    auto length = longPathName(result.c_str(), buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length, '\0');
        length = longPathName(result.c_str(), buffer.data(), static_cast<std::uint32_t>(buffer.size()));
        if (length >= buffer.size())
            return result;
    }
    if (length == 0)
        return result;
    return toForwardSlashes(buffer.substr(0, length));
}

std::uint32_t longPathName(const char* path, char* buffer, std::uint32_t size)
{
    return platform::fs::longPathName(path, buffer, size);
}

std::string findInPathList(const std::string& list, const std::string& name)
{
    std::size_t start = 0;
    while (true) {
        const auto end = list.find(';', start);
        const std::string piece = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string candidate = joinPath(piece, name);
        if (fileReadable(candidate) && isRegularFile(candidate))
            return candidate;
        if (end == std::string::npos)
            return "";
        start = end + 1;
    }
}

bool isRoot(const std::string& path)
{
    return path == "/" || (path.size() == 3 && path[1] == ':');
}

bool containsSlash(const std::string& path)
{
    return path.find('/') != std::string::npos;
}

bool fileExists(const std::string& path)
{
    return platform::fs::exists(path);
}

bool fileReadable(const std::string& path)
{
    return platform::fs::isReadable(path);
}

bool isRegularFile(const std::string& path)
{
    return platform::fs::isRegularFile(path);
}

bool equalsIgnoreCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && compareIgnoreCase(a, b) == 0;
}

bool startsWithIgnoreCase(const std::string& prefix, const std::string& text)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lowerLetter(prefix[i]) != lowerLetter(text[i]))
            return false;
    }
    return true;
}

int compareIgnoreCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int difference = lowerLetter(a[i]) - lowerLetter(b[i]);
        if (difference != 0)
            return difference;
    }
    return 0;
}

bool lessIgnoreCase(const std::string& a, const std::string& b)
{
    return compareIgnoreCase(a, b) < 0;
}
