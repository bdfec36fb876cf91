// Reading report files, comparing with rules files, and the tables and JSON of errtool rules-report.
#include "ErrtoolRulesReport.h"

#include "ErrtoolTable.h"

#include "U_FileBytes.h"
#include "U_JsonValue.h"
#include "U_JsonWriter.h"
#include "U_Sha256.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace errtool {

namespace {

std::string readText(const std::string& path)
{
    std::string bytes;
    if (!readWholeFile(path, bytes))
        throw RulesReportError("cannot read " + path);
    return bytes;
}

// Calls the function with every line of the text and its 1-based number, as text mode reads it (a
// CR before the LF dropped); answers whether the text ends in an unfinished line (no LF), which is
// not delivered.
template <class Function>
bool forEachTextLine(const std::string& text, Function&& function)
{
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos)
            return true;
        std::string line = text.substr(start, lf - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        function(line, ++number);
        start = lf + 1;
    }
    return false;
}

std::string shortHash(const std::string& sha256)
{
    return sha256.empty() ? "-" : sha256.substr(0, 12);
}

std::string kindText(const RulesReport::Rule& rule)
{
    return rule.kind == "parameter" ? rule.kind + " " + std::to_string(rule.position) : rule.kind;
}

std::string ruleAt(const std::string& path, std::int32_t line)
{
    return path + ":" + std::to_string(line);
}

// Entries ordered by their count, largest first, then by key.
template <class Key>
std::vector<std::pair<Key, std::int64_t>> byCount(const std::map<Key, std::int64_t>& counts)
{
    std::vector<std::pair<Key, std::int64_t>> sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return sorted;
}

// The rules in the order of their files and lines (contents of one file side by side).
std::vector<const RulesReport::Rule*> inFileOrder(const std::map<std::tuple<std::string, std::string, std::int32_t>,
                                                                 RulesReport::Rule>& rules)
{
    std::vector<const RulesReport::Rule*> sorted;
    for (const auto& entry : rules)
        sorted.push_back(&entry.second);
    std::stable_sort(sorted.begin(), sorted.end(), [](const RulesReport::Rule* a, const RulesReport::Rule* b) {
        return std::tie(a->path, a->line, a->sha256) < std::tie(b->path, b->line, b->sha256);
    });
    return sorted;
}

void section(std::string& out, const std::string& heading, const TextTable& table, const std::string& whenEmpty)
{
    out += "\n" + heading + "\n";
    out += table.empty() ? "  " + whenEmpty + "\n" : table.text();
}

} // namespace

RulesReport::Content& RulesReport::content(const std::string& path, const std::string& sha256)
{
    Content& entry = contents_[{path, sha256}];
    entry.path = path;
    entry.sha256 = sha256;
    return entry;
}

void RulesReport::readReport(const std::string& path)
{
    const std::string text = readText(path);
    std::size_t skipped = 0;
    std::size_t read = 0;
    const bool unfinished = forEachTextLine(text, [&](const std::string& line, std::size_t number) {
        if (line.find_first_not_of(" \t") == std::string::npos)
            return;
        try {
            addLine(line, path, number);
            ++read;
        } catch (const U_JsonError&) {
            ++skipped;
        }
    });
    // A file with lines but not one report line is some other file given by mistake (a rules file,
    // an error file): an empty report would read as "no hits".
    if (read == 0 && skipped > 0)
        throw RulesReportError(path + " is not a report file of suppresszembrel (none of its lines is a report "
                                      "line)");
    if (skipped > 0)
        notes_.push_back(path + ": " + std::to_string(skipped) + " lines that are not report lines were skipped");
    if (unfinished)
        notes_.push_back(path + ": an unfinished last line (no line end) was skipped");
}

