// The texts that the rules files and the matching report to the user, kept together.
#pragma once

namespace rulesmessages {

constexpr const char* kMessageRulesFile = "suppressions.txt";
constexpr const char* kParameterRulesFile = "parameter_suppressions.txt";
constexpr const char* kToolName = "suppresszembrel";
// The keys of the tool's post-analysis options (-po suppresszembrel::<key>=<value>): the two rules
// files, the report file and the dry run. Their readers take their key from this table, and the
// check of the tool's settings knows no other.
constexpr const char* kToolKeys[] = {"suppressions_txt", "parameter_suppressions_txt", "report", "dry_run"};
constexpr const char* kMessageRulesKey = kToolKeys[0];
constexpr const char* kParameterRulesKey = kToolKeys[1];
constexpr const char* kReportKey = kToolKeys[2];
constexpr const char* kDryRunKey = kToolKeys[3];

constexpr const char* kNotFound = " not found.";
constexpr const char* kContinuingWithoutParameters = "Continuing without parameter suppressions.";

constexpr const char* kIgnoring = "Ignoring ";
constexpr const char* kNoMessageNumber = " line with no message number: ";
constexpr const char* kEmptyRegularExpression = " line with empty regular expression: ";
constexpr const char* kEmptyPositionParameter = " line with empty position parameter: ";
constexpr const char* kNoPositionParameter = " line with no position parameter: ";
constexpr const char* kEmptyRegexPattern = " line with empty regex pattern: ";
constexpr const char* kCompilationError = " regex compilation error for line: ";
// A rules file in UTF-16: "Ignoring <path>" and this, on one line; none of its rules is used.
constexpr const char* kUtf16File =
    ": the file is UTF-16 text, so none of its rules can be used. Save it as UTF-8 or ANSI text "
    "(Notepad: Save As, Encoding UTF-8; PowerShell: Get-Content <file> | Set-Content -Encoding UTF8 <new file>).";
// A rules file that exists but cannot be read (no permission, or a directory in its place).
constexpr const char* kCannotBeRead = " cannot be read.";

constexpr const char* kFailedToOpen = "Failed to open ";
constexpr const char* kAborting = " Aborting.";

// Text of every record the tool appends.
constexpr const char* kSuppressionText = "Auto";

} // namespace rulesmessages
