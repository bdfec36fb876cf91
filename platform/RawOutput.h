// Unbuffered output straight to a file descriptor, safe to use inside a signal handler.
#pragma once

#include <cstddef>

namespace platform {

// Writes the bytes to standard error (descriptor 2) with the system's unbuffered write, bypassing
// every stream and the heap; retries partial writes and gives up silently on an error.
void writeToStandardErrorRaw(const char* text, std::size_t length);

} // namespace platform
