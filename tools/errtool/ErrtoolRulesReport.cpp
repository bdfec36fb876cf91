// Reading report files, comparing with rules files, and the tables and JSON of errtool rules-report.
#include "ErrtoolRulesReport.h"

#include "ErrtoolTable.h"

#include "TextLines.h"
#include "U_FileBytes.h"
#include "U_Sha256.h"
#include "U_Utf8Text.h"

#include <nlohmann/json.hpp>

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

// A line that is JSON but not a report line.
struct NotAReportLine {};

std::string stringAt(const nlohmann::json& value, const std::string& name)
{
    const auto found = value.find(name);
    return found != value.end() && found->is_string() ? found->get<std::string>() : std::string();
}

// A member that is a whole number within range, or 0.
std::int64_t integerAt(const nlohmann::json& value, const char* name)
{
    const auto found = value.find(name);
    if (found == value.end())
        return 0;
    if (found->is_number_unsigned())
        return found->get<std::uint64_t>() <= static_cast<std::uint64_t>(INT64_MAX) ? found->get<std::int64_t>() : 0;
    return found->is_number_integer() ? found->get<std::int64_t>() : 0;
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
std::vector<RulesReport::Rule> inFileOrder(const std::map<std::tuple<std::string, std::string, std::int32_t>,
                                                          RulesReport::Rule>& rules)
{
    std::vector<RulesReport::Rule> sorted;
    for (const auto& entry : rules)
        sorted.push_back(entry.second);
    std::stable_sort(sorted.begin(), sorted.end(), [](const RulesReport::Rule& a, const RulesReport::Rule& b) {
        return std::tie(a.path, a.line, a.sha256) < std::tie(b.path, b.line, b.sha256);
    });
    return sorted;
}

void section(std::string& out, const std::string& heading, const TextTable& table, const std::string& whenEmpty)
{
    out += "\n" + heading + "\n";
    out += table.empty() ? "  " + whenEmpty + "\n" : table.text();
}

} // namespace

std::string shortHash(const std::string& sha256)
{
    return sha256.empty() ? "-" : sha256.substr(0, 12);
}

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
    const bool unfinished = platform::forEachTextLine(text, [&](const std::string& line) {
        if (line.find_first_not_of(" \t") == std::string::npos)
            return;
        try {
            addLine(line);
            ++read;
        } catch (const nlohmann::json::exception&) {
            ++skipped;
        } catch (const NotAReportLine&) {
            ++skipped;
        }
    }, 0, false);
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

void RulesReport::addLine(const std::string& line)
{
    const nlohmann::json value = nlohmann::json::parse(line);
    const std::string type = stringAt(value, "type");
    if (type == "run") {
        ++runs_.runs;
        const bool dryRun = integerAt(value, "dry_run") != 0;
        runs_.dryRuns += dryRun ? 1 : 0;
        runs_.files += integerAt(value, "files");
        runs_.diagnostics += integerAt(value, "diagnostics");
        runs_.records += integerAt(value, "records");
        runs_.dryRunRecords += dryRun ? integerAt(value, "records") : 0;
        for (const char* kind : {"message_rules", "parameter_rules"}) {
            const std::string rulesPath = stringAt(value, kind);
            const std::string sha256 = stringAt(value, std::string(kind) + "_sha256");
            if (!rulesPath.empty())
                ++content(rulesPath, sha256).runs;
            readAsKind_.insert({kind == std::string("message_rules") ? "message" : "parameter", sha256});
        }
        return;
    }
    if (type != "record" && type != "unusable" && type != "warning")
        throw NotAReportLine{};
    Rule rule;
    rule.path = stringAt(value, "rules_file");
    rule.sha256 = stringAt(value, "rules_sha256");
    rule.line = static_cast<std::int32_t>(integerAt(value, "rule_line"));
    rule.kind = stringAt(value, "kind");
    rule.position = integerAt(value, "position");
    rule.text = stringAt(value, "rule");
    rule.reason = stringAt(value, type == "warning" ? "warning" : "reason");
    if (type == "warning") {
        warnings_.emplace(RuleKey{rule.sha256, rule.kind, rule.line}, rule);
        return;
    }
    auto& table = type == "record" ? hits_ : unusable_;
    Rule& entry = table.emplace(RuleKey{rule.sha256, rule.kind, rule.line}, rule).first->second;
    ++entry.count;
    if (type == "unusable")
        return;
    ++perMessage_[integerAt(value, "message")];
    ++perFile_[stringAt(value, "file")];
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
    std::size_t number = 0;
    platform::forEachTextLine(text, [&](const std::string& line) { addIfUnused(line, ++number); });
}

RulesReport::Model RulesReport::model() const
{
    Model model;
    model.runs = runs_;
    model.recordsAppended = runs_.records - runs_.dryRunRecords;
    model.hits = inFileOrder(hits_);
    for (const Rule& rule : model.hits)
        model.hitCount += rule.count;
    model.compared = compared_;
    model.unused = unused_;
    model.unusable = inFileOrder(unusable_);
    model.warnings = inFileOrder(warnings_);
    model.messages = byCount(perMessage_);
    model.files = byCount(perFile_);
    std::map<std::string, int> perPath;
    for (const auto& entry : contents_) {
        model.contents.push_back(entry.second);
        ++perPath[entry.second.path];
    }
    for (const Content& content : model.contents)
        if (perPath[content.path] > 1)
            model.changed.push_back(content);
    model.notes = notes_;
    return model;
}

