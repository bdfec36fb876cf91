// Standard output and error that read right where they end up: the program's text is UTF-8.
#pragma once

#include <iosfwd>

namespace platform {

enum class StandardStream { Output, Error };

// Makes `stream` (std::cout for Output, std::cerr for Error) write its UTF-8 text as the reader of
// the standard stream expects it, until the process ends (the text still pending then is written).
// Windows: to a console as UTF-16 through WriteConsoleW, so that every character shows whatever the
// console's code page; redirected to a file or pipe, converted to redirectedOutputCodePage() and
// written through the C run-time library's text-mode stream (LF still goes out as CR LF), so ASCII
// text is written byte for byte as before. Portable: the stream is left as it is, its UTF-8 bytes
// going out unchanged.
void useConsoleEncoding(std::ostream& stream, StandardStream which);

} // namespace platform
