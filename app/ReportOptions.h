// The settings of the run's report: where it goes and whether the run is a dry run.
#pragma once

#include <string>

// Read from the tool's post-analysis options, so that they can sit on the command line, in the
// configuration file or in a personality: "report=<file>" names the report file, "dry_run=1"
// computes and reports everything but writes no error file.
struct ReportOptions {
    std::string reportPath; // empty: no report file
    bool dryRun = false;

    // Whether the run reports at all; without either option it does nothing more than it always did.
    bool active() const { return dryRun || !reportPath.empty(); }

    // Any value but "0", "no", "false" or "off" (letter case aside) asks for a dry run, so that a
    // misspelt value never turns a trial into a real run.
    static bool isDryRunValue(const std::string& value);
    static ReportOptions fromPostAnalysisOptions();
};
