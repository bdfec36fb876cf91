// Program arguments on Win32: the UTF-16 command line split by CommandLineToArgvW.
#ifdef _WIN32

#include "ProgramArguments.h"

#include "Win32Utf16.h"

#include <shellapi.h>

#include <cwchar>

namespace platform {

std::vector<std::string> programArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    // CommandLineToArgvW and the run-time library split alike; should they ever disagree on the
    // number, argv is the one the program was given.
    if (!wide || count != argc) {
        if (wide)
            LocalFree(wide);
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(win32::toUtf8(wide[i], static_cast<int>(std::wcslen(wide[i]))));
    LocalFree(wide);
    return arguments;
}

} // namespace platform

#endif
