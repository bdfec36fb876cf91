// Assertion reports of the post-analysis option store.
#include "PostAnalysisAssertion.h"

#include "PostAnalysisEntry.h"
#include "U_StandardStreams.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace {

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string postAnalysisAssertionReport(const char* unit, int line, const char* expression)
{
    std::string shown = expression;
    replaceAll(shown, "   \n", "<NL>");
    replaceAll(shown, "   \t", "<TB>");
    return std::string("Assertion") + " at " + unit + ":" + std::to_string(line) + ": Assertion '" + shown +
           "' failed.";
}

namespace {

[[noreturn]] void reportAndEnd(const char* unit, int line, const char* expression, const std::string& sentence)
{
    standardOutput().flush();
    standardError() << postAnalysisAssertionReport(unit, line, expression) << '\n';
    if (!sentence.empty())
        standardError() << sentence << '\n';
    standardError().flush();
    std::exit(kPostAnalysisAssertionStatus);
}

} // namespace

void postAnalysisAssertionFailed(const char* unit, int line, const char* expression)
{
    reportAndEnd(unit, line, expression, std::string());
}

void postAnalysisSettingLacksValue(const std::string& tool, const char* entry)
{
    const std::string key = entryKey(entry);
    const int line = entryMalformedAssertionLine(entry);
    const std::string setting = "-po " + tool + "::" + key;
    reportAndEnd("Option", line, kMalformedEntryExpression,
                 "ERROR: The setting " + setting + " lacks its value: write it as " + setting + "=<value>.");
}