void RulesReport::addLine(const std::string& line, const std::string& reportPath, std::size_t lineNumber)
{
    const U_JsonValue value = U_JsonValue::parse(line);
    const std::string type = value.stringAt("type");
    if (type == "run") {
        ++runs_.runs;
        const bool dryRun = value.integerAt("dry_run") != 0;
        runs_.dryRuns += dryRun ? 1 : 0;
        runs_.files += value.integerAt("files");
        runs_.diagnostics += value.integerAt("diagnostics");
        runs_.records += value.integerAt("records");
        runs_.dryRunRecords += dryRun ? value.integerAt("records") : 0;
        for (const char* kind : {"message_rules", "parameter_rules"}) {
            const std::string rulesPath = value.stringAt(kind);
            const std::string sha256 = value.stringAt(std::string(kind) + "_sha256");
            if (!rulesPath.empty())
                ++content(rulesPath, sha256).runs;
            readAsKind_.insert({kind == std::string("message_rules") ? "message" : "parameter", sha256});
        }
        return;
    }
    if (type != "record" && type != "unusable" && type != "warning")
        throw U_JsonError(reportPath + ":" + std::to_string(lineNumber) + ": not a report line");
    Rule rule;
    rule.path = value.stringAt("rules_file");
    rule.sha256 = value.stringAt("rules_sha256");
    rule.line = static_cast<std::int32_t>(value.integerAt("rule_line"));
    rule.kind = value.stringAt("kind");
    rule.position = value.integerAt("position");
    rule.text = value.stringAt("rule");
    rule.reason = value.stringAt(type == "warning" ? "warning" : "reason");
    if (type == "warning") {
        warnings_.emplace(RuleKey{rule.sha256, rule.kind, rule.line}, rule);
        return;
    }
    auto& table = type == "record" ? hits_ : unusable_;
    Rule& entry = table.emplace(RuleKey{rule.sha256, rule.kind, rule.line}, rule).first->second;
    ++entry.count;
    if (type == "unusable")
        return;
    ++perMessage_[value.integerAt("message")];
    ++perFile_[value.stringAt("file")];
    ++content(rule.path, rule.sha256).hits;
}

void RulesReport::compareWithRules(const std::string& path, const std::string& kind)
{
    compared_ = true;
    const std::string text = readText(path);
    const std::string sha256 = sha256Hex(text);
    // A parameter rules file given as --rules (or the other way round) would list every rule as
    // unused; the runs tell which kind this content was read as.
    const std::string other = kind == "message" ? "parameter" : "message";
    if (readAsKind_.count({kind, sha256}) == 0 && readAsKind_.count({other, sha256}) != 0) {
        notes_.push_back(path + ": the runs read this file as " + other + " rules, so it is compared as such (give it as " +
                         (other == "message" ? "--rules" : "--parameter-rules") + ")");
        compareWithRules(path, other);
        return;
    }
    std::set<std::string> readAs; // the paths under which the runs read this content
    for (const auto& entry : contents_)
        if (entry.second.sha256 == sha256)
            readAs.insert(entry.second.path);
    if (readAs.empty()) {
        notes_.push_back(path + ": no run in the reports read this content of the file (sha256 " + shortHash(sha256) +
                         "); its rules are not compared with the hits");
        return;
    }
    // Its unused rules are named as the runs named the file, so that they stand beside its hits
    // however the file was given here (on Windows, say, with backslashes).
    const std::string named = readAs.size() == 1 ? *readAs.begin() : path;
    const auto addIfUnused = [&](const std::string& line, std::size_t number) {
        if (line.find_first_not_of(' ') == std::string::npos)
            return;
        const RuleKey key{sha256, kind, static_cast<std::int32_t>(number)};
        if (hits_.count(key) == 0 && unusable_.count(key) == 0)
            unused_.push_back(UnusedRule{named, static_cast<std::int32_t>(number), kind, line});
    };
    // The last line of a rules file counts without its line end too.
    std::size_t lines = 0;
    const bool unfinished = forEachTextLine(text, [&](const std::string& line, std::size_t number) {
        addIfUnused(line, number);
        lines = number;
    });
    if (unfinished)
        addIfUnused(text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1), lines + 1);
}

std::vector<RulesReport::Content> RulesReport::changedContents() const
{
    std::map<std::string, int> perPath;
    for (const auto& entry : contents_)
        ++perPath[entry.second.path];
    std::vector<Content> changed;
    for (const auto& entry : contents_)
        if (perPath[entry.second.path] > 1)
            changed.push_back(entry.second);
    return changed;
}

