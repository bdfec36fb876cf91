// The rules report, the dry run, errtool rules-report and errtool sarif on the bundled example,
// through the real suppresszembrel and errtool.
#include "M_InputBonnie.h"
#include "U_JsonValue.h"
#include "U_LocationData.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <tuple>

using testsupport::ProcessResult;
using testsupport::TempDir;
using testsupport::builtProgram;
using testsupport::readBytes;
using testsupport::runProcess;
using testsupport::sourceFile;
using testsupport::writeBytes;

namespace fs = std::filesystem;

namespace {

// Where scripts/setup installs the SARIF schema and its validator; ZEMB_SARIF_TOOLS overrides it.
std::string sarifTools()
{
    const char* given = std::getenv("ZEMB_SARIF_TOOLS");
    return given && *given ? given : "/usr/local/lib/zembrel-sarif";
}

// The report's lines, each read as JSON; every line must end with CR LF and parse.
std::vector<U_JsonValue> reportLines(const std::string& path)
{
    const std::string text = readBytes(path);
    std::vector<U_JsonValue> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "unfinished last line";
        if (end == std::string::npos)
            break;
        lines.push_back(U_JsonValue::parse(text.substr(start, end - start)));
        start = end + 2;
    }
    return lines;
}

std::vector<U_JsonValue> linesOfType(const std::vector<U_JsonValue>& lines, const std::string& type)
{
    std::vector<U_JsonValue> chosen;
    for (const U_JsonValue& line : lines)
        if (line.stringAt("type") == type)
            chosen.push_back(line);
    return chosen;
}

// Whether one line of the text holds the pieces in this order (table columns are padded).
bool hasRow(const std::string& text, const std::vector<std::string>& pieces)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        std::size_t at = 0;
        bool all = true;
        for (const std::string& piece : pieces) {
            at = line.find(piece, at);
            if (at == std::string::npos) {
                all = false;
                break;
            }
            at += piece.size();
        }
        if (all)
            return true;
        start = end + 1;
    }
    return false;
}

// What identifies an appended record: error file, message number, file, line, column.
using RecordKey = std::tuple<std::string, std::int64_t, std::string, std::int64_t, std::int64_t>;

// The example project (examples/project) installed in a temporary directory as the demo does: the
// tool with the example's rules files beside it, the sources, and the analyser's error files.
class RulesReportEndToEndTest : public testing::Test {
protected:
    RulesReportEndToEndTest() : root(fs::canonical(dir.path()).string())
    {
        writeBytes(path("bin/velcpp.cfg"), "#options\n");
        writeBytes(path("home/.keep"), "");
        fs::create_directories(path("tool"));
        fs::create_directories(path("out"));
        fs::create_directories(path("src"));
        fs::create_symlink(builtProgram("app/suppresszembrel"), path("tool/suppresszembrel"));
        for (const char* rules : {"suppressions.txt", "parameter_suppressions.txt"})
            fs::copy_file(sourceFile(std::string("examples/project/rules/") + rules), path(std::string("tool/") + rules));
        for (const char* source : {"main.cpp", "sensor.cpp", "sensor.h"})
            fs::copy_file(sourceFile(std::string("examples/project/src/") + source), path(std::string("src/") + source));
        for (const std::string& source : sources) {
            std::string description = readBytes(sourceFile("examples/project/errors/" + source + ".txt"));
            for (std::size_t at; (at = description.find("@SRC@")) != std::string::npos;)
                description.replace(at, 5, path("src"));
            writeBytes(path("desc.txt"), description);
            const ProcessResult made = errtool({"make", path("desc.txt"), errorFile(source)});
            EXPECT_EQ(made.status, 0) << made.err;
        }
        options.workingDirectory = root;
        options.env = {{"VELCPPBIN", path("bin")}, {"VELCPPTEMPFILES", root}, {"HOME", path("home")},
                       {"PATH", "/usr/bin:/bin"}};
    }

    std::string path(const std::string& name) const { return root + "/" + name; }
    std::string errorFile(const std::string& source) const { return path("out/" + source + ".err"); }

