// Reading the parameter suppression file.
#include "ParameterRule.h"

#include "RuleNumber.h"
#include "RulesMessages.h"
#include "RulesFileCache.h"
#include "TextLineReader.h"

#include "U_PathNames.h"
#include "postanalysis.h"

#include <ostream>


ParameterRuleSet readParameterRuleSetFile(const std::string& path, std::ostream& out)
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

ParameterRules readParameterRulesFile(const std::string& path, std::ostream& out)
{
    return readParameterRuleSetFile(path, out)->inFileOrder();
}

namespace {

ParameterRuleSet noParameterRules()
{
    static const ParameterRuleSet none = std::make_shared<const RuleSet<ParameterRule>>(ParameterRules{});
    return none;
}

} // namespace

ParameterRuleSet readParameterRuleSet(const std::string& programDirectory, std::ostream& out)
{
    std::string given;
    if (findPostAnalysisOption(rulesmessages::kToolName, rulesmessages::kParameterRulesKey, given)) {
        if (!fileExists(given)) {
            out << given << rulesmessages::kNotFound << '\n'
                << rulesmessages::kContinuingWithoutParameters << '\n';
            out.flush();
            return noParameterRules();
        }
        return readParameterRuleSetFile(given, out);
    }
    const std::string path = programDirectory + rulesmessages::kParameterRulesFile;
    if (!fileExists(path))
        return noParameterRules();
    return readParameterRuleSetFile(path, out);
}

ParameterRules readParameterRules(const std::string& programDirectory, std::ostream& out)
{
    return readParameterRuleSet(programDirectory, out)->inFileOrder();
}
