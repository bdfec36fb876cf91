// The suppression run over the collected files: reading each error file, selecting the diagnostics
// not yet suppressed, matching the rules and appending the records.
#pragma once

#include <string>

class C_CmdArgs;
class C_OrphanFileHandler;
class SuppressionReport;
class U_Filename;

// Processes the cross-module analysis file when one is named (its error file is read beside it and
// appended to in the run's output directory), then every collected file in the order first named
// (its records are appended to the error file that was read). A fatal condition prints its report
// on standard output and ends the process with status 10. With the post-analysis option "report" or
// "dry_run", the run also reports what it did (SuppressionReport); a dry run appends nothing.
void runSuppression(const C_CmdArgs& args, const std::string& crossModuleFile, const C_OrphanFileHandler& files);

// One source file: its error file is read from errorFileDirectory and the records are appended
// to the error file of the same name in appendDirectory. With a report, what the file got is
// reported, and a fatal stop writes the report before the process ends.
void processFile(const U_Filename& file, const std::string& errorFileDirectory, const std::string& appendDirectory,
                 SuppressionReport* report = nullptr);
