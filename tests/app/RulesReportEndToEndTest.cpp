// The rules report, the dry run, errtool rules-report and errtool sarif on the bundled example,
// through the real suppresszembrel and errtool.
#include "ExampleProject.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace apptest {
namespace {

namespace fs = std::filesystem;
using testsupport::consoleText;
using testsupport::ProcessResult;
using testsupport::readBytes;
using testsupport::runProcess;
using testsupport::writeBytes;

using RulesReportEndToEndTest = ExampleProject;

TEST_F(RulesReportEndToEndTest, reportLinesMatchTheAppendedRecordsOneForOne)
{
    const std::string report = path("build/report.jsonl");
    fs::create_directories(path("build"));
    const ProcessResult r = build({"-po", "suppresszembrel::report=" + report});
    ASSERT_EQ(r.status, 0) << r.out << r.err;

    const std::vector<nlohmann::json> lines = reportLines(report);
    const std::vector<nlohmann::json> records = linesOfType(lines, "record");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(recordKeys(records), appendedRecords());

    // Each run's block starts with its run line; the two runs together appended every record.
    const std::vector<nlohmann::json> runs = linesOfType(lines, "run");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(lines.front().value("type", ""), "run");
    EXPECT_EQ(runs[0].value("records", std::int64_t{0}) + runs[1].value("records", std::int64_t{0}), static_cast<std::int64_t>(records.size()));
    EXPECT_EQ(runs[0].value("diagnostics", std::int64_t{0}) + runs[1].value("diagnostics", std::int64_t{0}), 10);
    EXPECT_EQ(runs[0].value("message_rules", ""), path("tool/suppressions.txt"));
    EXPECT_EQ(runs[0].value("message_rules_sha256", "").size(), 64u);
    EXPECT_EQ(runs[0].value("dry_run", std::int64_t{0}), 0);

    // What a record tells: the rule with its file, line, text and kind, and what it matched.
    bool sawMessageRule = false;
    bool sawParameterRule = false;
    for (const nlohmann::json& record : records) {
        if (record.value("kind", "") == "message" && record.value("line", std::int64_t{0}) == 14) {
            sawMessageRule = true;
            EXPECT_EQ(record.value("rules_file", ""), path("tool/suppressions.txt"));
            EXPECT_EQ(record.value("rule_line", std::int64_t{0}), 2);
            EXPECT_EQ(record.value("rule", ""), "2100 // legacy cast");
            EXPECT_EQ(record.value("matched", ""), "    return (int)(sample * kGain); // legacy cast kept for the old compiler");
            EXPECT_EQ(record.value("error_file", ""), errorFile("sensor.cpp"));
        }
        if (record.value("kind", "") == "parameter" && record.value("message", std::int64_t{0}) == 1021) {
            sawParameterRule = true;
            EXPECT_EQ(record.value("position", std::int64_t{0}), 1);
            EXPECT_EQ(record.value("rule_line", std::int64_t{0}), 1);
            EXPECT_EQ(record.value("matched", ""), "SENSOR_CHANNELS");
            EXPECT_EQ(record.value("file", ""), path("src/sensor.h"));
        }
    }
    EXPECT_TRUE(sawMessageRule);
    EXPECT_TRUE(sawParameterRule);

    // The rule that does not compile: one line per run, with the matcher's reason.
    const std::vector<nlohmann::json> unusable = linesOfType(lines, "unusable");
    ASSERT_EQ(unusable.size(), 2u);
    EXPECT_EQ(unusable[0].value("rule_line", std::int64_t{0}), 4);
    EXPECT_EQ(unusable[0].value("rule", ""), "3030 // checked: (");
    EXPECT_EQ(unusable[0].value("reason", "").rfind("regex compilation error: ", 0), 0u) << unusable[0].value("reason", "");

    // A second build finds everything suppressed: its runs report no record.
    ASSERT_EQ(build({"-po", "suppresszembrel::report=" + report}).status, 0);
    const std::vector<nlohmann::json> again = reportLines(report);
    EXPECT_EQ(linesOfType(again, "record").size(), records.size());
    EXPECT_EQ(linesOfType(again, "run").size(), 4u);
}

// Without the new settings nothing changes: the same output, exit status and appended bytes as a
// run that reports, and no file besides the error files is written.
TEST_F(RulesReportEndToEndTest, aRunWithoutTheNewSettingsBehavesByteForByteAsBefore)
{
    const std::map<std::string, std::string> before = errorFiles();
    const ProcessResult plain = build();
    const std::map<std::string, std::string> plainBytes = errorFiles();
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        names.insert(entry.path().string());

    for (const auto& [source, bytes] : before)
        writeBytes(errorFile(source), bytes);
    const ProcessResult reported = build({"-po", "suppresszembrel::report=" + path("report.jsonl")});
    EXPECT_EQ(reported.status, plain.status);
    EXPECT_EQ(reported.out, plain.out);
    EXPECT_EQ(reported.err, plain.err);
    EXPECT_EQ(errorFiles(), plainBytes);
    EXPECT_TRUE(testsupport::fileExists(path("report.jsonl")));
    for (const auto& entry : fs::recursive_directory_iterator(root))
        EXPECT_TRUE(names.count(entry.path().string()) == 1 || entry.path() == path("report.jsonl"))
            << entry.path() << " written by a run without the new settings";

    // A run that stops (a missing source after one that was processed) stops the same way.
    for (const auto& [source, bytes] : before)
        writeBytes(errorFile(source), bytes);
    std::vector<std::string> stopping = toolCommand({"sensor.cpp", "missing.cpp", "main.cpp"});
    const ProcessResult plainStop = runProcess(stopping, options);
    const std::map<std::string, std::string> stopBytes = errorFiles();
    for (const auto& [source, bytes] : before)
        writeBytes(errorFile(source), bytes);
    stopping.push_back("-po");
    stopping.push_back("suppresszembrel::report=" + path("stop.jsonl"));
    const ProcessResult reportedStop = runProcess(stopping, options);
    EXPECT_EQ(plainStop.status, 10);
    EXPECT_EQ(reportedStop.status, plainStop.status);
    EXPECT_EQ(reportedStop.out, plainStop.out);
    EXPECT_EQ(errorFiles(), stopBytes);
    // The stopped run reports what the file before the stop got.
    const std::vector<nlohmann::json> stopLines = reportLines(path("stop.jsonl"));
    ASSERT_EQ(linesOfType(stopLines, "run").size(), 1u);
    EXPECT_EQ(linesOfType(stopLines, "run")[0].value("files", std::int64_t{0}), 1);
    EXPECT_EQ(linesOfType(stopLines, "record").size(), 4u);
}

TEST_F(RulesReportEndToEndTest, dryRunLeavesEveryErrorFileByteIdenticalAndReportsWhatARealRunWould)
{
    const std::map<std::string, std::string> before = errorFiles();

    // Without a report file: a readable list on standard output, one line per record.
    const ProcessResult listed = build({"-po", "suppresszembrel::dry_run=1"});
    EXPECT_EQ(listed.status, 0) << listed.out << listed.err;
    EXPECT_EQ(errorFiles(), before);
    std::size_t wouldSuppress = 0;
    for (std::size_t at = 0; (at = listed.out.find("Would suppress ", at)) != std::string::npos; ++at)
        ++wouldSuppress;
    EXPECT_NE(listed.out.find(consoleText("Would suppress " + path("src/sensor.cpp") + ":14:12 Msg=2100 by " +
                                          path("tool/suppressions.txt") + ":2: 2100 // legacy cast\n")),
              std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find(consoleText("Dry run: 1 files, 5 diagnostics examined, 4 suppression records would be "
                                          "appended; no error file was changed.\n")),
              std::string::npos)
        << listed.out;

    // With a report file: the records it would append, exactly those a real run then appends.
    const ProcessResult dry = build({"-po", "suppresszembrel::report=" + path("dry.jsonl"), "-po",
                                     "suppresszembrel::dry_run=1"});
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(dry.out.find("Would suppress"), std::string::npos);
    EXPECT_EQ(errorFiles(), before);
    const std::vector<nlohmann::json> dryLines = reportLines(path("dry.jsonl"));
    EXPECT_EQ(linesOfType(dryLines, "run")[0].value("dry_run", std::int64_t{0}), 1);

    ASSERT_EQ(build().status, 0);
    const std::multiset<RecordKey> appended = appendedRecords();
    EXPECT_EQ(recordKeys(linesOfType(dryLines, "record")), appended);
    EXPECT_EQ(wouldSuppress, appended.size());

    // The exit status is that of a real run: a missing error file stops both with 10.
    fs::remove(errorFile("main.cpp"));
    const ProcessResult stopped = tool("main.cpp", {"-po", "suppresszembrel::dry_run=1"});
    EXPECT_EQ(stopped.status, 10);
    EXPECT_EQ(stopped.out.rfind(consoleText("Failed to open .err file for src/main.cpp\n"), 0), 0u) << stopped.out;
}

TEST_F(RulesReportEndToEndTest, settingsInTheConfigurationFileOrAPersonalityApplyToEveryRun)
{
    const std::map<std::string, std::string> before = errorFiles();
    writeBytes(path("bin/velcpp.cfg"), "#options\r\n-po suppresszembrel::report=" + path("cfg.jsonl") +
                                           "\r\n-po suppresszembrel::dry_run=1\r\n");
    const ProcessResult r = build();
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(errorFiles(), before);
    EXPECT_EQ(linesOfType(reportLines(path("cfg.jsonl")), "run").size(), 2u);

    // A personality: an options file read through -via.
    writeBytes(path("bin/velcpp.cfg"), "#options\n");
    writeBytes(path("team.p_a"), "-po suppresszembrel::report=" + path("via.jsonl") + "\n");
    ASSERT_EQ(build({"-via", path("team.p_a")}).status, 0);
    EXPECT_EQ(linesOfType(reportLines(path("via.jsonl")), "record").size(), 6u);
}

TEST_F(RulesReportEndToEndTest, reportThatCannotBeWrittenIsSaidAndTheRunGoesOn)
{
    const std::string report = path("no-such-directory/report.jsonl");
    const ProcessResult r = build({"-po", "suppresszembrel::report=" + report});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(consoleText("WARNING: Cannot write report file '" + report + "'.\n")), std::string::npos)
        << r.out;
    EXPECT_EQ(appendedRecords().size(), 6u); // the error files came first

