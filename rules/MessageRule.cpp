// Reading the message suppression file.
#include "MessageRule.h"

#include "RuleNumber.h"
#include "RulesMessages.h"
#include "SuppressionStop.h"
#include "RulesFileCache.h"
#include "TextLineReader.h"

#include "U_PathNames.h"
#include "postanalysis.h"

#include <ostream>


std::string messageRulesPath(const std::string& programDirectory)
{
    return postAnalysisOption(rulesmessages::kToolName, rulesmessages::kMessageRulesKey,
                              programDirectory + rulesmessages::kMessageRulesFile);
}

MessageRuleSet readMessageRuleSetFile(const std::string& path, std::ostream& out)
{
    static RulesFileCache<MessageRule> cache;
    return cache.read(path, out, [](const std::string& line, MessageRule& rule, auto report) {
        const auto blank = line.find(' ');
        if (blank == std::string::npos || blank == 0) {
            report(rulesmessages::kNoMessageNumber, line);
            return false;
        }
        rule.messageNumber = ruleNumber(line.substr(0, blank));
        rule.pattern = line.substr(blank + 1);
        if (rule.pattern.empty()) {
            report(rulesmessages::kEmptyRegularExpression, line);
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

MessageRules readMessageRulesFile(const std::string& path, std::ostream& out)
{
    return readMessageRuleSetFile(path, out)->inFileOrder();
}

MessageRuleSet readMessageRuleSet(const std::string& programDirectory, std::ostream& out)
{
    const std::string path = messageRulesPath(programDirectory);
    if (!fileExists(path))
        throw SuppressionStop(path + rulesmessages::kNotFound);
    return readMessageRuleSetFile(path, out);
}

MessageRules readMessageRules(const std::string& programDirectory, std::ostream& out)
{
    return readMessageRuleSet(programDirectory, out)->inFileOrder();
}
