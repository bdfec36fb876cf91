// The error mode through the Win32 kernel service.
#include "ErrorMode.h"

#include <windows.h>

namespace platform {

unsigned int errorMode()
{
    // SetErrorMode is the one service that reads the mode on every Windows version: set, then restore.
    const UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    return mode;
}

unsigned int setErrorMode(unsigned int mode)
{
    return SetErrorMode(mode);
}

} // namespace platform