std::string RulesReport::renderText(const Model& model)
{
    // A run examines the files named to it, so a file analysed in several runs counts in each.
    const Runs& runs = model.runs;
    std::string out = "Runs: " + std::to_string(runs.runs) + " (" + std::to_string(runs.dryRuns) +
                      " dry runs); summed over the runs: " + std::to_string(runs.files) + " files and " +
                      std::to_string(runs.diagnostics) + " diagnostics examined, " +
                      std::to_string(model.recordsAppended) + " records appended";
    if (runs.dryRuns > 0)
        out += ", " + std::to_string(runs.dryRunRecords) + " records would be appended by the dry runs";
    out += "\n";

    TextTable hits({{"hits", true}, {"rule", false}, {"kind", false}, {"content", false}, {"text", false}});
    for (const Rule& rule : model.hits)
        hits.addRow({std::to_string(rule.count), rule.where(), rule.kindText(), shortHash(rule.sha256),
                     rule.text});
    section(out, "Hits per rule", hits, "no rule hid a diagnostic");

    TextTable unused({{"rule", false}, {"kind", false}, {"text", false}});
    for (const UnusedRule& rule : model.unused)
        unused.addRow({rule.where(), rule.kind, rule.text});
    section(out, "Unused rules (no hit over all runs)", unused,
            model.compared ? "none" : "give the rules files (--rules, --parameter-rules) to list them");

    TextTable unusable({{"runs", true}, {"rule", false}, {"kind", false}, {"reason", false}, {"text", false}});
    for (const Rule& rule : model.unusable)
        unusable.addRow({std::to_string(rule.count), rule.where(), rule.kind, rule.reason, rule.text});
    section(out, "Rules that could not be used", unusable, "none");

    TextTable warnings({{"rule", false}, {"kind", false}, {"warning", false}, {"text", false}});
    for (const Rule& rule : model.warnings)
        warnings.addRow({rule.where(), rule.kindText(), rule.reason, rule.text});
    section(out, "Rules to check (read as the tool reads them, perhaps not as meant)", warnings, "none");

    TextTable messages({{"hits", true}, {"message", true}});
    for (const auto& [message, count] : model.messages)
        messages.addRow({std::to_string(count), std::to_string(message)});
    section(out, "Hits per message number", messages, "none");

    TextTable files({{"hits", true}, {"file", false}});
    for (const auto& [file, count] : model.files)
        files.addRow({std::to_string(count), file});
    section(out, "Hits per source file", files, "none");

    if (!model.changed.empty()) {
        TextTable contents({{"runs", true}, {"hits", true}, {"content", false}, {"rules file", false}});
        for (const Content& content : model.changed)
            contents.addRow({std::to_string(content.runs), std::to_string(content.hits), shortHash(content.sha256),
                             content.path});
        section(out, "Rules files whose content changed between runs (their hits are counted per content)", contents,
                "");
    }
    if (!model.notes.empty()) {
        out += "\nNotes\n";
        for (const std::string& note : model.notes)
            out += "  " + note + "\n";
    }
    return out;
}

std::string RulesReport::renderJson(const Model& model)
{
    using Json = nlohmann::ordered_json;
    const auto text = [](const std::string& bytes) { return utf8OrLatin1(bytes); };
    const auto ruleFields = [&](const Rule& rule) {
        Json out;
        out["rules_file"] = text(rule.path);
        out["rules_sha256"] = text(rule.sha256);
        out["rule_line"] = rule.line;
        out["kind"] = text(rule.kind);
        if (rule.kind == "parameter")
            out["position"] = rule.position;
        out["rule"] = text(rule.text);
        return out;
    };
    Json runs;
    runs["runs"] = model.runs.runs;
    runs["dry_runs"] = model.runs.dryRuns;
    runs["files"] = model.runs.files;
    runs["diagnostics"] = model.runs.diagnostics;
    runs["records"] = model.runs.records;
    runs["dry_run_records"] = model.runs.dryRunRecords;
    Json out;
    out["runs"] = std::move(runs);
    Json hits = Json::array();
    for (const Rule& rule : model.hits) {
        hits.push_back(ruleFields(rule));
        hits.back()["hits"] = rule.count;
    }
    Json unused = Json::array();
    for (const UnusedRule& rule : model.unused)
        unused.push_back(
            Json{{"rules_file", text(rule.path)}, {"rule_line", rule.line}, {"kind", text(rule.kind)}, {"rule", text(rule.text)}});
    Json unusable = Json::array();
    for (const Rule& rule : model.unusable) {
        unusable.push_back(ruleFields(rule));
        unusable.back()["reason"] = text(rule.reason);
        unusable.back()["runs"] = rule.count;
    }
    Json warnings = Json::array();
    for (const Rule& rule : model.warnings) {
        warnings.push_back(ruleFields(rule));
        warnings.back()["warning"] = text(rule.reason);
    }
    Json messages = Json::array();
    for (const auto& [message, count] : model.messages)
        messages.push_back(Json{{"message", message}, {"hits", count}});
    Json files = Json::array();
    for (const auto& [file, count] : model.files)
        files.push_back(Json{{"file", text(file)}, {"hits", count}});
    Json changed = Json::array();
    for (const Content& content : model.changed)
        changed.push_back(Json{{"rules_file", text(content.path)}, {"rules_sha256", text(content.sha256)},
                               {"runs", content.runs}, {"hits", content.hits}});
    Json notes = Json::array();
    for (const std::string& note : model.notes)
        notes.push_back(text(note));
    for (auto [name, array] : {std::pair{"hits", &hits}, {"unused", &unused}, {"unusable", &unusable},
                               {"warnings", &warnings}, {"messages", &messages}, {"files", &files},
                               {"changed", &changed}, {"notes", &notes}})
        out[name] = std::move(*array);
    return out.dump(2) + "\n";
}

} // namespace errtool
