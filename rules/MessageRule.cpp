// Reading the message suppression file.
#include "MessageRule.h"

#include "RuleNumber.h"
#include "RulesMessages.h"
#include "SuppressionStop.h"
#include "TextLineReader.h"

#include "U_PathNames.h"
#include "postanalysis.h"

#include <ostream>

namespace {

void report(std::ostream& out, const std::string& path, const char* what, const std::string& line)
{
    out << rulesmessages::kIgnoring << path << what << line << '\n';
    out.flush();
}

} // namespace

std::string messageRulesPath(const std::string& programDirectory)
{
    return postAnalysisOption(rulesmessages::kToolName, rulesmessages::kMessageRulesKey,
                              programDirectory + rulesmessages::kMessageRulesFile);
}

MessageRules readMessageRulesFile(const std::string& path, std::ostream& out)
{
    MessageRules rules;
    TextLineReader in(path);
    std::string line;
    while (in.readLine(line)) {
        if (isBlankLine(line))
            continue;
        const auto blank = line.find(' ');
        if (blank == std::string::npos || blank == 0) {
            report(out, path, rulesmessages::kNoMessageNumber, line);
            continue;
        }
        MessageRule rule;
        rule.messageNumber = ruleNumber(line.substr(0, blank));
        rule.pattern = line.substr(blank + 1);
        if (rule.pattern.empty()) {
            report(out, path, rulesmessages::kEmptyRegularExpression, line);
            continue;
        }
        rule.compiled = RulePattern::compile(rule.pattern);
        if (!rule.compiled) {
            report(out, path, rulesmessages::kCompilationError, line);
            continue;
        }
        rules.push_back(std::move(rule));
    }
    return rules;
}

MessageRules readMessageRules(const std::string& programDirectory, std::ostream& out)
{
    const std::string path = messageRulesPath(programDirectory);
    if (!fileExists(path))
        throw SuppressionStop(path + rulesmessages::kNotFound);
    return readMessageRulesFile(path, out);
}
