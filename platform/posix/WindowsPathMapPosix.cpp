// Mapping of Windows paths to host paths (drive directories, case-insensitive names), and the file
// operations whose Windows behaviour the host has to be taught (read-only files).
#include "WindowsPathMap.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string folded(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

bool existsExactly(const std::string& hostPath)
{
    struct stat st;
    return ::lstat(hostPath.c_str(), &st) == 0;
}

// The entry of `dir` whose name equals `name` with case folded; the smallest such name so the
// answer does not depend on directory order. Empty when there is none.
std::string caseInsensitiveEntry(const std::string& dir, const std::string& name)
{
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? "/" : dir, ec);
    if (ec)
        return {};
    const std::string want = folded(name);
    std::string best;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const std::string entry = it->path().filename().string();
        if (folded(entry) == want && (best.empty() || entry < best))
            best = entry;
    }
    return best;
}

// True when the host file exists and lacks the owner's write permission: the host's form of the
// Windows read-only attribute, honoured even for a privileged user.
bool isReadOnlyFile(const std::string& hostPath)
{
    struct stat st;
    return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
}

} // namespace

std::string hostPathOf(const std::string& windowsPath)
{
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    std::string base;
    std::string rest = path;
    bool absolute = false;
    if (path.size() >= 2 && path[1] == ':'
        && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
        const char* drives = std::getenv("ZEMBRELCONF_DRIVES");
        base = drives ? drives : "";
        while (base.size() > 1 && base.back() == '/')
            base.pop_back();
        if (base == "/")
            base.clear();
        base += '/';
        base += folded(path.substr(0, 1));
        rest = path.substr(2);
        absolute = true;
    } else if (!path.empty() && path[0] == '/') {
        absolute = true;
    }

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('/', start);
        if (end == std::string::npos)
            end = rest.size();
        const std::string part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }

    std::string current = base;
    if (base.empty() && absolute)
        current = "";
    bool first = true;
    for (const std::string& part : parts) {
        std::string candidate;
        if (first && !absolute)
            candidate = part;
        else
            candidate = current + "/" + part;
        if (part != ".." && !existsExactly(candidate)) {
            const std::string dir = (first && !absolute) ? "." : (current.empty() ? "/" : current);
            const std::string match = caseInsensitiveEntry(dir, part);
            if (!match.empty())
                candidate = (first && !absolute) ? match : current + "/" + match;
        }
        current = candidate;
        first = false;
    }
    if (current.empty())
        return absolute ? "/" : ".";
    return current;
}

bool removeWindowsFile(const std::string& windowsPath)
{
    const std::string host = hostPathOf(windowsPath);
    struct stat st;
    if (::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (isReadOnlyFile(host))
        return false;
    return ::unlink(host.c_str()) == 0;
}

bool writeWindowsFile(const std::string& windowsPath, const std::string& bytes)
{
    const std::string host = hostPathOf(windowsPath);
    if (windowsPath.empty() || isReadOnlyFile(host))
        return false;
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace platform
