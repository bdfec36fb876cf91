// Reading the parameter suppression file.
#include "ParameterRule.h"

#include "RuleNumber.h"
#include "RulesMessages.h"
#include "RulesFileCache.h"
#include "TextLineReader.h"

#include "U_PathNames.h"
#include "postanalysis.h"

#include <ostream>


namespace {

using Cache = RulesFileCache<ParameterRule>;

// Never destroyed, like the compiled patterns it holds (RulePattern.cpp).
Cache& cache()
{
    static auto* readings = new Cache();
    return *readings;
}

struct ParseParameterRule {
    template <class Report>
    bool operator()(const std::string& line, ParameterRule& rule, Report report) const
    {
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
    }
};

RuleReading<ParameterRule> noParameterRules()
{
    static const ParameterRuleSet none = std::make_shared<const RuleSet<ParameterRule>>(ParameterRules{});
    return {none, nullptr};
}

// A parameter file that cannot be read is said and left out, as one named but missing is. Kept:
// through the digests of earlier runs (readKept).
RuleReading<ParameterRule> readableOrNone(const std::string& path, std::ostream& out, bool kept)
{
    RuleReading<ParameterRule> reading;
    if (kept)
        reading = cache().readKept(path, out, RulesKind::Parameter, ParseParameterRule());
    else
        reading.complete = cache().read(path, out, ParseParameterRule());
    if (!reading.complete || !reading.complete->source().unreadable)
        return reading;
    out << path << rulesmessages::kCannotBeRead << '\n' << rulesmessages::kContinuingWithoutParameters << '\n';
    out.flush();
    return noParameterRules();
}

RuleReading<ParameterRule> readLocated(const std::string& programDirectory, std::ostream& out, bool kept)
{
    std::string given;
    if (findPostAnalysisOption(rulesmessages::kToolName, rulesmessages::kParameterRulesKey, given)) {
        if (!fileExists(given)) {
            out << given << rulesmessages::kNotFound << '\n'
                << rulesmessages::kContinuingWithoutParameters << '\n';
            out.flush();
            return noParameterRules();
        }
        return readableOrNone(given, out, kept);
    }
    const std::string path = programDirectory + rulesmessages::kParameterRulesFile;
    if (!fileExists(path))
        return noParameterRules();
    return readableOrNone(path, out, kept);
}

} // namespace

ParameterRuleSet readParameterRuleSetFile(const std::string& path, std::ostream& out)
{
    return cache().read(path, out, ParseParameterRule());
}

ParameterRules readParameterRulesFile(const std::string& path, std::ostream& out)
{
    return readParameterRuleSetFile(path, out)->inFileOrder();
}

ParameterRuleSet readParameterRuleSet(const std::string& programDirectory, std::ostream& out)
{
    return readLocated(programDirectory, out, false).complete;
}

RuleReading<ParameterRule> readParameterRuleReading(const std::string& programDirectory, std::ostream& out)
{
    return readLocated(programDirectory, out, true);
}

ParameterRuleSet selectParameterRules(DeferredRules<ParameterRule>& rules, const std::vector<std::int32_t>& numbers)
{
    return rules.select(numbers, ParseParameterRule());
}

ParameterRules readParameterRules(const std::string& programDirectory, std::ostream& out)
{
    return readParameterRuleSet(programDirectory, out)->inFileOrder();
}
