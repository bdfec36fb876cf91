// Reading the message suppression file.
#include "MessageRule.h"

#include "RuleNumber.h"
#include "RulesMessages.h"
#include "SuppressionStop.h"
#include "RulesFileCache.h"
#include "TextLineReader.h"

#include "U_PathNames.h"
#include "postanalysis.h"

#include <cstring>
#include <ostream>


std::string messageRulesPath(const std::string& programDirectory)
{
    return postAnalysisOption(rulesmessages::kToolName, rulesmessages::kMessageRulesKey,
                              programDirectory + rulesmessages::kMessageRulesFile);
}

namespace {

using Cache = RulesFileCache<MessageRule>;

// Never destroyed, like the compiled patterns it holds (RulePattern.cpp).
Cache& cache()
{
    static auto* readings = new Cache();
    return *readings;
}

struct ParseMessageRule {
    template <class Report>
    bool operator()(const std::string& line, MessageRule& rule, Report report) const
    {
        std::string number;
        std::string pattern;
        if (!Cache::splitAtBlank(line, number, pattern)) {
            report(rulesmessages::kNoMessageNumber, line);
            return false;
        }
        rule.messageNumber = ruleNumber(number);
        rule.warning = ruleFieldWarnings(number, nullptr, pattern);
        return Cache::takePattern(std::move(pattern), rulesmessages::kEmptyRegularExpression, line, rule, report);
    }
};

std::string existingMessageRulesPath(const std::string& programDirectory)
{
    std::string path = messageRulesPath(programDirectory);
    if (!fileExists(path))
        throw SuppressionStop(path + rulesmessages::kNotFound);
    return path;
}

} // namespace

MessageRuleSet readMessageRuleSetFile(const std::string& path, std::ostream& out)
{
    return cache().read(path, out, ParseMessageRule());
}

namespace {

// A file in UTF-16 gives no rule at all: a build must not pass with every rule ignored.
bool isUtf16File(const RulesFileSource& source)
{
    const auto& unusable = source.unusable;
    return !unusable.empty() && std::strcmp(unusable.front().reason, rulesmessages::kUtf16File) == 0;
}

} // namespace

RuleReading<MessageRule> readMessageRuleReading(const std::string& programDirectory, std::ostream& out)
{
    const std::string path = existingMessageRulesPath(programDirectory);
    RuleReading<MessageRule> reading = cache().readKept(path, out, RulesKind::Message, ParseMessageRule());
    const RulesFileSource& source = reading.complete ? reading.complete->source() : reading.deferred->source();
    if (source.unreadable || isUtf16File(source))
        throw SuppressionStop(path + rulesmessages::kCannotBeRead);
    return reading;
}

MessageRuleSet selectMessageRules(DeferredRules<MessageRule>& rules, const std::vector<std::int32_t>& numbers)
{
    return rules.select(numbers, ParseMessageRule());
}

MessageRules readMessageRulesFile(const std::string& path, std::ostream& out)
{
    return readMessageRuleSetFile(path, out)->inFileOrder();
}

MessageRuleSet readMessageRuleSet(const std::string& programDirectory, std::ostream& out)
{
    const std::string path = existingMessageRulesPath(programDirectory);
    MessageRuleSet rules = readMessageRuleSetFile(path, out);
    if (rules->source().unreadable || isUtf16File(rules->source()))
        throw SuppressionStop(path + rulesmessages::kCannotBeRead);
    return rules;
}

MessageRules readMessageRules(const std::string& programDirectory, std::ostream& out)
{
    return readMessageRuleSet(programDirectory, out)->inFileOrder();
}
