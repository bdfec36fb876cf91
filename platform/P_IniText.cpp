// An INI text reader with the matching rules of GetPrivateProfileStringA.
#include "P_IniText.h"

#include "TextLines.h"

#include <cstddef>
#include <vector>

namespace platform {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// One pair of matching quotes around the whole value is dropped, as the Win32 service does.
std::string stripQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

bool findIniValue(const std::string& text, const std::string& section, const std::string& key,
                  std::string& value)
{
    const std::string wantedSection = trim(section);
    const std::string wantedKey = trim(key);
    // A UTF-8 byte-order mark does not belong to the first line.
    std::vector<std::string> lines;
    forEachTextLine(text, [&](const std::string& line) { lines.push_back(trim(line)); },
                    text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0);

    bool seenSection = false; // the first section of the wanted name has been entered
    bool inSection = false;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const auto close = line.rfind(']');
            if (close == std::string::npos)
                continue;
            if (inSection)
                return false; // the first section of that name has no such key
            inSection = !seenSection && sameName(trim(line.substr(1, close - 1)), wantedSection);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        if (sameName(trim(line.substr(0, equals)), wantedKey)) {
            value = stripQuotes(trim(line.substr(equals + 1)));
            return true;
        }
    }
    return false;
}

} // namespace platform
