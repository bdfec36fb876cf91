// The suppression tool's application: usage and the run over the collected files.
#include "SuppZembApp.h"

#include "C_Options.h"
#include "QL_AppMessages.h"
#include "SuppressionDriver.h"
#include "ToolSettingsCheck.h"
#include "U_Exception.h"
#include "U_StandardStreams.h"

#include <ostream>

void SuppZembApp::usage()
{
    for (const char* line : appmsg::kUsage)
        standardError() << line << '\n' << std::flush;
}

int SuppZembApp::run()
{
    const U_Handle<C_CmdArgs> args = commandLine();
    args->makeCurrent();
    const C_OptionFilename& crossModule = args->options()->crossmoduleanalysisfile();
    const std::string crossModuleFile = crossModule.value();
    if (files_.isEmpty() && (!crossModule.isGiven() || crossModuleFile.empty()))
        throw C_ConfigurationException("\nERROR: Missing required arguments.\n");
    checkToolSettings(standardError());
    runSuppression(*args, crossModule.isGiven() ? crossModuleFile : std::string(), files_);
    return successCode();
}
