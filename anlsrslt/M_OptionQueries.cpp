// Reads the current run's options for the diagnostic model and the writer.
#include "M_OptionQueries.h"

#include "C_CmdArgs.h"
#include "C_Environment.h"
#include "C_Options.h"
#include "QL_Convert.h"
#include "QL_Language.h"

#include <algorithm>

namespace M_OptionQueries {

namespace {
template <class Read, class Default>
auto withOptions(Read read, Default fallback) -> decltype(fallback)
{
    const U_Handle<C_CmdArgs> args = C_CmdArgs::current();
    if (!args || !args->options())
        return fallback;
    return read(*args->options());
}
} // namespace

bool expandFileNames()
{
    return withOptions([](const C_Options& o) { return o.expandfilenames().value(); }, true);
}

bool hasDebugWord(const std::string& word)
{
    return ::hasDebugKeyword(word);
}

bool showAlias()
{
    return withOptions([](const C_Options& o) { return o.showalias().value(); }, true);
}

bool messageFilteredOut(std::int32_t messageNumber)
{
    return withOptions(
        [messageNumber](const C_Options& o) {
            if (!o.nogen().value())
                return false;
            const auto& nomsg = o.nomsg().value();
            if (std::find(nomsg.begin(), nomsg.end(), messageNumber) != nomsg.end())
                return true;
            const auto& only = o.only().value();
            return !only.empty() && std::find(only.begin(), only.end(), messageNumber) == only.end();
        },
        false);
}

bool isQuietPath(const std::string& canonicalPath)
{
    return withOptions(
        [&canonicalPath](const C_Options& o) {
            for (const QL_Filename& quiet : o.quiet().value())
                if (quiet.fullPath == canonicalPath)
                    return true;
            return false;
        },
        false);
}

std::string outputText(const std::string& text)
{
    return toOutput(text, runEncoding());
}

std::string outputDirectory()
{
    const U_Handle<C_CmdArgs> args = C_CmdArgs::current();
    return args ? ::outputDirectory(*args) : std::string(".");
}

} // namespace M_OptionQueries
