// Forgetting an option named by its alias.
#include "C_OptionForget.h"

#include "C_AliasTable.h"
#include "C_InvalidArgValueException.h"
#include "C_Options.h"

bool C_OptionForget::parse(std::istream& in, bool)
{
    const std::string text = readValueText(in);
    const C_OptionMatch match = registry_ ? findOption(*registry_, text) : C_OptionMatch();
    if (!match)
        throw C_InvalidArgValueException(text, name());
    match.option->forget();
    return true;
}
