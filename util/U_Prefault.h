// Asking the system for a fresh buffer's pages in one call.
#pragma once

#include <cstddef>

// A hint for a large buffer that is about to be written whole: where the system can (Linux 5.14
// on), it provides every page of the range in one call instead of one page fault per page, which
// on a virtual machine costs more than the writing itself. Elsewhere, and for small buffers, it
// does nothing and the pages come one by one as before; nothing but time depends on it.
void prefaultForWriting(void* start, std::size_t size);
