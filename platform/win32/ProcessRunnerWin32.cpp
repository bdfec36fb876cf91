// Starting a program with CreateProcessW and waiting for its exit code.
#ifdef _WIN32

#include "ProcessRunner.h"

#include "Win32CommandLine.h"
#include "Win32Utf16.h"

#include <vector>

namespace platform {

int runProgramAndWait(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::wstring> argv{win32::toWide(program)};
    for (const std::string& arg : arguments)
        argv.push_back(win32::toWide(arg));
    std::vector<wchar_t> buffer = win32::commandLine(argv);

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