std::string RulesReport::text() const
{
    // A run examines the files named to it, so a file analysed in several runs counts in each.
    std::string out = "Runs: " + std::to_string(runs_.runs) + " (" + std::to_string(runs_.dryRuns) +
                      " dry runs); summed over the runs: " + std::to_string(runs_.files) + " files and " +
                      std::to_string(runs_.diagnostics) + " diagnostics examined, " +
                      std::to_string(runs_.records - runs_.dryRunRecords) + " records appended";
    if (runs_.dryRuns > 0)
        out += ", " + std::to_string(runs_.dryRunRecords) + " records would be appended by the dry runs";
    out += "\n";

    TextTable hits({{"hits", true}, {"rule", false}, {"kind", false}, {"content", false}, {"text", false}});
    for (const Rule* hit : inFileOrder(hits_)) {
        const Rule& rule = *hit;
        hits.addRow({std::to_string(rule.count), ruleAt(rule.path, rule.line), kindText(rule), shortHash(rule.sha256),
                     rule.text});
    }
    section(out, "Hits per rule", hits, "no rule hid a diagnostic");

    TextTable unused({{"rule", false}, {"kind", false}, {"text", false}});
    for (const UnusedRule& rule : unused_)
        unused.addRow({ruleAt(rule.path, rule.line), rule.kind, rule.text});
    section(out, "Unused rules (no hit over all runs)", unused,
            compared_ ? "none" : "give the rules files (--rules, --parameter-rules) to list them");

    TextTable unusable({{"runs", true}, {"rule", false}, {"kind", false}, {"reason", false}, {"text", false}});
    for (const Rule* entry : inFileOrder(unusable_)) {
        const Rule& rule = *entry;
        unusable.addRow({std::to_string(rule.count), ruleAt(rule.path, rule.line), rule.kind, rule.reason, rule.text});
    }
    section(out, "Rules that could not be used", unusable, "none");

    TextTable warnings({{"rule", false}, {"kind", false}, {"warning", false}, {"text", false}});
    for (const Rule* entry : inFileOrder(warnings_))
        warnings.addRow({ruleAt(entry->path, entry->line), kindText(*entry), entry->reason, entry->text});
    section(out, "Rules to check (read as the tool reads them, perhaps not as meant)", warnings, "none");

    TextTable messages({{"hits", true}, {"message", true}});
    for (const auto& [message, count] : byCount(perMessage_))
        messages.addRow({std::to_string(count), std::to_string(message)});
    section(out, "Hits per message number", messages, "none");

    TextTable files({{"hits", true}, {"file", false}});
    for (const auto& [file, count] : byCount(perFile_))
        files.addRow({std::to_string(count), file});
    section(out, "Hits per source file", files, "none");

    const std::vector<Content> changed = changedContents();
    if (!changed.empty()) {
        TextTable contents({{"runs", true}, {"hits", true}, {"content", false}, {"rules file", false}});
        for (const Content& content : changed)
            contents.addRow({std::to_string(content.runs), std::to_string(content.hits), shortHash(content.sha256),
                             content.path});
        section(out, "Rules files whose content changed between runs (their hits are counted per content)", contents,
                "");
    }
    if (!notes_.empty()) {
        out += "\nNotes\n";
        for (const std::string& note : notes_)
            out += "  " + note + "\n";
    }
    return out;
}

std::string RulesReport::json() const
{
    U_JsonWriter out(2);
    out.beginObject();
    out.key("runs").beginObject().member("runs", runs_.runs).member("dry_runs", runs_.dryRuns);
    out.member("files", runs_.files).member("diagnostics", runs_.diagnostics).member("records", runs_.records);
    out.member("dry_run_records", runs_.dryRunRecords);
    out.endObject();
    const auto ruleFields = [&](const Rule& rule) {
        out.member("rules_file", rule.path).member("rules_sha256", rule.sha256).member("rule_line", rule.line);
        out.member("kind", rule.kind);
        if (rule.kind == "parameter")
            out.member("position", rule.position);
        out.member("rule", rule.text);
    };
    out.key("hits").beginArray();
    for (const Rule* rule : inFileOrder(hits_)) {
        out.beginObject();
        ruleFields(*rule);
        out.member("hits", rule->count).endObject();
    }
    out.endArray();
    out.key("unused").beginArray();
    for (const UnusedRule& rule : unused_) {
        out.beginObject().member("rules_file", rule.path).member("rule_line", rule.line).member("kind", rule.kind);
        out.member("rule", rule.text).endObject();
    }
    out.endArray();
    out.key("unusable").beginArray();
    for (const Rule* rule : inFileOrder(unusable_)) {
        out.beginObject();
        ruleFields(*rule);
        out.member("reason", rule->reason).member("runs", rule->count).endObject();
    }
    out.endArray();
    out.key("warnings").beginArray();
    for (const Rule* rule : inFileOrder(warnings_)) {
        out.beginObject();
        ruleFields(*rule);
        out.member("warning", rule->reason).endObject();
    }
    out.endArray();
    out.key("messages").beginArray();
    for (const auto& [message, count] : byCount(perMessage_))
        out.beginObject().member("message", message).member("hits", count).endObject();
    out.endArray();
    out.key("files").beginArray();
    for (const auto& [file, count] : byCount(perFile_))
        out.beginObject().member("file", file).member("hits", count).endObject();
    out.endArray();
    out.key("changed").beginArray();
    for (const Content& content : changedContents()) {
        out.beginObject().member("rules_file", content.path).member("rules_sha256", content.sha256);
        out.member("runs", content.runs).member("hits", content.hits).endObject();
    }
    out.endArray();
    out.key("notes").beginArray();
    for (const std::string& note : notes_)
        out.value(note);
    out.endArray();
    out.endObject();
    return out.text() + "\n";
}

} // namespace errtool
