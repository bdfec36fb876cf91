// Program arguments on POSIX systems: the bytes of argv, which are UTF-8 in a UTF-8 locale.
#include "ProgramArguments.h"

namespace platform {

std::vector<std::string> programArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

} // namespace platform