    ProcessResult errtool(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), builtProgram("tools/errtool/errtool"));
        return runProcess(arguments);
    }

    // One run of the tool as the generated batch file starts it, with further arguments.
    ProcessResult tool(const std::string& source, const std::vector<std::string>& more = {}) const
    {
        std::vector<std::string> argv{path("tool/suppresszembrel"), "VELCPP", "-op", path("out"), "src/" + source,
                                      "-forget", "cmaf"};
        argv.insert(argv.end(), more.begin(), more.end());
        return runProcess(argv, options);
    }

    // The example's build: one run per analysed file; the outputs and statuses joined.
    ProcessResult build(const std::vector<std::string>& more = {}) const
    {
        ProcessResult all{0, "", ""};
        for (const std::string& source : sources) {
            const ProcessResult r = tool(source, more);
            all.status = std::max(all.status, r.status);
            all.out += r.out;
            all.err += r.err;
        }
        return all;
    }

    std::map<std::string, std::string> errorFiles() const
    {
        std::map<std::string, std::string> bytes;
        for (const std::string& source : sources)
            bytes[source] = readBytes(errorFile(source));
        return bytes;
    }

    // Every suppression record appended after the analyser's own block, by error file.
    std::multiset<RecordKey> appendedRecords() const
    {
        std::multiset<RecordKey> records;
        for (const std::string& source : sources) {
            const auto reader = M_InputBonnie::openAndRead(errorFile(source), "x");
            EXPECT_TRUE(reader);
            if (!reader)
                continue;
            // Block 1 is the analyser's; the tool appends from block 2 on.
            const std::size_t first = reader->blockStarts().size() > 1 ? reader->blockStarts()[1].suppressions : 0;
            for (std::size_t i = first; i < reader->suppressions().size(); ++i) {
                const auto& record = *reader->suppressions()[i];
                const U_LocationData& at = *record.rangeStart();
                records.emplace(errorFile(source), std::stoll(record.messageRanges().at(0).first), at.file().fullName(),
                                at.line(), at.column());
            }
        }
        return records;
    }

    static std::multiset<RecordKey> recordKeys(const std::vector<U_JsonValue>& records)
    {
        std::multiset<RecordKey> keys;
        for (const U_JsonValue& r : records)
            keys.emplace(r.stringAt("error_file"), r.integerAt("message"), r.stringAt("file"), r.integerAt("line"),
                         r.integerAt("column"));
        return keys;
    }

    const std::vector<std::string> sources{"sensor.cpp", "main.cpp"};
    TempDir dir;
    std::string root;
    testsupport::ProcessOptions options;
};

