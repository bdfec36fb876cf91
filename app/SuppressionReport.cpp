// The run's report lines: records, unusable rules and the run, written as JSON or listed for a dry run.
#include "SuppressionReport.h"

#include "ReportMessages.h"

#include "RuleNumber.h"
#include "RulePattern.h"
#include "RulesMessages.h"

#include "SharedAppend.h"
#include "U_Sha256.h"
#include "U_Utf8Text.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <ostream>
#include <type_traits>

namespace {

// Report lines are text: Windows text mode ends them with CR LF.
constexpr const char* kLineEnd = "\r\n";

// The reason of an unusable line as a phrase: the reported text without its blanks and colon
// (" line with no message number: " gives "line with no message number"), and for a pattern that
// does not compile the matcher's own words.
std::string reasonOf(const UnusableRuleLine& unusable)
{
    if (!unusable.pattern.empty())
        return std::string(reportmsg::kCompilationErrorReason) + ": " + RulePattern::compileError(unusable.pattern);
    // Fields are separated by blanks only: a line whose fields stand between tabs has its number,
    // but reads as one field.
    const bool missingField = std::strcmp(unusable.reason, rulesmessages::kNoMessageNumber) == 0 ||
                              std::strcmp(unusable.reason, rulesmessages::kNoPositionParameter) == 0;
    if (missingField && unusable.text.find('\t') != std::string::npos)
        return reportmsg::kTabSeparatedReason;
    std::string reason = unusable.reason;
    while (!reason.empty() && (reason.back() == ' ' || reason.back() == ':'))
        reason.pop_back();
    while (!reason.empty() && (reason.front() == ' ' || reason.front() == ':'))
        reason.erase(0, 1);
    return reason;
}

template <class Rule>
constexpr bool isParameterRule()
{
    return std::is_same_v<Rule, ParameterRule>;
}

// A report line: its members in the order they are set, texts repaired to UTF-8.
using Line = nlohmann::ordered_json;

Line ruleFields(const char* type, const std::string& path, const std::string& sha256, std::int32_t ruleLine,
                const std::string& text, const char* kind)
{
    Line line;
    line["type"] = type;
    line["rules_file"] = utf8OrLatin1(path);
    line["rules_sha256"] = sha256;
    line["rule_line"] = ruleLine;
    line["rule"] = utf8OrLatin1(text);
    line["kind"] = kind;
    return line;
}

std::string lineText(const Line& line)
{
    return line.dump() + kLineEnd;
}

} // namespace

const std::string& SuppressionReport::Reading::lineText(std::int32_t line) const
{
    static const std::string none;
    return line >= 1 && static_cast<std::size_t>(line) <= lines.size() ? lines[static_cast<std::size_t>(line) - 1] : none;
}

SuppressionReport::SuppressionReport(ReportOptions options, std::ostream& out)
    : options_(std::move(options)), out_(out)
{
}

template <class Rule>
std::size_t SuppressionReport::reading(const SharedRuleSet<Rule>& set)
{
    if (!set)
        return kNone;
    for (std::size_t i = 0; i < readings_.size(); ++i)
        if (readings_[i].set == set)
            return i;
    const RulesFileSource& source = set->source();
    readings_.push_back(
        Reading{set, source.path, source.path.empty() ? std::string() : sha256Hex(source.bytes), source.lines()});
    const Reading& added = readings_.back();
    const char* kind = isParameterRule<Rule>() ? reportmsg::kParameterKind : reportmsg::kMessageKind;
    for (const UnusableRuleLine& unusable : source.unusable) {
        Line line = ruleFields(reportmsg::kUnusableLine, added.path, added.sha256, unusable.line, unusable.text, kind);
        line["reason"] = utf8OrLatin1(reasonOf(unusable));
        lines_ += lineText(line);
        ++unusable_;
    }
    // Rules that are read as described but may not be what their writer meant (a rule for message
    // 0, text after the number): one line each, for the maintainers.
    for (const Rule& rule : set->inFileOrder()) {
        if (rule.warning.empty())
            continue;
        Line line = ruleFields(reportmsg::kWarningLine, added.path, added.sha256, rule.line, added.lineText(rule.line), kind);
        if constexpr (isParameterRule<Rule>())
            line["position"] = rule.position;
        line["warning"] = utf8OrLatin1(rule.warning);
        lines_ += lineText(line);
    }
    return readings_.size() - 1;
}

