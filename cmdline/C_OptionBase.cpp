// The value-text rule shared by every option kind that takes a value.
#include "C_OptionBase.h"

#include "C_ValueExpectedException.h"

std::string C_OptionBase::readValueText(std::istream& in) const
{
    std::string text;
    if (!std::getline(in, text)) {
        // An exhausted stream gets one more chance: the argument stream may have been left in a
        // failed state by an earlier read although more arguments follow.
        in.clear();
        if (!std::getline(in, text))
            throw C_ValueExpectedException(name());
        return text;
    }
    if (!text.empty() && text[0] == '=')
        text.erase(0, 1);
    return text;
}
