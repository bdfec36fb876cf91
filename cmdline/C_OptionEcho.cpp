// Echoing a value.
#include "C_OptionEcho.h"

#include "U_StandardStreams.h"

#include <ostream>

bool C_OptionEcho::parse(std::istream& in, bool)
{
    standardOutput() << readValueText(in) << '\n' << std::flush;
    return true;
}
