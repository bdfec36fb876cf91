// Short path names through GetShortPathNameW.
#ifdef _WIN32

#include "ShortPath.h"

#include "Win32Utf16.h"

#include <vector>

namespace platform {

bool shortPathName(const std::string& path, std::string& shortPath)
{
    // The system keeps the separators it is given; the short form uses backslashes whatever the
    // path was written with, as the portable layer answers.
    std::wstring wide = win32::toWide(path);
    for (wchar_t& c : wide) {
        if (c == L'/')
            c = L'\\';
    }
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0)
        return false;
    std::vector<wchar_t> buffer(needed + 1u, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), buffer.data(), needed);
    if (written == 0 || written >= needed + 1u)
        return false;
    shortPath = win32::toUtf8(buffer.data(), static_cast<int>(written));
    return true;
}

} // namespace platform

#endif
