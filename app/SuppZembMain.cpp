// The entry point of suppresszembrel.
#include "SuppZembMain.h"

#include "QL_AppMessages.h"
#include "QL_ProgramDirectory.h"
#include "SuppZembApp.h"
#include "U_StandardStreams.h"

#include <ostream>

namespace {

std::string asciiLower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

} // namespace

int suppZembMain(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (asciiLower(argv[i]) == "-ver") {
            standardOutput() << appmsg::kVersionLine << std::flush;
            return 0;
        }
    }
    programDirectory() = argc > 0 ? programDirectoryOf(argv[0]) : std::string();
    const U_Handle<QL_App> application(new SuppZembApp(appmsg::kBanner));
    return runApplication(argc - 1, argv + 1, application);
}
