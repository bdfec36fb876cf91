// A rule of the parameter suppression file, and the reading of that file.
#pragma once

#include "RulePattern.h"

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
};

using ParameterRules = std::vector<ParameterRule>;

// Reads the rules of the file at the path, in file order, reporting and skipping unusable lines.
ParameterRules readParameterRulesFile(const std::string& path, std::ostream& out);

// Locates and reads the optional parameter suppression file: the "parameter_suppressions_txt"
// post-analysis option of the tool when given (a missing file is reported and gives no rules),
// otherwise "parameter_suppressions.txt" in the program directory (silently none when missing).
ParameterRules readParameterRules(const std::string& programDirectory, std::ostream& out);
