// The part of the code page conversions that is the same on every platform.
#include "CodePage.h"

namespace platform {

std::size_t completeUtf8Length(const std::string& utf8)
{
    // Look back at most three bytes for the lead byte of the last sequence.
    const std::size_t size = utf8.size();
    for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
        const unsigned char c = static_cast<unsigned char>(utf8[size - back]);
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

} // namespace platform
