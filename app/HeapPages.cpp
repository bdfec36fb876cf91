// The program's operator new, linked into the suppresszembrel program of Linux builds without
// sanitizers: the heap's pages come in one call for each piece that reaches beyond those provided.
// A run on one file touches a hundred or more fresh heap pages, and where each first touch is a
// page fault of about 10 microseconds (a virtual machine's), one call for a few pages costs less.
// The memory is the C library's as before, so the library's operator delete frees it.
#include "U_Prefault.h"

#include <cstdlib>
#include <new>

void* operator new(std::size_t size)
{
    for (;;) {
        if (void* piece = std::malloc(size != 0 ? size : 1)) {
            prefaultHeapGrowth(piece, size);
            return piece;
        }
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}
