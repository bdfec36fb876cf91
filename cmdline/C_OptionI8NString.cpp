// Reading and showing a text option that passes through the run's encoding.
#include "C_OptionI8NString.h"

#include "QL_Convert.h"
#include "QL_Language.h"

std::string C_OptionI8NString::valueText() const
{
    return toOutput(value_, runEncoding());
}

bool C_OptionI8NString::parse(std::istream& in, bool)
{
    value_ = toInternal(readValueText(in), runEncoding());
    return true;
}
