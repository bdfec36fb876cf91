// Reading an integer option.
#include "C_OptionInt.h"

#include <sstream>

std::int32_t C_OptionInt::readNumber(const std::string& text)
{
    std::istringstream in(text);
    std::int32_t number = 0;
    in >> number; // leaves 0 when no number starts the text, the limit when it overflows
    return number;
}

bool C_OptionInt::parse(std::istream& in, bool)
{
    value_ = readNumber(readValueText(in));
    return true;
}
