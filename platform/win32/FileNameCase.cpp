// Windows file names ignore letter case.
#include "FileNameCase.h"

namespace platform {

bool fileNamesFoldCase()
{
    return true;
}

} // namespace platform
