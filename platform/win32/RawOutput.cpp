// Unbuffered writes to standard error through the C run-time library's descriptor write.
#include "RawOutput.h"

#include <io.h>

namespace platform {

void writeToStandardErrorRaw(const char* text, std::size_t length)
{
    while (length > 0) {
        const int written = _write(2, text, static_cast<unsigned int>(length));
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

} // namespace platform
