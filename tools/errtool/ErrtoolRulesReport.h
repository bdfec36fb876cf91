// errtool rules-report: what the report files of suppression runs say about the rules.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace errtool {

// A report or rules file that cannot be read.
class RulesReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The tallies of one or more report files. Every report line adds to the entry it names, so the
// counts live on the rules, messages and files themselves.
class RulesReport {
public:
    // A rule as the runs knew it: a line of one content of a rules file.
    struct Rule {
        std::string path;
        std::string sha256;
        std::int32_t line = 0;
        std::string kind; // "message" or "parameter"
        std::int64_t position = 0;
        std::string text;
        std::string reason;   // for a rule that could not be used
        std::int64_t count = 0; // hits, or for an unusable rule the runs that reported it

        // "<rules file>:<line>", and the kind with a parameter rule's position, as the outputs show them.
        std::string where() const { return path + ":" + std::to_string(line); }
        std::string kindText() const { return kind == "parameter" ? kind + " " + std::to_string(position) : kind; }
    };
    // A rule of a rules file given to compare with, that never hit.
    struct UnusedRule {
        std::string path;
        std::int32_t line = 0;
        std::string kind;
        std::string text;

        std::string where() const { return path + ":" + std::to_string(line); }
    };
    // One content of a rules file (by path), with the runs that read it and the hits of its rules.
    struct Content {
        std::string path;
        std::string sha256;
        std::int64_t runs = 0;
        std::int64_t hits = 0;
    };
    struct Runs {
        std::int64_t runs = 0;
        std::int64_t dryRuns = 0;
        std::int64_t files = 0;
        std::int64_t diagnostics = 0;
        std::int64_t records = 0;       // every run's, dry runs included
        std::int64_t dryRunRecords = 0; // those of the dry runs, which were not appended
    };

    // Everything the outputs show, in the order they show it; no output computes a figure of its
    // own, so the text, the JSON and the page cannot disagree.
    struct Model {
        Runs runs;
        std::int64_t recordsAppended = 0; // the records of the runs that were not dry runs
        std::int64_t hitCount = 0;        // the hits of all rules
        std::vector<Rule> hits;           // in the order of their files and lines
        bool compared = false;            // whether rules files were given, so that unused rules are known
        std::vector<UnusedRule> unused;
        std::vector<Rule> unusable;
        std::vector<Rule> warnings; // rules read as the tool reads them, perhaps not as meant
        std::vector<std::pair<std::int64_t, std::int64_t>> messages; // message number, hits; most hits first
        std::vector<std::pair<std::string, std::int64_t>> files;     // source file, hits; most hits first
        std::vector<Content> contents; // every content of every rules file the runs read
        std::vector<Content> changed;  // the contents of the rules files that changed between runs
        std::vector<std::string> notes;
    };

    // Adds the lines of a report file (text: CR LF or LF). Lines that are not report lines, and an
    // unfinished last line, are skipped and noted. Raises RulesReportError when it cannot be read.
    void readReport(const std::string& path);
    // Compares with a rules file ("message" or "parameter" kind): its rules without a hit are
    // unused, named by the path the runs read that content from (when they all read it from one).
    // The hits count for it only when the runs read the same content; otherwise a note says so and
    // nothing is listed. Raises RulesReportError when it cannot be read.
    void compareWithRules(const std::string& path, const std::string& kind);

    // What was read, ordered and summed for the outputs.
    Model model() const;

    // Aligned text tables.
    std::string text() const { return renderText(model()); }
    // The same content as one JSON object.
    std::string json() const { return renderJson(model()); }
    // The same content as one self-contained HTML page; the report files it was read from are named
    // on it.
    std::string html(const std::vector<std::string>& reportFiles) const { return renderHtml(model(), reportFiles); }

    static std::string renderText(const Model& model);
    static std::string renderJson(const Model& model);
    // ErrtoolRulesReportHtml.cpp: the style sheet and the sorting script are embedded in the page,
    // nothing is fetched.
    static std::string renderHtml(const Model& model, const std::vector<std::string>& reportFiles);

private:
    using RuleKey = std::tuple<std::string, std::string, std::int32_t>; // sha256, kind, line
    void addLine(const std::string& line);
    Content& content(const std::string& path, const std::string& sha256);

    Runs runs_;
    std::map<RuleKey, Rule> hits_;
    std::map<RuleKey, Rule> unusable_;
    std::map<RuleKey, Rule> warnings_; // rules read as the tool reads them, perhaps not as meant
    std::map<std::int64_t, std::int64_t> perMessage_;
    std::map<std::string, std::int64_t> perFile_;
    std::map<std::pair<std::string, std::string>, Content> contents_; // by path and sha256
    std::vector<UnusedRule> unused_;
    std::vector<std::string> notes_;
    std::set<std::pair<std::string, std::string>> readAsKind_; // ("message" or "parameter", sha256) the runs read
    bool compared_ = false;
};

// The first 12 hex digits of a content's SHA-256, "-" for none: how the outputs name a content.
std::string shortHash(const std::string& sha256);

// The text for HTML content and attribute values: "&", "<", ">", '"' and "'" as references, and as
// UTF-8 (a byte that is not is taken as its Latin-1 character).
std::string htmlEscape(const std::string& text);

} // namespace errtool
