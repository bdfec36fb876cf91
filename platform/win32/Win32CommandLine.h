// Command lines for CreateProcessW that the C run-time library's parser splits back into the
// arguments as they were given.
#pragma once

#ifdef _WIN32

#include <string>
#include <vector>

namespace platform::win32 {

// One argument, quoted only when it needs to be.
inline std::wstring quotedArgument(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            out.append(backslashes * 2 + 1, L'\\');
        else
            out.append(backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

// The program and its arguments as one zero-terminated, writable command line.
inline std::vector<wchar_t> commandLine(const std::vector<std::wstring>& argv)
{
    std::wstring line;
    for (const std::wstring& arg : argv) {
        if (!line.empty())
            line += L' ';
        line += quotedArgument(arg);
    }
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    return buffer;
}

} // namespace platform::win32

#endif
