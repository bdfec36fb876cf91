// Reading the parameter suppression file.
#include "ParameterRule.h"

#include "RuleNumber.h"
#include "RulesMessages.h"
#include "RulesFileCache.h"
#include "TextLineReader.h"

#include "U_PathNames.h"
#include "postanalysis.h"

#include <ostream>


ParameterRules readParameterRulesFile(const std::string& path, std::ostream& out)
{
    static RulesFileCache<ParameterRule> cache;
    return cache.read(path, out, [](const std::string& line, ParameterRule& rule, auto report) {
        const auto blank = line.find(' ');
        if (blank == std::string::npos || blank == 0) {
            report(rulesmessages::kNoMessageNumber, line);
            return false;
        }
        const std::string rest = line.substr(blank + 1);
        if (rest.empty()) {
            report(rulesmessages::kEmptyPositionParameter, line);
            return false;
        }
        const auto second = rest.find(' ');
        if (second == std::string::npos || second == 0) {
            report(rulesmessages::kNoPositionParameter, line);
            return false;
        }
        rule.messageNumber = ruleNumber(line.substr(0, blank));
        rule.position = ruleNumber(rest.substr(0, second));
        rule.pattern = rest.substr(second + 1);
        if (rule.pattern.empty()) {
            report(rulesmessages::kEmptyRegexPattern, line);
            return false;
        }
        rule.compiled = RulePattern::compile(rule.pattern);
        if (!rule.compiled) {
            report(rulesmessages::kCompilationError, line);
            return false;
        }
        return true;
    });
}

ParameterRules readParameterRules(const std::string& programDirectory, std::ostream& out)
{
    std::string path = programDirectory + rulesmessages::kParameterRulesFile;
    std::string given;
    if (findPostAnalysisOption(rulesmessages::kToolName, rulesmessages::kParameterRulesKey, given)) {
        path = given;
        if (!fileExists(path)) {
            out << path << rulesmessages::kNotFound << '\n'
                << rulesmessages::kContinuingWithoutParameters << '\n';
            out.flush();
            return {};
        }
    }
    if (!fileExists(path))
        return {};
    return readParameterRulesFile(path, out);
}
