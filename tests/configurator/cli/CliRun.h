// Runs zembrelconf-cli as a process against a fake installation, for the tests.
#pragma once

#include "RouteFiles.h"
#include "TestSupport.h"

#include <string>
#include <vector>

namespace conftest {
class FakeInstallation;
}

namespace clitest {

struct CliRun {
    testsupport::ProcessResult result; // status and output, the output's line ends turned into LF,
                                       // without the lines that list the files written
    conftest::FileTree written;        // the files of the installation that the run created or changed
    std::vector<std::string> listed;   // the files the run said it wrote, named as `written` names them
};

// Runs zembrelconf-cli with `arguments`, in the environment of the test (which names the fake
// installation where the platform needs that), and notes which of the installation's files the run
// wrote. Checks that the output has the platform's console line ends (CR LF on Windows).
CliRun runCli(const conftest::FakeInstallation& installation, const std::vector<std::string>& arguments);

// Writes `answers` to a file of the temporary directory `dir` and runs zembrelconf-cli on it.
CliRun runWithAnswers(const conftest::FakeInstallation& installation, const testsupport::TempDir& dir,
                      const std::string& answers);

// The text zembrelconf-cli prints at the end of a configuration, for the nine summary values.
std::string summaryText(const std::vector<std::string>& values);

} // namespace clitest
