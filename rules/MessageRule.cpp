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

MessageRules readMessageRulesFile(const std::string& path, std::ostream& out)
{
    MessageRules rules;
    static RulesFileCache<MessageRule> cache;
    std::string bytes = RulesFileCache<MessageRule>::readBytes(path);
    if (cache.replay(path, bytes, out, rules))
        return rules;
    auto report = [&](const char* what, const std::string& line) {
        cache.report(out, rulesmessages::kIgnoring + path + what + line);
    };
    TextLineReader::forEachLine(bytes, [&](const std::string& line) {
        if (isBlankLine(line))
            return;
        const auto blank = line.find(' ');
        if (blank == std::string::npos || blank == 0) {
            report(rulesmessages::kNoMessageNumber, line);
            return;
        }
        MessageRule rule;
        rule.messageNumber = ruleNumber(line.substr(0, blank));
        rule.pattern = line.substr(blank + 1);
        if (rule.pattern.empty()) {
            report(rulesmessages::kEmptyRegularExpression, line);
            return;
        }
        rule.compiled = RulePattern::compile(rule.pattern);
        if (!rule.compiled) {
            report(rulesmessages::kCompilationError, line);
            return;
        }
        rules.push_back(std::move(rule));
    });
    cache.store(path, std::move(bytes), rules);
    return rules;
}

MessageRules readMessageRules(const std::string& programDirectory, std::ostream& out)
{
    const std::string path = messageRulesPath(programDirectory);
    if (!fileExists(path))
        throw SuppressionStop(path + rulesmessages::kNotFound);
    return readMessageRulesFile(path, out);
}
