// Reading an on/off option: only the first attached character counts.
#include "C_OptionBool.h"

#include "C_InvalidArgValueException.h"

bool C_OptionBool::parse(std::istream& in, bool attached)
{
    if (!attached) {
        value_ = true;
        return true;
    }
    const int c = in.get();
    if (c == '+')
        value_ = true;
    else if (c == '-')
        value_ = false;
    else
        throw C_InvalidArgValueException(c == std::char_traits<char>::eof() ? std::string() : std::string(1, char(c)),
                                         name());
    return true;
}
