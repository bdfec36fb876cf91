// Taking file arguments.
#include "C_OrphanFileHandler.h"

#include "C_CmdArgs.h"
#include "C_Environment.h"
#include "C_Options.h"
#include "U_PathNames.h"

void C_OrphanFileHandler::take(C_CmdArgs& args, const std::string& argument)
{
    // Arguments reach the handler in the run's encoding, which is also the one file names are
    // handed to the platform in, so the text is used as it is.
    const U_Filename file = U_Filename::fromName(argument);

    std::string directory = args.options() ? args.options()->outputpath().value() : std::string();
    if (directory.empty())
        directory = outputDirectory(args);
    if (!haveDirectory_ || directory != lastDirectory_) {
        lastDirectory_ = directory;
        lastCanonicalDirectory_ = fullPath(directory);
        haveDirectory_ = true;
    }
    directory = lastCanonicalDirectory_;

    const auto inserted = files_.emplace(file.fullNameKey(), Entry(file, directory));
    if (inserted.second)
        order_.push_back(&inserted.first->second);
}