TEST_F(RulesReportEndToEndTest, reportLinesMatchTheAppendedRecordsOneForOne)
{
    const std::string report = path("build/report.jsonl");
    fs::create_directories(path("build"));
    const ProcessResult r = build({"-po", "suppresszembrel::report=" + report});
    ASSERT_EQ(r.status, 0) << r.out << r.err;

    const std::vector<U_JsonValue> lines = reportLines(report);
    const std::vector<U_JsonValue> records = linesOfType(lines, "record");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(recordKeys(records), appendedRecords());

    // Each run's block starts with its run line; the two runs together appended every record.
    const std::vector<U_JsonValue> runs = linesOfType(lines, "run");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(lines.front().stringAt("type"), "run");
    EXPECT_EQ(runs[0].integerAt("records") + runs[1].integerAt("records"), static_cast<std::int64_t>(records.size()));
    EXPECT_EQ(runs[0].integerAt("diagnostics") + runs[1].integerAt("diagnostics"), 10);
    EXPECT_EQ(runs[0].stringAt("message_rules"), path("tool/suppressions.txt"));
    EXPECT_EQ(runs[0].stringAt("message_rules_sha256").size(), 64u);
    EXPECT_EQ(runs[0].integerAt("dry_run"), 0);

    // What a record tells: the rule with its file, line, text and kind, and what it matched.
    bool sawMessageRule = false;
    bool sawParameterRule = false;
    for (const U_JsonValue& record : records) {
        if (record.stringAt("kind") == "message" && record.integerAt("line") == 14) {
            sawMessageRule = true;
            EXPECT_EQ(record.stringAt("rules_file"), path("tool/suppressions.txt"));
            EXPECT_EQ(record.integerAt("rule_line"), 2);
            EXPECT_EQ(record.stringAt("rule"), "2100 // legacy cast");
            EXPECT_EQ(record.stringAt("matched"), "    return (int)(sample * kGain); // legacy cast kept for the old compiler");
            EXPECT_EQ(record.stringAt("error_file"), errorFile("sensor.cpp"));
        }
        if (record.stringAt("kind") == "parameter" && record.integerAt("message") == 1021) {
            sawParameterRule = true;
            EXPECT_EQ(record.integerAt("position"), 1);
            EXPECT_EQ(record.integerAt("rule_line"), 1);
            EXPECT_EQ(record.stringAt("matched"), "SENSOR_CHANNELS");
            EXPECT_EQ(record.stringAt("file"), path("src/sensor.h"));
        }
    }
    EXPECT_TRUE(sawMessageRule);
    EXPECT_TRUE(sawParameterRule);

    // The rule that does not compile: one line per run, with the matcher's reason.
    const std::vector<U_JsonValue> unusable = linesOfType(lines, "unusable");
    ASSERT_EQ(unusable.size(), 2u);
    EXPECT_EQ(unusable[0].integerAt("rule_line"), 4);
    EXPECT_EQ(unusable[0].stringAt("rule"), "3030 // checked: (");
    EXPECT_EQ(unusable[0].stringAt("reason").rfind("regex compilation error: ", 0), 0u) << unusable[0].stringAt("reason");

    // A second build finds everything suppressed: its runs report no record.
    ASSERT_EQ(build({"-po", "suppresszembrel::report=" + report}).status, 0);
    const std::vector<U_JsonValue> again = reportLines(report);
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
    std::vector<std::string> stopping{path("tool/suppresszembrel"), "VELCPP", "-op", path("out"), "src/sensor.cpp",
                                      "src/missing.cpp", "src/main.cpp"};
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
    const std::vector<U_JsonValue> stopLines = reportLines(path("stop.jsonl"));
    ASSERT_EQ(linesOfType(stopLines, "run").size(), 1u);
    EXPECT_EQ(linesOfType(stopLines, "run")[0].integerAt("files"), 1);
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
    EXPECT_NE(listed.out.find("Would suppress " + path("src/sensor.cpp") + ":14:12 Msg=2100 by " +
                              path("tool/suppressions.txt") + ":2: 2100 // legacy cast\n"),
              std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("Dry run: 1 files, 5 diagnostics examined, 4 suppression records would be appended; "
                              "no error file was changed.\n"),
              std::string::npos)
        << listed.out;

    // With a report file: the records it would append, exactly those a real run then appends.
    const ProcessResult dry = build({"-po", "suppresszembrel::report=" + path("dry.jsonl"), "-po",
                                     "suppresszembrel::dry_run=1"});
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(dry.out.find("Would suppress"), std::string::npos);
    EXPECT_EQ(errorFiles(), before);
    const std::vector<U_JsonValue> dryLines = reportLines(path("dry.jsonl"));
    EXPECT_EQ(linesOfType(dryLines, "run")[0].integerAt("dry_run"), 1);

    ASSERT_EQ(build().status, 0);
    const std::multiset<RecordKey> appended = appendedRecords();
    EXPECT_EQ(recordKeys(linesOfType(dryLines, "record")), appended);
    EXPECT_EQ(wouldSuppress, appended.size());

    // The exit status is that of a real run: a missing error file stops both with 10.
    fs::remove(errorFile("main.cpp"));
    const ProcessResult stopped = tool("main.cpp", {"-po", "suppresszembrel::dry_run=1"});
    EXPECT_EQ(stopped.status, 10);
    EXPECT_EQ(stopped.out.rfind("Failed to open .err file for src/main.cpp\n", 0), 0u) << stopped.out;
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
    EXPECT_NE(r.out.find("WARNING: Cannot write report file '" + report + "'.\n"), std::string::npos) << r.out;
    EXPECT_EQ(appendedRecords().size(), 6u); // the error files came first
}

