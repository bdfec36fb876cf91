// A via option hands its file name to the command line being processed.
#include "C_OptionVia.h"

#include "C_CmdArgs.h"
#include "C_InvalidViaException.h"
#include "C_Options.h"

bool C_OptionVia::parse(std::istream& in, bool)
{
    const std::string fileName = readValueText(in);
    if (!registry_ || !registry_->owner())
        throw C_InvalidViaException(fileName);
    registry_->owner()->openViaFile(fileName);
    return true;
}
