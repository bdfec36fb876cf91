// The run's report lines: records, unusable rules and the run, written as JSON or listed for a dry run.
#include "SuppressionReport.h"

#include "ReportMessages.h"

#include "RuleNumber.h"
#include "RulePattern.h"
#include "RulesMessages.h"

#include "SharedAppend.h"
#include "U_JsonWriter.h"
#include "U_Sha256.h"

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

void writeRuleFields(U_JsonWriter& line, const std::string& path, const std::string& sha256, std::int32_t ruleLine,
                     const std::string& text, const char* kind)
{
    line.member("rules_file", path).member("rules_sha256", sha256).member("rule_line", ruleLine);
    line.member("rule", text).member("kind", kind);
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
        U_JsonWriter line;
        line.beginObject().member("type", reportmsg::kUnusableLine);
        writeRuleFields(line, added.path, added.sha256, unusable.line, unusable.text, kind);
        line.member("reason", reasonOf(unusable)).endObject();
        lines_ += line.text() + kLineEnd;
        ++unusable_;
    }
    // Rules that are read as described but may not be what their writer meant (a rule for message
    // 0, text after the number): one line each, for the maintainers.
    for (const Rule& rule : set->inFileOrder()) {
        const std::string& text = added.lineText(rule.line);
        const std::string warning = ruleLineWarning(text, isParameterRule<Rule>());
        if (warning.empty())
            continue;
        U_JsonWriter line;
        line.beginObject().member("type", reportmsg::kWarningLine);
        writeRuleFields(line, added.path, added.sha256, rule.line, text, kind);
        if constexpr (isParameterRule<Rule>())
            line.member("position", rule.position);
        line.member("warning", warning).endObject();
        lines_ += line.text() + kLineEnd;
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
        U_JsonWriter line;
        line.beginObject().member("type", reportmsg::kRecordLine);
        if constexpr (isParameterRule<Rule>()) {
            writeRuleFields(line, rules.path, rules.sha256, rule.line, rules.lineText(rule.line),
                            reportmsg::kParameterKind);
            line.member("position", rule.position);
        } else {
            writeRuleFields(line, rules.path, rules.sha256, rule.line, rules.lineText(rule.line),
                            reportmsg::kMessageKind);
        }
        line.member("message", diagnostic.messageNumber()).member("file", location.file().fullName());
        line.member("line", location.line()).member("column", location.column());
        line.member("matched", match.matchedText).member("error_file", errorFile).endObject();
        lines_ += line.text() + kLineEnd;
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
    U_JsonWriter line;
    line.beginObject().member("type", reportmsg::kRunLine);
    line.member("message_rules", path(messageReading_)).member("message_rules_sha256", sha(messageReading_));
    line.member("parameter_rules", path(parameterReading_)).member("parameter_rules_sha256", sha(parameterReading_));
    line.member("files", files_).member("diagnostics", diagnostics_).member("records", records_);
    line.member("unusable", unusable_).member("dry_run", options_.dryRun ? 1 : 0).endObject();
    return line.text() + kLineEnd;
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