    // A report file that may not be written: POSIX by its mode, Windows by its read-only attribute.
    if (!testsupport::fileModesBindThisProcess())
        return;
    const std::string readOnly = path("read-only.jsonl");
    writeBytes(readOnly, "");
    fs::permissions(readOnly, fs::perms::owner_read);
    const ProcessResult refused = tool("main.cpp", {"-po", "suppresszembrel::report=" + readOnly});
    fs::permissions(readOnly, fs::perms::owner_all);
    EXPECT_EQ(refused.status, 0);
    EXPECT_NE(refused.out.find(consoleText("WARNING: Cannot write report file '" + readOnly + "'.\n")),
              std::string::npos)
        << refused.out;
    EXPECT_EQ(readBytes(readOnly), "");
}

// A report whose last line has no line end: a run terminated in the middle of its lines left it
// (Windows writes the lines in place), or another program did. The next run never continues that
// line, and errtool rules-report reads every whole line.
TEST_F(RulesReportEndToEndTest, unfinishedLastLineOfAReportIsNeverContinued)
{
    const std::string report = path("report.jsonl");
    const std::vector<std::string> reporting{"-po", "suppresszembrel::report=" + report};
    ASSERT_EQ(tool("sensor.cpp", reporting).status, 0);
    const std::string firstRun = readBytes(report);
    const std::string unfinished = "{\"type\":\"record\",\"rules_file\":\"" + path("tool/supp");
    writeBytes(report, firstRun + unfinished);
    const ProcessResult torn = errtool({"rules-report", report, "--json"});
    ASSERT_EQ(torn.status, 0) << torn.err;
    EXPECT_EQ(nlohmann::json::parse(torn.out).at("runs").value("records", std::int64_t{0}), 4);
    EXPECT_EQ(nlohmann::json::parse(torn.out).at("notes").at(0).get<std::string>(),
              report + ": an unfinished last line (no line end) was skipped");

    ASSERT_EQ(tool("main.cpp", reporting).status, 0);
    const std::string after = readBytes(report);
    ASSERT_EQ(after.compare(0, firstRun.size(), firstRun), 0) << "earlier lines changed";
    std::string secondRun = after.substr(firstRun.size());
#ifndef _WIN32
    // POSIX: only another program can leave it; its line is ended and kept.
    ASSERT_EQ(secondRun.rfind(unfinished + "\r\n", 0), 0u) << secondRun;
    secondRun.erase(0, unfinished.size() + 2);
#endif
    // Windows: what a terminated writer left is cut off, and the run's lines follow the whole ones.
    EXPECT_EQ(secondRun.rfind("{\"type\":\"run\",", 0), 0u) << secondRun;
    EXPECT_EQ(after.back(), '\n');
    const nlohmann::json read = nlohmann::json::parse(errtool({"rules-report", report, "--json"}).out);
    EXPECT_EQ(read.at("runs").value("runs", std::int64_t{0}), 2);
    EXPECT_EQ(read.at("runs").value("records", std::int64_t{0}), 6);
#ifdef _WIN32
    EXPECT_EQ(read.at("notes").size(), 0u);
#else
    ASSERT_EQ(read.at("notes").size(), 1u);
    EXPECT_EQ(read.at("notes")[0].get<std::string>(), report + ": 1 lines that are not report lines were skipped");
#endif
}

