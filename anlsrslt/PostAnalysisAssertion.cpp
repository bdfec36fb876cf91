// Assertion reports of the post-analysis option store.
#include "PostAnalysisAssertion.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

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

void postAnalysisAssertionFailed(const char* unit, int line, const char* expression)
{
    std::cout.flush();
    std::cerr << postAnalysisAssertionReport(unit, line, expression) << '\n';
    std::cerr.flush();
    std::abort();
}
