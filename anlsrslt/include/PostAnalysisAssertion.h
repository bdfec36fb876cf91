// Assertion reports of the post-analysis option store: one line on standard error, then abort.
#pragma once

#include <string>

// "Assertion at <unit>:<line>: Assertion '<expression>' failed." with three blanks before a line
// feed shown as "<NL>" and three blanks before a tab as "<TB>"; no line end.
std::string postAnalysisAssertionReport(const char* unit, int line, const char* expression);

// Writes the report and a line feed to standard error and raises the abort signal.
[[noreturn]] void postAnalysisAssertionFailed(const char* unit, int line, const char* expression);
