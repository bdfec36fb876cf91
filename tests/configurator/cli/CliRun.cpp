// Runs zembrelconf-cli and snapshots the fake installation around the run.
#include "CliRun.h"

#include "FakeInstallation.h"

#include <gtest/gtest.h>

#include <cctype>

namespace clitest {

namespace {

// The console text of a program with its line ends turned back into LF; a failure of the test when
// they are not the platform's.
std::string fromConsoleText(const std::string& console)
{
    std::string text;
    for (std::size_t i = 0; i < console.size(); ++i) {
        if (!(console[i] == '\r' && i + 1 < console.size() && console[i + 1] == '\n'))
            text += console[i];
    }
    EXPECT_EQ(testsupport::consoleText(text), console) << "the output's line ends are not the platform's";
    return text;
}

// Takes the "Wrote <path>" lines out of the output; answers their Windows paths as the file tree
// names them ("C:\\a\\b.txt" as "drives/c/a/b.txt").
std::vector<std::string> takeListedFiles(std::string& out)
{
    std::vector<std::string> listed;
    std::string rest;
    for (std::size_t start = 0; start < out.size();) {
        std::size_t end = out.find('\n', start);
        end = end == std::string::npos ? out.size() : end + 1;
        const std::string line = out.substr(start, end - start);
        start = end;
        if (line.rfind("Wrote ", 0) != 0 || line.size() < 10 || line[7] != ':') {
            rest += line;
            continue;
        }
        std::string path = "drives/" + std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(line[6])))) +
                           line.substr(8, line.size() - 9);
        for (char& c : path)
            c = c == '\\' ? '/' : c;
        listed.push_back(path);
    }
    out = rest;
    return listed;
}

} // namespace

CliRun runCli(const conftest::FakeInstallation& installation, const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {testsupport::builtProgram("configurator/cli/zembrelconf-cli")};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    testsupport::ProcessOptions options;
    options.inheritEnvironment = true;
    const conftest::FileTree before = installation.files();
    CliRun run;
    run.result = testsupport::runProcess(argv, options);
    run.result.out = fromConsoleText(run.result.out);
    run.listed = takeListedFiles(run.result.out);
    run.result.err = fromConsoleText(run.result.err);
    run.written = conftest::changedFiles(before, installation.files());
    return run;
}

CliRun runWithAnswers(const conftest::FakeInstallation& installation, const testsupport::TempDir& dir,
                      const std::string& answers)
{
    const std::string path = dir.file("answers.txt");
    testsupport::writeBytes(path, answers);
    return runCli(installation, {path});
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
