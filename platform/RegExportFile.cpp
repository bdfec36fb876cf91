// Parser of registry export files: header, key lines, value lines with string, dword and hex data.
#include "RegExportFile.h"

#include "RegistryText.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

std::string fold(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted text starting at text[pos] == '"', undoing the escapes \\ and \".
bool readQuoted(const std::string& text, std::size_t& pos, std::string& out, std::string& why)
{
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == '"')
            return true;
        if (c == '\\') {
            if (pos >= text.size()) {
                break;
            }
            const char e = text[pos++];
            if (e != '\\' && e != '"') {
                why = std::string("unknown escape \\") + e;
                return false;
            }
            out += e;
        } else {
            out += c;
        }
    }
    why = "missing closing quote";
    return false;
}

bool parseHexBytes(const std::string& list, std::string& data, std::string& why)
{
    std::size_t i = 0;
    const std::string t = trimmed(list);
    if (t.empty())
        return true;
    while (true) {
        while (i < t.size() && isBlank(t[i]))
            ++i;
        if (i >= t.size()) {
            why = "missing hex byte";
            return false;
        }
        const int hi = i < t.size() ? hexDigit(t[i]) : -1;
        const int lo = i + 1 < t.size() ? hexDigit(t[i + 1]) : -1;
        if (hi < 0 || lo < 0) {
            why = "bad hex byte";
            return false;
        }
        data += static_cast<char>(hi * 16 + lo);
        i += 2;
        while (i < t.size() && isBlank(t[i]))
            ++i;
        if (i == t.size())
            return true;
        if (t[i] != ',') {
            why = "expected \",\" between hex bytes";
            return false;
        }
        ++i;
    }
}

} // namespace

RegExport::RegExport() { nodes_.emplace_back(); }

std::size_t RegExport::child(std::size_t parent, const std::string& name, bool create)
{
    const std::string key = fold(name);
    auto it = nodes_[parent].childByFoldedName.find(key);
    if (it != nodes_[parent].childByFoldedName.end())
        return it->second;
    if (!create)
        return 0;
    RegExportNode node;
    node.name = name;
    nodes_.push_back(std::move(node));
    const std::size_t index = nodes_.size() - 1;
    nodes_[parent].children.push_back(index);
    nodes_[parent].childByFoldedName[key] = index;
    return index;
}

bool RegExport::find(const std::string& path, std::size_t& node) const
{
    std::size_t current = 0;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string component = path.substr(start, end - start);
        if (component.empty())
            return false;
        auto it = nodes_[current].childByFoldedName.find(fold(component));
        if (it == nodes_[current].childByFoldedName.end())
            return false;
        current = it->second;
        start = end + 1;
    }
    node = current;
    return true;
}

