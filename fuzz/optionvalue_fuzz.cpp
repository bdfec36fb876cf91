// Fuzz target: the value of every option kind, attached ("-name=value") and as the next argument,
// and the lookup of option names and aliases, on arbitrary text.
#include "C_AliasTable.h"
#include "C_Options.h"

#include "FuzzSupport.h"

#include <exception>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::setUpProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text = fuzzsupport::bytesOf(data, size);
    const unsigned optionSelector = fuzzsupport::takeSelector(text);
    const unsigned modeSelector = fuzzsupport::takeSelector(text);

    const U_Handle<C_Options> registry(new C_Options(static_cast<int>(modeSelector % 4)));
    std::vector<C_OptionBase*> options;
#define ZEMB_OPTION(kind, accessor, name, def, products, aliases) options.push_back(&registry->accessor());
#include "C_OptionTable.def"
#undef ZEMB_OPTION

    C_OptionBase& option = *options[optionSelector % options.size()];
    const bool attached = (modeSelector & 4) != 0;
    try {
        std::istringstream in(text);
        option.setFrom(in, attached);
        // A second value accumulates in list kinds; reading it must not disturb the first.
        std::istringstream again(text);
        option.setFrom(again, attached);
        (void)option.valueText();
        option.forget();
        (void)option.valueText();
    } catch (const std::exception&) {
        // Invalid values, missing values and via files without a command line are reported errors.
    }
    try {
        const C_OptionMatch match = findOption(*registry, text);
        if (match)
            (void)match.option->name();
    } catch (const std::exception&) {
    }
    return 0;
}
