// The error mode where the system shows no error boxes: the flags are kept for the process, so a
// caller reads back what it set, and they suppress nothing because nothing is ever shown.
#include "ErrorMode.h"

namespace platform {

namespace {
unsigned int& mode()
{
    static unsigned int flags = 0;
    return flags;
}
} // namespace

unsigned int errorMode()
{
    return mode();
}

unsigned int setErrorMode(unsigned int flags)
{
    const unsigned int previous = mode();
    mode() = flags;
    return previous;
}

} // namespace platform
