// Reading the parameter suppression file.
#include "ParameterRule.h"

#include "RuleNumber.h"
#include "RulesMessages.h"
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

ParameterRules readParameterRulesFile(const std::string& path, std::ostream& out)
{
    ParameterRules rules;
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
        const std::string rest = line.substr(blank + 1);
        if (rest.empty()) {
            report(out, path, rulesmessages::kEmptyPositionParameter, line);
            continue;
        }
        const auto second = rest.find(' ');
        if (second == std::string::npos || second == 0) {
            report(out, path, rulesmessages::kNoPositionParameter, line);
            continue;
        }
        ParameterRule rule;
        rule.messageNumber = ruleNumber(line.substr(0, blank));
        rule.position = ruleNumber(rest.substr(0, second));
        rule.pattern = rest.substr(second + 1);
        if (rule.pattern.empty()) {
            report(out, path, rulesmessages::kEmptyRegexPattern, line);
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
