// Code page conversions through the system's tables (MultiByteToWideChar, WideCharToMultiByte).
#include "CodePage.h"

#include "Win32Utf16.h"

namespace platform {

unsigned batchFileCodePage()
{
    return GetOEMCP();
}

unsigned fileNameCodePage()
{
    return GetACP();
}

unsigned redirectedOutputCodePage()
{
    const UINT console = GetConsoleOutputCP();
    return console != 0 ? console : GetOEMCP();
}

bool utf8ToCodePage(const std::string& utf8, unsigned codePage, std::string& bytes)
{
    if (codePage == kUtf8CodePage) {
        bytes = utf8;
        return true;
    }
    bytes.clear();
    if (utf8.empty())
        return true;
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    const bool validUtf8 = wideLength > 0;
    const std::wstring wide = win32::toWide(utf8); // invalid bytes become U+FFFD
    // Without best fit a character the code page lacks becomes the default character, and the
    // system says that it did.
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, "?", &usedDefault);
    if (n <= 0) {
        bytes.assign(wide.size(), '?');
        return false;
    }
    bytes.assign(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &bytes[0], n, "?",
                        &usedDefault);
    return validUtf8 && !usedDefault;
}

std::string codePageToUtf8(const std::string& bytes, unsigned codePage)
{
    if (codePage == kUtf8CodePage || bytes.empty())
        return bytes;
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0)
        return std::string(bytes.size(), '?');
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    return win32::toUtf8(wide.data(), n);
}

} // namespace platform
