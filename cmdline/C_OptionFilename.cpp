// Reading and showing a file-name option.
#include "C_OptionFilename.h"

#include "QL_Convert.h"
#include "QL_Language.h"
#include "U_PathNames.h"

C_OptionFilename::C_OptionFilename(std::string name, std::string defaultValue)
    : C_OptionBase(std::move(name)), value_(toForwardSlashes(defaultValue)), default_(std::move(defaultValue))
{
}

std::string C_OptionFilename::valueText() const
{
    return toOutput(value_, runEncoding());
}

void C_OptionFilename::reset()
{
    value_ = toForwardSlashes(default_);
}

bool C_OptionFilename::parse(std::istream& in, bool)
{
    value_ = toForwardSlashes(toInternal(readValueText(in), runEncoding()));
    return true;
}