TEST_F(RulesReportEndToEndTest, rulesReportListsTheExamplesUnusedAndBrokenRules)
{
    const std::string report = path("report.jsonl");
    ASSERT_EQ(build({"-po", "suppresszembrel::report=" + report}).status, 0);
    const ProcessResult text = errtool({"rules-report", report, "--rules", path("tool/suppressions.txt"),
                                        "--parameter-rules", path("tool/parameter_suppressions.txt")});
    ASSERT_EQ(text.status, 0) << text.err;
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
    const U_JsonValue read = U_JsonValue::parse(json.out);
    ASSERT_EQ(read.find("unused")->items().size(), 2u);
    EXPECT_EQ(read.find("unused")->items()[0].integerAt("rule_line"), 3);
    EXPECT_EQ(read.find("unusable")->items().size(), 1u);
    EXPECT_EQ(read.find("runs")->integerAt("records"), 6);
    std::int64_t hits = 0;
    for (const U_JsonValue& rule : read.find("hits")->items())
        hits += rule.integerAt("hits");
    EXPECT_EQ(hits, 6);
    EXPECT_EQ(read.find("changed")->items().size(), 0u);
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
    const U_JsonValue json = U_JsonValue::parse(
        errtool({"rules-report", report, "--rules", path("tool/suppressions.txt"), "--json"}).out);
    std::set<std::int64_t> unusedLines;
    for (const U_JsonValue& rule : json.find("unused")->items())
        unusedLines.insert(rule.integerAt("rule_line"));
    EXPECT_EQ(unusedLines, (std::set<std::int64_t>{1, 2, 4})); // the new rule, 3030 and NOLINT
    EXPECT_EQ(json.find("changed")->items().size(), 2u);

    // A rules file that no run read is said to be so, and nothing is listed from it.
    writeBytes(path("other.txt"), "1 x\n");
    const ProcessResult other = errtool({"rules-report", report, "--rules", path("other.txt")});
    EXPECT_NE(other.out.find(path("other.txt") + ": no run in the reports read this content"), std::string::npos)
        << other.out;
}

TEST_F(RulesReportEndToEndTest, sarifOfTheExampleValidatesAndCarriesItsSuppressions)
{
    ASSERT_EQ(build().status, 0);
    const std::size_t appended = appendedRecords().size();
    const std::string sarif = path("example.sarif");
    const ProcessResult made =
        errtool({"sarif", errorFile("sensor.cpp"), errorFile("main.cpp"), "--source-root", root, "-o", sarif});
    ASSERT_EQ(made.status, 0) << made.err;

    const std::string validator = sourceFile("tests/app/validate-sarif.js");
    ASSERT_TRUE(testsupport::fileExists(sarifTools() + "/node_modules/ajv/package.json"))
        << "the SARIF schema and validator are missing: run scripts/setup";
    const ProcessResult valid = runProcess({"/usr/bin/env", "node", validator, sarifTools(), sarif});
    EXPECT_EQ(valid.status, 0) << valid.out << valid.err;

    const U_JsonValue log = U_JsonValue::parse(readBytes(sarif));
    EXPECT_EQ(log.stringAt("version"), "2.1.0");
    const U_JsonValue& run = log.find("runs")->items().at(0);
    EXPECT_EQ(run.find("tool")->find("driver")->stringAt("name"), "VEL");
    EXPECT_EQ(run.find("tool")->find("driver")->find("rules")->items().size(), 7u); // message numbers seen
    const auto& results = run.find("results")->items();
    EXPECT_EQ(results.size(), 10u);
    std::size_t external = 0;
    bool headerResultHasItsIncludeLine = false;
    for (const U_JsonValue& result : results) {
        if (const U_JsonValue* suppressions = result.find("suppressions")) {
            const U_JsonValue& first = suppressions->items().at(0);
            EXPECT_EQ(first.stringAt("kind"), "external");
            EXPECT_EQ(first.stringAt("justification"), "Auto");
            ++external;
        }
        const U_JsonValue& location = result.find("locations")->items().at(0).find("physicalLocation")->members()[0].second;
        if (location.stringAt("uri") == "src/sensor.h") {
            EXPECT_EQ(location.stringAt("uriBaseId"), "SRCROOT");
            const U_JsonValue& related = result.find("relatedLocations")->items().at(0);
            const U_JsonValue* includeRegion = related.find("physicalLocation")->find("region");
            ASSERT_NE(includeRegion, nullptr);
            headerResultHasItsIncludeLine = includeRegion->integerAt("startLine") == 2;
        }
    }
    EXPECT_EQ(external, appended);
    EXPECT_TRUE(headerResultHasItsIncludeLine);

    // The validator does refuse what is not SARIF 2.1.0: line numbers count from 1.
    std::string broken = readBytes(sarif);
    broken.replace(broken.find("\"startLine\": "), 15, "\"startLine\": 0,");
    writeBytes(path("broken.sarif"), broken);
    EXPECT_EQ(runProcess({"/usr/bin/env", "node", validator, sarifTools(), path("broken.sarif")}).status, 1);
}

} // namespace