TEST_F(RulesReportEndToEndTest, rulesReportListsTheExamplesUnusedAndBrokenRules)
{
    const std::string report = path("report.jsonl");
    ASSERT_EQ(build({"-po", "suppresszembrel::report=" + report}).status, 0);
    // The rules files given as a user spells them: on Windows with backslashes, elsewhere through
    // a detour. Their unused rules are named as the runs named the files.
#ifdef _WIN32
    std::string toolDirectory = path("tool");
    std::replace(toolDirectory.begin(), toolDirectory.end(), '/', '\\');
    toolDirectory += "\\";
#else
    const std::string toolDirectory = path("src/../tool/");
#endif
    const ProcessResult text = errtool({"rules-report", report, "--rules", toolDirectory + "suppressions.txt",
                                        "--parameter-rules", toolDirectory + "parameter_suppressions.txt"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.find(toolDirectory), std::string::npos) << text.out;
    const std::string& out = text.out;
    const auto unusedAt = out.find("Unused rules");
    const auto unusableAt = out.find("Rules that could not be used");
    ASSERT_NE(unusedAt, std::string::npos) << out;
    ASSERT_NE(unusableAt, std::string::npos) << out;
    const std::string unused = out.substr(unusedAt, unusableAt - unusedAt);
    EXPECT_TRUE(hasRow(unused, {path("tool/suppressions.txt") + ":3 ", " message ", " 2100 NOLINT\\(cast\\)"})) << out;
    EXPECT_TRUE(hasRow(unused, {path("tool/parameter_suppressions.txt") + ":4 ", " parameter ", " 5010 1 ^kLegacy"}))
        << out;
    EXPECT_EQ(unused.find("legacy cast"), std::string::npos) << "a rule that hit is not unused";
    EXPECT_TRUE(hasRow(out.substr(unusableAt), {" 2 ", path("tool/suppressions.txt") + ":4 ", " regex compilation error: ",
                                                "3030 // checked: ("}))
        << out;
    EXPECT_TRUE(hasRow(out, {"  2  ", path("tool/suppressions.txt") + ":2 ", "2100 // legacy cast"})) << out;

    // --json: the same content for scripts.
    const ProcessResult json = errtool({"rules-report", report, "--rules", path("tool/suppressions.txt"),
                                        "--parameter-rules", path("tool/parameter_suppressions.txt"), "--json"});
    ASSERT_EQ(json.status, 0);
    const nlohmann::json read = nlohmann::json::parse(json.out);
    ASSERT_EQ(read.at("unused").size(), 2u);
    EXPECT_EQ(read.at("unused")[0].value("rule_line", std::int64_t{0}), 3);
    EXPECT_EQ(read.at("unusable").size(), 1u);
    EXPECT_EQ(read.at("runs").value("records", std::int64_t{0}), 6);
    std::int64_t hits = 0;
    for (const nlohmann::json& rule : read.at("hits"))
        hits += rule.value("hits", std::int64_t{0});
    EXPECT_EQ(hits, 6);
    EXPECT_EQ(read.at("changed").size(), 0u);
}

TEST_F(RulesReportEndToEndTest, rulesFileChangedBetweenRunsIsReportedNotMixed)
{
    const std::string report = path("report.jsonl");
    ASSERT_EQ(tool("sensor.cpp", {"-po", "suppresszembrel::report=" + report}).status, 0);
    // A rule inserted at the top moves every other rule down a line.
    const std::string rules = readBytes(path("tool/suppressions.txt"));
    writeBytes(path("tool/suppressions.txt"), "1234 new rule\n" + rules);
    ASSERT_EQ(tool("main.cpp", {"-po", "suppresszembrel::report=" + report}).status, 0);

    const ProcessResult r = errtool({"rules-report", report, "--rules", path("tool/suppressions.txt")});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Rules files whose content changed between runs"), std::string::npos) << r.out;
    // "2100 // legacy cast" hit once in each content, at line 2 and at line 3: two rows, not one.
    EXPECT_TRUE(hasRow(r.out, {" 1 ", path("tool/suppressions.txt") + ":2 ", "2100 // legacy cast"})) << r.out;
    EXPECT_TRUE(hasRow(r.out, {" 1 ", path("tool/suppressions.txt") + ":3 ", "2100 // legacy cast"})) << r.out;
    // Compared with the current file, only the current content's hits count.
    const nlohmann::json json = nlohmann::json::parse(
        errtool({"rules-report", report, "--rules", path("tool/suppressions.txt"), "--json"}).out);
    std::set<std::int64_t> unusedLines;
    for (const nlohmann::json& rule : json.at("unused"))
        unusedLines.insert(rule.value("rule_line", std::int64_t{0}));
    EXPECT_EQ(unusedLines, (std::set<std::int64_t>{1, 2, 4})); // the new rule, 3030 and NOLINT
    EXPECT_EQ(json.at("changed").size(), 2u);

    // A rules file that no run read is said to be so, and nothing is listed from it.
    writeBytes(path("other.txt"), "1 x\n");
    const ProcessResult other = errtool({"rules-report", report, "--rules", path("other.txt")});
    EXPECT_NE(other.out.find(path("other.txt") + ": no run in the reports read this content"), std::string::npos)
        << other.out;
}

// The log's content; SarifSchemaPosixTest validates it against the schema, and scripts/test
// validates the one the Win32 build writes.
TEST_F(RulesReportEndToEndTest, sarifOfTheExampleCarriesItsResultsAndSuppressions)
{
    ASSERT_EQ(build().status, 0);
    const std::size_t appended = appendedRecords().size();
    const std::string sarif = path("example.sarif");
    const ProcessResult made = sarifOfTheExample(sarif);
    ASSERT_EQ(made.status, 0) << made.err;

    const std::string bytes = readBytes(sarif);
    for (std::size_t lf = bytes.find('\n'); lf != std::string::npos; lf = bytes.find('\n', lf + 1))
        ASSERT_EQ(bytes[lf - 1], '\r') << "a text file: CR LF line ends";
    const nlohmann::json log = nlohmann::json::parse(bytes);
    EXPECT_EQ(log.value("version", ""), "2.1.0");
    const nlohmann::json& run = log.at("runs").at(0);
    EXPECT_EQ(run.at("tool").at("driver").value("name", ""), "VEL");
    EXPECT_EQ(run.at("tool").at("driver").at("rules").size(), 7u); // message numbers seen
    // The source root as a file URI: a path with a drive letter gets a third slash before it.
#ifdef _WIN32
    const std::string rootUri = "file:///" + root + "/";
    ASSERT_EQ(root.substr(1, 2), ":/");
#else
    const std::string rootUri = "file://" + root + "/";
    ASSERT_EQ(root.front(), '/');
#endif
    EXPECT_EQ(run.at("originalUriBaseIds").at("SRCROOT").value("uri", ""), rootUri);
    const auto& results = run.at("results");
    EXPECT_EQ(results.size(), 10u);
    std::size_t external = 0;
    bool headerResultHasItsIncludeLine = false;
    for (const nlohmann::json& result : results) {
        if (result.contains("suppressions")) {
            const nlohmann::json& first = result.at("suppressions").at(0);
            EXPECT_EQ(first.value("kind", ""), "external");
            EXPECT_EQ(first.value("justification", ""), "Auto");
            ++external;
        }
        const nlohmann::json& location = result.at("locations").at(0).at("physicalLocation").at("artifactLocation");
        EXPECT_EQ(location.value("uriBaseId", ""), "SRCROOT") << location.value("uri", "");
        if (location.value("uri", "") == "src/sensor.h") {
            const nlohmann::json& related = result.at("relatedLocations").at(0);
            const nlohmann::json& includeRegion = related.at("physicalLocation").at("region");
            headerResultHasItsIncludeLine = includeRegion.value("startLine", std::int64_t{0}) == 2;
        }
    }
    EXPECT_EQ(external, appended);
    EXPECT_TRUE(headerResultHasItsIncludeLine);

    // The source root spelt in capitals (on Windows with backslashes, as users type it there).
    std::string typed = root;
    for (char& c : typed)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
#ifdef _WIN32
    std::replace(typed.begin(), typed.end(), '/', '\\');
#endif
    ASSERT_EQ(sarifOfTheExample(path("typed.sarif"), typed).status, 0);
    const nlohmann::json typedRun = nlohmann::json::parse(readBytes(path("typed.sarif"))).at("runs").at(0);
    const nlohmann::json& first = typedRun.at("results").at(0);
    const nlohmann::json& firstLocation = first.at("locations").at(0).at("physicalLocation").at("artifactLocation");
#ifdef _WIN32
    // Windows: the same directory, so the files stay relative to it.
    EXPECT_EQ(firstLocation.value("uriBaseId", ""), "SRCROOT") << firstLocation.value("uri", "");
    EXPECT_EQ(firstLocation.value("uri", "").rfind("src/", 0), 0u) << firstLocation.value("uri", "");
#else
    // POSIX: another directory, so the files are named by their own URIs.
    EXPECT_EQ(firstLocation.value("uriBaseId", ""), "");
    EXPECT_EQ(firstLocation.value("uri", "").rfind(rootUri + "src/", 0), 0u) << firstLocation.value("uri", "");
#endif
}

} // namespace
} // namespace apptest
