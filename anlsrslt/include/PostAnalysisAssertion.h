// Assertion reports of the post-analysis option store: one line on standard error, then an orderly
// end with the status of assertion failures.
#pragma once

#include <string>

// "Assertion at <unit>:<line>: Assertion '<expression>' failed." with three blanks before a line
// feed shown as "<NL>" and three blanks before a tab as "<TB>"; no line end.
std::string postAnalysisAssertionReport(const char* unit, int line, const char* expression);

// The exit status of a failed assertion, as the application frame gives assertion failures.
inline constexpr int kPostAnalysisAssertionStatus = 18;

// Writes the report and a line feed to standard error and ends the process with the assertion
// status (exit handlers run, so what was written to the streams before is not lost).
[[noreturn]] void postAnalysisAssertionFailed(const char* unit, int line, const char* expression);

// The malformed-entry assertion for an entry of the tool that is asked for its value but has none
// (no "=" or blank after its key, or a "+" or "-" there): the assertion line, then one sentence
// that names the setting and how to write it, then the same end.
[[noreturn]] void postAnalysisSettingLacksValue(const std::string& tool, const char* entry);
