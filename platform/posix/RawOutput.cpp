// Unbuffered writes to standard error with write(2), which is async-signal-safe.
#include "RawOutput.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

void writeToStandardErrorRaw(const char* text, std::size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(2, text, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

} // namespace platform
