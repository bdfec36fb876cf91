// Echoing a value.
#include "C_OptionEcho.h"

#include <iostream>

bool C_OptionEcho::parse(std::istream& in, bool)
{
    std::cout << readValueText(in) << '\n' << std::flush;
    return true;
}
