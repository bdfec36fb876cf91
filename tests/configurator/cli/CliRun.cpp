// Runs zembrelconf-cli and snapshots the fake installation around the run.
#include "CliRun.h"

namespace clitest {

CliRun runCli(const std::string& installationRoot, const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {testsupport::builtProgram("configurator/cli/zembrelconf-cli")};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    testsupport::ProcessOptions options;
    options.inheritEnvironment = true;
    const conftest::FileTree before = conftest::snapshotFiles(installationRoot);
    CliRun run;
    run.result = testsupport::runProcess(argv, options);
    run.written = conftest::changedFiles(before, conftest::snapshotFiles(installationRoot));
    return run;
}

CliRun runWithAnswers(const std::string& installationRoot, const testsupport::TempDir& dir,
                      const std::string& answers)
{
    const std::string path = dir.file("answers.txt");
    testsupport::writeBytes(path, answers);
    return runCli(installationRoot, {path});
}

std::string summaryText(const std::vector<std::string>& values)
{
    static const char* const labels[] = {
        "Zembrel location:",     "VEL C++ version:",     "VELCPPPATH:",
        "MS Visual C++ personality:", "VxWorks version:", "VxWorks personality:",
        "VxWorks compiler:",     "Message Personality:", "Analyser Personality:",
    };
    std::string text = "Zembrel Integration Configurator finished.\n";
    for (std::size_t i = 0; i < 9; ++i)
        text += std::string(labels[i]) + (values[i].empty() ? "" : " ") + values[i] + "\n";
    return text;
}

} // namespace clitest
