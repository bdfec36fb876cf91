// The report of one suppression run: which rule hid which diagnostic, and which rules could not be used.
#pragma once

#include "ReportOptions.h"

#include "MessageRule.h"
#include "ParameterRule.h"
#include "RuleMatching.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// Collects the lines of the run as it goes and writes them when it ends. The report file gets one
// JSON line per appended record, one per unusable rule of every rules-file reading, and one for the
// run: the rules files with the SHA-256 of their content, the files and diagnostics examined, and
// the records appended. The lines of a run are appended all at once under the file's lock (see
// platform::appendLines), so the runs of a parallel build never tear or interleave them; a run line
// comes first. A dry run without a report file lists the records it would append on the stream
// instead. Only a run that asks for a report or a dry run makes one: see ReportOptions::active.
class SuppressionReport {
public:
    SuppressionReport(ReportOptions options, std::ostream& out);

    bool dryRun() const { return options_.dryRun; }

    // The rules read for the file being processed; the matches reported next come from them.
    // Either may be null (the reading stopped the run). The unusable lines of a reading are
    // reported once per run.
    void rulesRead(const MessageRuleSet& messageRules, const ParameterRuleSet& parameterRules);
    // An error file was read, with that many diagnostics.
    void fileRead(std::size_t diagnostics);
    // The records appended to the error file (in a dry run: the records it would have got).
    void appended(const std::string& errorFile, const MessageMatches& messageMatches,
                  const ParameterMatches& parameterMatches);

    // Writes the run's lines: appends them to the report file (a line on the stream says so when
    // that fails, and the run goes on), and ends a dry run with its summary on the stream. Once.
    void finish();

private:
    struct Reading {
        std::shared_ptr<const void> set; // keeps the rule set, and so its rules, alive
        std::string path;
        std::string sha256;
        std::vector<std::string> lines; // of the rules file, for the rules' texts

        const std::string& lineText(std::int32_t line) const;
    };

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // The index of the reading of the set; a new one has its unusable lines reported.
    template <class Rule>
    std::size_t reading(const SharedRuleSet<Rule>& set);
    template <class Rule>
    void addRecords(const std::vector<RuleMatch<Rule>>& matches, std::size_t reading, const std::string& errorFile);
    std::string runLine() const;

    ReportOptions options_;
    std::ostream& out_;
    std::vector<Reading> readings_;
    std::size_t messageReading_ = kNone;
    std::size_t parameterReading_ = kNone;
    std::string lines_; // every line but the run line, in the report's form
    std::int64_t files_ = 0;
    std::int64_t diagnostics_ = 0;
    std::int64_t records_ = 0;
    std::int64_t unusable_ = 0;
    bool finished_ = false;
};
