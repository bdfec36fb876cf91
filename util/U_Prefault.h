// Asking the system for fresh memory's pages in one call.
#pragma once

#include <cstddef>

// A hint for a large buffer that is about to be written whole: where the system can (Linux 5.14
// on), it provides every page of the range in one call instead of one page fault per page, which
// on a virtual machine costs more than the writing itself. Elsewhere, and for small buffers, it
// does nothing and the pages come one by one as before; nothing but time depends on it.
void prefaultForWriting(void* start, std::size_t size);

// Follows the growth of the C library's heap, given a piece just allocated and its size: when the
// heap's end has moved up since the last call, the pages it gained come in one call, as above. The
// heap grows only for a piece that does not fit below its end, so a piece that ends below the end
// seen last is settled by one comparison. The heap is filled
// from the bottom up, so nearly every page it gains is written soon; each first write would
// otherwise be a page fault. Only where the heap grows by moving the program break (the GNU C
// library on Linux); elsewhere it does nothing. Keeps the caller's errno.
void prefaultHeapGrowth(const void* allocated, std::size_t size);
