// Everything a run's report says, errtool rules-report reads back: random rules files (odd bytes,
// unusable lines), random diagnostics, the report written by SuppressionReport, read by RulesReport.
#include "ErrtoolRulesReport.h"
#include "SuppressionReport.h"

#include "RuleMatching.h"
#include "U_Utf8Text.h"

#include "TestSupport.h"

#include "TestSeed.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

// What a text reads back as from the report: UTF-8 kept, other bytes as Latin-1.
std::string asRead(const std::string& text)
{
    return utf8OrLatin1(text);
}

TEST(RulesReportRoundTripTest, hitsUnusableAndUnusedRulesReadBackAsTheRunReportedThem)
{
    const unsigned seed = testsupport::testSeed("RulesReportRoundTripTest");
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Words that rules look for, and odd bytes around them (never a regex metacharacter).
    const std::vector<std::string> words{"alpha", "beta", "\xc3\xa9t\xc3\xa9", "q\"uote", "back\\\\slash", "lat\xe9"};
    const auto noise = [&] {
        std::string text;
        for (int i = pick(6); i > 0; --i)
            text += static_cast<char>(std::string("xyz \t\x7f\x80\xff\xe9\x01")[static_cast<std::size_t>(pick(11))]);
        return text;
    };

    for (int round = 0; round < 20; ++round) {
        TempDir dir;
        // Message rules on numbers 1..3 and parameter rules on numbers 1..3, positions 1..2, with
        // some unusable lines among them.
        std::string messageText;
        std::string parameterText;
        for (int i = pick(8) + 1; i > 0; --i) {
            const int kind = pick(10);
            if (kind == 0)
                messageText += std::to_string(1 + pick(3)) + " (" + noise() + "\n"; // does not compile
            else if (kind == 1)
                messageText += "nonumber\n";
            else
                messageText += std::to_string(1 + pick(3)) + " " + words[static_cast<std::size_t>(pick(6))] + noise() + "\n";
            if (pick(2) == 0)
                messageText += "\r\n"; // a blank line still counts in the line numbers
            parameterText += std::to_string(1 + pick(3)) + " " + std::to_string(1 + pick(2)) + " " +
                             words[static_cast<std::size_t>(pick(6))] + "\n";
        }
        writeBytes(dir.file("m.txt"), messageText);
        writeBytes(dir.file("p.txt"), parameterText);
        std::ostringstream ignored;
        const MessageRuleSet messageRules = readMessageRuleSetFile(dir.file("m.txt"), ignored);
        const ParameterRuleSet parameterRules = readParameterRuleSetFile(dir.file("p.txt"), ignored);

        // A source of random lines, diagnostics on them with random string parameters.
        std::string source;
        const int lines = 1 + pick(20);
        for (int i = 0; i < lines; ++i)
            source += noise() + (pick(2) ? words[static_cast<std::size_t>(pick(6))] : "") + noise() + "\n";
        writeBytes(dir.file("s.c"), source);
        const U_Filename file(dir.file("s.c"), "s.c");
        std::vector<M_DiagnosticHandle> diagnostics;
        for (int i = pick(30); i > 0; --i) {
            auto d = makeHandle<M_Diagnostic>(1 + pick(3), U_LocationData::create(file, 1 + pick(lines), pick(5)));
            for (int k = pick(3); k > 0; --k)
                d->addStringParameter(noise() + words[static_cast<std::size_t>(pick(6))]);
            diagnostics.push_back(d);
        }
        const DiagnosticEntries entries = buildEntries(diagnostics);
        const MessageMatches messageMatches = matchMessageRules(*messageRules, entries, true);
        const ParameterMatches parameterMatches = matchParameterRules(*parameterRules, entries, true);

        const std::string reportPath = dir.file("report.jsonl");
        std::ostringstream out;
        SuppressionReport report(ReportOptions{reportPath, false}, out);
        report.rulesRead(messageRules, parameterRules);
        report.fileRead(diagnostics.size());
        report.appended(dir.file("s.c.err"), messageMatches, parameterMatches);
        report.finish();
        ASSERT_EQ(out.str(), "");

        errtool::RulesReport read;
        read.readReport(reportPath);
        read.compareWithRules(dir.file("m.txt"), "message");
        read.compareWithRules(dir.file("p.txt"), "parameter");
        const nlohmann::json json = nlohmann::json::parse(read.json());

        // Hits: every rule that matched, with its line, text and count.
        const std::vector<std::string> messageLines = messageRules->source().lines();
        const std::vector<std::string> parameterLines = parameterRules->source().lines();
        std::map<std::pair<std::string, std::int64_t>, std::pair<std::string, std::int64_t>> expectedHits;
        for (const auto& match : messageMatches)
            ++expectedHits.emplace(std::make_pair(std::string("message"), match.rule->line),
                                   std::make_pair(asRead(messageLines.at(match.rule->line - 1)), 0))
                  .first->second.second;
        for (const auto& match : parameterMatches)
            ++expectedHits.emplace(std::make_pair(std::string("parameter"), match.rule->line),
                                   std::make_pair(asRead(parameterLines.at(match.rule->line - 1)), 0))
                  .first->second.second;
        std::map<std::pair<std::string, std::int64_t>, std::pair<std::string, std::int64_t>> hits;
        for (const nlohmann::json& rule : json.at("hits"))
            hits[{rule.value("kind", ""), rule.value("rule_line", std::int64_t{0})}] = {rule.value("rule", ""), rule.value("hits", std::int64_t{0})};
        EXPECT_EQ(hits, expectedHits);
        EXPECT_EQ(json.at("runs").at("records").get<std::int64_t>(),
                  static_cast<std::int64_t>(messageMatches.size() + parameterMatches.size()));
        EXPECT_EQ(json.at("runs").at("diagnostics").get<std::int64_t>(), static_cast<std::int64_t>(diagnostics.size()));

        // Unusable lines, with their line numbers and texts.
        std::map<std::int64_t, std::string> expectedUnusable;
        for (const UnusableRuleLine& unusable : messageRules->source().unusable)
            expectedUnusable[unusable.line] = asRead(unusable.text);
        std::map<std::int64_t, std::string> unusable;
        for (const nlohmann::json& rule : json.at("unusable"))
            unusable[rule.value("rule_line", std::int64_t{0})] = rule.value("rule", "");
        EXPECT_EQ(unusable, expectedUnusable);

        // Unused: every usable rule without a hit, in both files.
        std::set<std::pair<std::string, std::int64_t>> expectedUnused;
        for (const MessageRule& rule : messageRules->inFileOrder())
            if (!expectedHits.count({"message", rule.line}))
                expectedUnused.emplace("message", rule.line);
        for (const ParameterRule& rule : parameterRules->inFileOrder())
            if (!expectedHits.count({"parameter", rule.line}))
                expectedUnused.emplace("parameter", rule.line);
        std::set<std::pair<std::string, std::int64_t>> unused;
        for (const nlohmann::json& rule : json.at("unused"))
            unused.emplace(rule.value("kind", ""), rule.value("rule_line", std::int64_t{0}));
        EXPECT_EQ(unused, expectedUnused);
        if (HasFailure())
            return;
    }
}

} // namespace
