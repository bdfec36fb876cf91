// A rule of the parameter suppression file, and the reading of that file.
#pragma once

#include "DeferredRules.h"
#include "RulePattern.h"
#include "RuleSet.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// A diagnostic of the number is suppressed when its string parameter at the 1-based position
// matches the pattern.
struct ParameterRule {
    std::int32_t messageNumber = 0;
    std::int32_t position = 0;
    std::string pattern;                              // exactly as it stood in the file
    std::shared_ptr<const RulePattern> compiled;      // never null in a list that was read
    std::int32_t line = 0;                            // 1-based line in the rules file (see RulesFileSource)
    std::string warning; // what a maintainer should check about the line as read (ruleFieldWarnings)

    // The order of matching: by message number, then position, file order kept within both.
    static bool orderedBefore(const ParameterRule& a, const ParameterRule& b)
    {
        return a.messageNumber != b.messageNumber ? a.messageNumber < b.messageNumber : a.position < b.position;
    }
};

using ParameterRules = std::vector<ParameterRule>;
using ParameterRuleSet = SharedRuleSet<ParameterRule>;

// Reads the rules of the file at the path, in file order, reporting and skipping unusable lines.
ParameterRules readParameterRulesFile(const std::string& path, std::ostream& out);
// The same reading as a shared set, sorted and indexed for matching.
ParameterRuleSet readParameterRuleSetFile(const std::string& path, std::ostream& out);

// Locates and reads the optional parameter suppression file: the "parameter_suppressions_txt"
// post-analysis option of the tool when given (a missing file is reported and gives no rules),
// otherwise "parameter_suppressions.txt" in the program directory (silently none when missing).
ParameterRules readParameterRules(const std::string& programDirectory, std::ostream& out);
// The same as a shared set; a set without rules where the list would be empty.
ParameterRuleSet readParameterRuleSet(const std::string& programDirectory, std::ostream& out);
// The same, taken from the digest that an earlier run kept where there is one (RulesDigestStore):
// then deferred, its rules made for the numbers asked with selectParameterRules.
RuleReading<ParameterRule> readParameterRuleReading(const std::string& programDirectory, std::ostream& out);
// The rules of the numbers (sorted, without repeats) from a deferred reading; null when its digest
// does not describe the file.
ParameterRuleSet selectParameterRules(DeferredRules<ParameterRule>& rules, const std::vector<std::int32_t>& numbers);
