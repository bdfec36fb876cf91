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
    using Cache = RulesFileCache<ParameterRule>;
    static Cache cache;
    return cache.read(path, out, [](const std::string& line, ParameterRule& rule, auto report) {
        std::string number;
        std::string rest;
        if (!Cache::splitAtBlank(line, number, rest)) {
            report(rulesmessages::kNoMessageNumber, line);
            return false;
        }
        if (rest.empty()) {
            report(rulesmessages::kEmptyPositionParameter, line);
            return false;
        }
        std::string position;
        std::string pattern;
        if (!Cache::splitAtBlank(rest, position, pattern)) {
            report(rulesmessages::kNoPositionParameter, line);
            return false;
        }
        rule.messageNumber = ruleNumber(number);
        rule.position = ruleNumber(position);
        rule.warning = ruleFieldWarnings(number, &position, pattern);
        return Cache::takePattern(std::move(pattern), rulesmessages::kEmptyRegexPattern, line, rule, report);
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

// A parameter file that cannot be read is said and left out, as one named but missing is.
ParameterRuleSet readableOrNone(const std::string& path, std::ostream& out)
{
    ParameterRuleSet rules = readParameterRuleSetFile(path, out);
    if (!rules->source().unreadable)
        return rules;
    out << path << rulesmessages::kCannotBeRead << '\n' << rulesmessages::kContinuingWithoutParameters << '\n';
    out.flush();
    return noParameterRules();
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
        return readableOrNone(given, out);
    }
    const std::string path = programDirectory + rulesmessages::kParameterRulesFile;
    if (!fileExists(path))
        return noParameterRules();
    return readableOrNone(path, out);
}

ParameterRules readParameterRules(const std::string& programDirectory, std::ostream& out)
{
    return readParameterRuleSet(programDirectory, out)->inFileOrder();
}
