// POSIX file names are case-sensitive: a.c and A.c are two files.
#include "FileNameCase.h"

namespace platform {

bool fileNamesFoldCase()
{
    return false;
}

} // namespace platform
