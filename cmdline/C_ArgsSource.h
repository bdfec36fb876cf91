// A source of arguments: the command line, a via file, the personal options file or the options
// section of the configuration file.
#pragma once

#include "U_Ref.h"

#include <string>

class C_ArgsSource : public U_Ref {
public:
    // The next argument, or "" when the source is exhausted. Substitute: replace environment
    // variables written with "$" (file sources only).
    virtual std::string nextArgument(bool substitute) = 0;
};
