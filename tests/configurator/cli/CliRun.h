// Runs zembrelconf-cli as a process against a fake installation, for the tests.
#pragma once

#include "RouteFiles.h"
#include "TestSupport.h"

#include <string>
#include <vector>

namespace clitest {

struct CliRun {
    testsupport::ProcessResult result; // status and output
    conftest::FileTree written;        // the files of the installation that the run created or changed
};

// Runs zembrelconf-cli with `arguments`, in the environment of the test (which names the fake
// installation below `installationRoot`), and notes which of its files the run wrote.
CliRun runCli(const std::string& installationRoot, const std::vector<std::string>& arguments);

// Writes `answers` to a file of the temporary directory `dir` and runs zembrelconf-cli on it.
CliRun runWithAnswers(const std::string& installationRoot, const testsupport::TempDir& dir,
                      const std::string& answers);

// The text zembrelconf-cli prints at the end of a configuration, for the nine summary values.
std::string summaryText(const std::vector<std::string>& values);

} // namespace clitest
