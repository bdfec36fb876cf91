// Stands in for the analyser in the Windows journey, where the configuration hooks suppresszembrel
// into the build: reads the generated build batch and the message personality it names, and starts
// the post-analysis command for an analysed file through cmd.exe, as the analyser does after each
// file, in the current directory, with VELCPPBIN set as the analyser's VelcppConf.bat sets it.
//
//   velcpp_standin --settings <build batch>
//       prints what it takes from the configuration: velcpp=, personality=, shell_exe= and
//       shell_params= lines
//   velcpp_standin <build batch> <output directory> <analysed source file> <arguments file>
//       starts the post-analysis command for that file (session "journey"), writes the arguments it
//       gave it, one a line, to the arguments file, and ends with the command's status (125 when the
//       configuration lacks something, 126 when it cannot start)
#include "AnalyserStandIn.h"
#include "ProcessRunner.h"
#include "ProgramArguments.h"
#include "WindowsPathMap.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int refuse(const std::string& why)
{
    std::fprintf(stderr, "velcpp_standin: %s\n", why.c_str());
    return 125;
}

void setEnvironment(const std::string& name, const std::string& value)
{
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = platform::programArguments(argc, argv);
    const bool settingsOnly = arguments.size() == 3 && arguments[1] == "--settings";
    if (!settingsOnly && arguments.size() != 5)
        return refuse("usage: velcpp_standin --settings <build batch> | <build batch> <output directory> <source file> "
                      "<arguments file>");

    std::string text;
    std::string why;
    standin::BuildBatch batch;
    if (!platform::readWindowsFile(arguments[settingsOnly ? 2 : 1], text))
        return refuse("cannot read the build batch " + arguments[settingsOnly ? 2 : 1]);
    if (!standin::readBuildBatch(text, batch, why))
        return refuse(why);
    standin::PostAnalysis command;
    if (!platform::readWindowsFile(batch.messagePersonality, text))
        return refuse("the message personality " + batch.messagePersonality + " is missing");
    if (!standin::readPostAnalysis(text, command, why))
        return refuse(why);
    if (settingsOnly) {
        std::printf("velcpp=%s\npersonality=%s\nshell_exe=%s\nshell_params=%s\n", batch.analyserDirectory.c_str(),
                    batch.messagePersonality.c_str(), command.shellExe.c_str(), command.shellParams.c_str());
        return 0;
    }

    std::vector<std::string> parameters;
    if (!standin::postAnalysisArguments(command.shellParams, {arguments[2], arguments[3], "journey"}, parameters, why))
        return refuse(why);
    std::string recorded;
    std::string shown = "cmd /c " + command.shellExe;
    for (const std::string& parameter : parameters) {
        recorded += parameter + "\n";
        shown += " " + parameter;
    }
    if (!platform::writeWindowsFile(arguments[4], recorded))
        return refuse("cannot write " + arguments[4]);
    std::printf("$ %s\n", shown.c_str());
    std::fflush(stdout);

    setEnvironment("VELCPPBIN", batch.analyserDirectory + "\\bin");
    std::vector<std::string> commandLine{"/c", command.shellExe};
    commandLine.insert(commandLine.end(), parameters.begin(), parameters.end());
    const int status = platform::runProgramAndWait("cmd", commandLine);
    return status < 0 ? 126 : status;
}
