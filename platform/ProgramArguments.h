// The arguments a program was started with, as UTF-8 text.
#pragma once

#include <string>
#include <vector>

namespace platform {

// argv[0] .. argv[argc - 1] as UTF-8. Windows: taken from the process's UTF-16 command line, split
// as the C run-time library splits it, because the narrow argv holds the ANSI code page's
// rendering, which loses every character outside it. Elsewhere: argv as it is.
std::vector<std::string> programArguments(int argc, char** argv);

} // namespace platform
