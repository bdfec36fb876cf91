// Asking the system for fresh memory's pages in one call.
#pragma once

#include <cstddef>

// A hint for a large buffer that is about to be written whole: where the system can (Linux 5.14
// on), it provides every page of the range in one call instead of one page fault per page, which
// on a virtual machine costs more than the writing itself. Elsewhere, and for small buffers, it
// does nothing and the pages come one by one as before; nothing but time depends on it.
void prefaultForWriting(void* start, std::size_t size);

// Follows the C library's heap, given a piece just allocated and its size: when the piece reaches
// above the pages provided so far, the pages up to its end and a few beyond come in one call, as
// above. The heap is filled from the bottom up, so a piece's pages, and those of the pieces that
// follow it, are written soon; each first write would otherwise be a page fault. The heap's rest
// above its last piece (the C library grows it by 128 KB more than asked) is not provided, since a
// short-lived process may never write it. A piece below the pages provided is settled by one
// comparison. Only where the heap grows by moving the program break (the GNU C library on Linux);
// elsewhere it does nothing. Keeps the caller's errno.
void prefaultHeapGrowth(const void* allocated, std::size_t size);
