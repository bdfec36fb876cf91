// Conversion between the program's UTF-8 text and the 8-bit code pages that Windows programs read.
#pragma once

#include <string>

namespace platform {

// The UTF-8 code page number (Windows' CP_UTF8).
inline constexpr unsigned kUtf8CodePage = 65001;

// The code page in which cmd.exe reads batch files. Windows: the OEM code page (GetOEMCP), which
// the console starts with. Portable: UTF-8.
unsigned batchFileCodePage();

// The code page in which a redirected standard stream is written. Windows: the console's output
// code page (GetConsoleOutputCP), which is what type, more or a program reading the pipe in the
// same console expect; the OEM code page when the process has no console. Portable: UTF-8.
unsigned redirectedOutputCodePage();

// The code page of the file names and texts that the program reads through the narrow API.
// Windows: the ANSI code page (GetACP). Portable: UTF-8.
unsigned fileNameCodePage();

// Converts UTF-8 text to code page `codePage`. A character that the code page cannot hold (or a
// byte that is not UTF-8) becomes "?" and the answer is false; no look-alike is substituted, so
// that a path never silently names another file. UTF-8 to UTF-8 is the identity. Windows:
// WideCharToMultiByte; portable: iconv ("CP<n>").
bool utf8ToCodePage(const std::string& utf8, unsigned codePage, std::string& bytes);

// Converts text of code page `codePage` to UTF-8; a byte sequence the code page does not define
// becomes U+FFFD. UTF-8 to UTF-8 is the identity.
std::string codePageToUtf8(const std::string& bytes, unsigned codePage);

// The length of the longest prefix of `utf8` that does not end inside a multi-byte sequence (a
// sequence cut off at the end of a buffer waits for the rest).
std::size_t completeUtf8Length(const std::string& utf8);

} // namespace platform