bool RegExport::parse(const std::string& raw, const std::string& fileName, std::string& error)
{
    std::string text;
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF && static_cast<unsigned char>(raw[1]) == 0xFE)
        text = utf16leToUtf8(raw, 2);
    else if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text = raw.substr(3);
    else
        text = raw;

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }

    std::size_t lineNo = 0;
    auto fail = [&](const std::string& why) {
        error = fileName + ", line " + std::to_string(lineNo) + ": " + why;
        return false;
    };

    bool haveHeader = false;
    bool haveKey = false;
    bool keyDeleted = false;
    std::size_t key = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lineNo = i + 1;
        const std::string line = trimmed(lines[i]);
        if (!haveHeader) {
            if (line.empty())
                continue;
            if (line != "Windows Registry Editor Version 5.00" && line != "REGEDIT4")
                return fail("expected \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"");
            haveHeader = true;
            continue;
        }
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3)
                return fail("key line must end with \"]\"");
            std::string path = line.substr(1, line.size() - 2);
            const bool remove = path[0] == '-';
            if (remove)
                path.erase(0, 1);
            std::vector<std::string> parts;
            std::size_t s = 0;
            while (s <= path.size()) {
                std::size_t e = path.find('\\', s);
                if (e == std::string::npos)
                    e = path.size();
                parts.push_back(path.substr(s, e - s));
                s = e + 1;
            }
            for (const std::string& part : parts) {
                if (part.empty())
                    return fail("empty key name in \"" + path + "\"");
            }
            if (fold(parts[0]) == "hklm")
                parts[0] = "HKEY_LOCAL_MACHINE";
            if (remove) {
                std::size_t parent = 0;
                bool found = true;
                for (std::size_t k = 0; k + 1 < parts.size() && found; ++k) {
                    const std::size_t next = child(parent, parts[k], false);
                    found = next != 0;
                    parent = next;
                }
                if (found) {
                    RegExportNode& p = nodes_[parent];
                    auto it = p.childByFoldedName.find(fold(parts.back()));
                    if (it != p.childByFoldedName.end()) {
                        const std::size_t gone = it->second;
                        p.childByFoldedName.erase(it);
                        for (std::size_t k = 0; k < p.children.size(); ++k) {
                            if (p.children[k] == gone) {
                                p.children.erase(p.children.begin() + static_cast<std::ptrdiff_t>(k));
                                break;
                            }
                        }
                    }
                }
                haveKey = true;
                keyDeleted = true;
                continue;
            }
            key = 0;
            for (const std::string& part : parts)
                key = child(key, part, true);
            haveKey = true;
            keyDeleted = false;
            continue;
        }
        if (line[0] != '"' && line[0] != '@')
            return fail("expected a key line \"[...]\" or a value line");
        if (!haveKey)
            return fail("value before the first key line");

        std::size_t pos = 0;
        std::string name;
        std::string why;
        if (line[0] == '@') {
            pos = 1;
        } else if (!readQuoted(line, pos, name, why)) {
            return fail("value name: " + why);
        }
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            return fail("expected \"=\" after the value name");
        ++pos;
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        std::string rest = line.substr(pos);

        RegExportValue value;
        value.name = name;
        bool removeValue = false;
        if (!rest.empty() && rest[0] == '"') {
            std::size_t q = 0;
            std::string content;
            if (!readQuoted(rest, q, content, why))
                return fail("value data: " + why);
            if (!trimmed(rest.substr(q)).empty())
                return fail("unexpected text after the closing quote");
            value.type = kRegSz;
            value.data = utf8ToUtf16leZ(content);
        } else if (rest == "-") {
            removeValue = true;
        } else if (fold(rest).compare(0, 6, "dword:") == 0) {
            const std::string digits = trimmed(rest.substr(6));
            if (digits.empty() || digits.size() > 8)
                return fail("dword needs 1 to 8 hex digits");
            std::uint32_t v = 0;
            for (char c : digits) {
                const int d = hexDigit(c);
                if (d < 0)
                    return fail("bad hex digit in dword");
                v = (v << 4) | static_cast<std::uint32_t>(d);
            }
            value.type = kRegDword;
            for (int b = 0; b < 4; ++b)
                value.data += static_cast<char>((v >> (8 * b)) & 0xFF);
        } else if (fold(rest).compare(0, 3, "hex") == 0) {
            std::size_t p = 3;
            value.type = kRegBinary;
            if (p < rest.size() && rest[p] == '(') {
                const std::size_t close = rest.find(')', p);
                if (close == std::string::npos || close == p + 1 || close - p - 1 > 8)
                    return fail("bad value type in \"hex(...)\"");
                std::uint32_t t = 0;
                for (std::size_t k = p + 1; k < close; ++k) {
                    const int d = hexDigit(rest[k]);
                    if (d < 0)
                        return fail("bad value type in \"hex(...)\"");
                    t = (t << 4) | static_cast<std::uint32_t>(d);
                }
                value.type = t;
                p = close + 1;
            }
            if (p >= rest.size() || rest[p] != ':')
                return fail("expected \":\" after \"hex\"");
            std::string list = rest.substr(p + 1);
            // A trailing backslash continues the byte list on the next line.
            while (!list.empty() && list.back() == '\\') {
                list.pop_back();
                if (i + 1 >= lines.size())
                    return fail("continuation line missing at the end of the file");
                ++i;
                lineNo = i + 1;
                list += trimmed(lines[i]);
            }
            if (!parseHexBytes(list, value.data, why))
                return fail(why);
        } else {
            return fail("unrecognised value data");
        }

        if (keyDeleted)
            continue;
        std::vector<RegExportValue>& values = nodes_[key].values;
        bool replaced = false;
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (fold(values[k].name) != fold(name))
                continue;
            if (removeValue) {
                values.erase(values.begin() + static_cast<std::ptrdiff_t>(k));
            } else {
                values[k].type = value.type;
                values[k].data = value.data;
            }
            replaced = true;
            break;
        }
        if (!replaced && !removeValue)
            values.push_back(std::move(value));
    }
    if (!haveHeader) {
        lineNo = lines.size();
        return fail("empty file: expected \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"");
    }
    return true;
}

} // namespace platform
