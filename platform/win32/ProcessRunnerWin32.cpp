// Starting a program with CreateProcessW and waiting for its exit code.
#ifdef _WIN32

#include "ProcessRunner.h"

#include "Win32Utf16.h"

#include <vector>

namespace platform {

namespace {

// Quotes one argument so that the C run-time's command-line parser gives it back unchanged.
std::wstring quoted(const std::wstring& arg)
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

} // namespace

int runProgramAndWait(const std::string& program, const std::vector<std::string>& arguments)
{
    std::wstring commandLine = quoted(win32::toWide(program));
    for (const std::string& arg : arguments)
        commandLine += L" " + quoted(win32::toWide(arg));
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    const BOOL ok = GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return ok ? static_cast<int>(code) : -1;
}

} // namespace platform

#endif