void SuppressionReport::rulesRead(const MessageRuleSet& messageRules, const ParameterRuleSet& parameterRules)
{
    messageReading_ = reading(messageRules);
    parameterReading_ = reading(parameterRules);
}

void SuppressionReport::fileRead(std::size_t diagnostics)
{
    ++files_;
    diagnostics_ += static_cast<std::int64_t>(diagnostics);
}

template <class Rule>
void SuppressionReport::addRecords(const std::vector<RuleMatch<Rule>>& matches, std::size_t readingIndex,
                                   const std::string& errorFile)
{
    static const Reading none;
    const Reading& rules = readingIndex == kNone ? none : readings_[readingIndex];
    const bool listOnly = options_.reportPath.empty();
    for (const RuleMatch<Rule>& match : matches) {
        ++records_;
        const M_Diagnostic& diagnostic = *match.diagnostic;
        const U_LocationData& location = *diagnostic.location();
        const Rule& rule = *match.rule;
        if (listOnly) {
            out_ << reportmsg::kWouldSuppress << location.file().fullName() << ':' << location.line() << ':'
                 << location.column() << reportmsg::kMessage << diagnostic.messageNumber() << reportmsg::kBy
                 << rules.path << ':' << rule.line << ": " << rules.lineText(rule.line) << '\n';
            continue;
        }
        Line line = ruleFields(reportmsg::kRecordLine, rules.path, rules.sha256, rule.line, rules.lineText(rule.line),
                               isParameterRule<Rule>() ? reportmsg::kParameterKind : reportmsg::kMessageKind);
        if constexpr (isParameterRule<Rule>())
            line["position"] = rule.position;
        line["message"] = diagnostic.messageNumber();
        line["file"] = utf8OrLatin1(location.file().fullName());
        line["line"] = location.line();
        line["column"] = location.column();
        line["matched"] = utf8OrLatin1(match.matchedText);
        line["error_file"] = utf8OrLatin1(errorFile);
        lines_ += lineText(line);
    }
    if (listOnly)
        out_.flush();
}

void SuppressionReport::appended(const std::string& errorFile, const MessageMatches& messageMatches,
                                 const ParameterMatches& parameterMatches)
{
    addRecords(messageMatches, messageReading_, errorFile);
    addRecords(parameterMatches, parameterReading_, errorFile);
}

std::string SuppressionReport::runLine() const
{
    const auto path = [&](std::size_t index) { return index == kNone ? std::string() : readings_[index].path; };
    const auto sha = [&](std::size_t index) { return index == kNone ? std::string() : readings_[index].sha256; };
    Line line;
    line["type"] = reportmsg::kRunLine;
    line["message_rules"] = utf8OrLatin1(path(messageReading_));
    line["message_rules_sha256"] = sha(messageReading_);
    line["parameter_rules"] = utf8OrLatin1(path(parameterReading_));
    line["parameter_rules_sha256"] = sha(parameterReading_);
    line["files"] = files_;
    line["diagnostics"] = diagnostics_;
    line["records"] = records_;
    line["unusable"] = unusable_;
    line["dry_run"] = options_.dryRun ? 1 : 0;
    return lineText(line);
}

void SuppressionReport::finish()
{
    if (finished_)
        return;
    finished_ = true;
    if (options_.dryRun) {
        out_ << reportmsg::kDryRun << files_ << reportmsg::kFiles << diagnostics_ << reportmsg::kDiagnosticsExamined
             << records_ << reportmsg::kRecordsNotAppended << '\n';
        out_.flush();
    }
    if (!options_.reportPath.empty() && !platform::appendLines(options_.reportPath, runLine() + lines_)) {
        out_ << reportmsg::kCannotWriteReport << options_.reportPath << reportmsg::kCannotWriteReportEnd << '\n';
        out_.flush();
    }
}
