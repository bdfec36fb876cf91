// Many runs writing one report file at once, and runs killed while they write it: every line whole.
#include "ChildProcess.h"
#include "ToolSandbox.h"

#include "TestSupport.h"

#include "TestSeed.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

namespace reltest {
namespace {

// Checks that the report is a sequence of whole lines (each a JSON object ended by CR LF) and
// answers them.
std::vector<nlohmann::json> wholeLines(const std::string& text)
{
    std::vector<nlohmann::json> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "unfinished last line at offset " << start;
            break;
        }
        try {
            lines.push_back(nlohmann::json::parse(text.substr(start, end - start)));
        } catch (const nlohmann::json::exception& e) {
            ADD_FAILURE() << "torn line at offset " << start << ": " << e.what();
        }
        start = end + 2;
    }
    return lines;
}

// A source of `lines` long lines that all match the rule "100 legacy", and its error file with one
// diagnostic 100 on each line: `lines` report lines of some 700 bytes each.
void legacySource(ToolSandbox& box, const std::string& name, int lines)
{
    std::string text;
    std::string description = "block\n";
    for (int i = 1; i <= lines; ++i) {
        text += "legacy_call(" + std::to_string(i) + "); // " + std::string(300, 'x') + "\n";
        description += "loc L" + std::to_string(i) + " S " + std::to_string(i) + " 1\ndiag L" + std::to_string(i) +
                       " 100\nend\n";
    }
    box.source(name, text);
    box.errorFile(name, description);
}

TEST(ReportFileParallelTest, sixteenProcessesWriteOneReportWithEveryLineWholeAndEachRunTogether)
{
    ToolSandbox box;
    box.messageRules("100 legacy\n100 (\n");
    const std::string report = box.path("report.jsonl");
    // Runs of 1 to 40 records: blocks that fit in the file's last page and blocks of many pages.
    std::vector<ChildId> children;
    std::int64_t expectedRecords = 0;
    for (int p = 0; p < 16; ++p) {
        const std::string name = "f" + std::to_string(p) + ".cpp";
        const int lines = 1 + (p * 13) % 40;
        expectedRecords += lines;
        legacySource(box, name, lines);
    }
    for (int p = 0; p < 16; ++p) {
        std::vector<std::string> argv = box.toolCommand({"f" + std::to_string(p) + ".cpp"});
        argv.push_back("-po");
        argv.push_back("suppresszembrel::report=" + report);
        ChildOptions options = box.childOptions();
        options.outputPath = box.path("run-" + std::to_string(p) + ".txt");
        children.push_back(startChild(argv, options));
    }
    for (std::size_t p = 0; p < children.size(); ++p)
        EXPECT_EQ(waitForChild(children[p], 240), 0) << testsupport::readBytes(box.path("run-" + std::to_string(p) + ".txt"));

    const std::vector<nlohmann::json> lines = wholeLines(testsupport::readBytes(report));
    std::int64_t runs = 0;
    std::int64_t records = 0;
    // A run's lines follow its run line without another run's lines between them.
    std::string runErrorFile;
    std::int64_t recordsLeft = 0;
    for (const nlohmann::json& line : lines) {
        const std::string type = line.value("type", "");
        if (type == "run") {
            EXPECT_EQ(recordsLeft, 0) << "a run's records are not all together";
            ++runs;
            recordsLeft = line.value("records", std::int64_t{0});
            runErrorFile.clear();
        } else if (type == "record") {
            ++records;
            --recordsLeft;
            if (runErrorFile.empty())
                runErrorFile = line.value("error_file", "");
            EXPECT_EQ(line.value("error_file", ""), runErrorFile) << "lines of two runs interleave";
        }
    }
    EXPECT_EQ(recordsLeft, 0);
    EXPECT_EQ(runs, 16);
    EXPECT_EQ(records, expectedRecords);
}

// What a kill may leave in the report. POSIX publishes a run's lines as error-file blocks are, whole
// or not at all. Windows writes them in place (a file that others hold open cannot be renamed over),
// so a run terminated in the middle can leave an unfinished last line, which the next run cuts off
// before it writes its own.
#ifdef _WIN32
constexpr bool kKillCanLeaveAnUnfinishedLine = true;
#else
constexpr bool kKillCanLeaveAnUnfinishedLine = false;
#endif

// Runs killed at random points of their lifetime, while the report holds enough to make its
// publication take a while: earlier lines are kept, the killed runs add whole lines (and on Windows
// at most an unfinished last line), and a later run appends to it with every line whole.
TEST(ReportFileParallelTest, killedRunsNeverLeaveHalfALine)
{
    ToolSandbox box;
    box.messageRules("100 legacy\n");
    legacySource(box, "a.cpp", 40);
    const std::string report = box.path("report.jsonl");
    const std::string errorPath = box.path("out/a.cpp.err");
    const std::string original = testsupport::readBytes(errorPath);
    // Earlier builds' lines: the blocks of 40 records cross pages, so on POSIX they go through a copy.
    std::string earlier;
    const std::string filler = "{\"type\":\"run\",\"files\":0,\"diagnostics\":0,\"records\":0,\"note\":\"" +
                               std::string(200, 'e') + "\"}\r\n";
    while (earlier.size() < (4u << 20))
        earlier += filler;
    testsupport::writeBytes(report, earlier);

    std::vector<std::string> argv = box.toolCommand({"a.cpp"});
    argv.push_back("-po");
    argv.push_back("suppresszembrel::report=" + report);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(waitForChild(startChild(argv, box.childOptions()), 120), 0);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started).count();

    const unsigned seed = testsupport::testSeed("killedRunsNeverLeaveHalfALine");
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long long> delay(0, span * 12 / 10 + 1);
    int unchanged = 0;
    int unfinished = 0;
    for (int kill = 0; kill < 25; ++kill) {
        testsupport::writeBytes(errorPath, original); // every run has its 40 records to append
        const std::string before = testsupport::readBytes(report);
        const ChildId child = startChild(argv, box.childOptions());
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        killChild(child);
        const std::string after = testsupport::readBytes(report);
        unchanged += after == before ? 1 : 0;
        // The whole lines before the kill stay as they were (an unfinished line an earlier kill
        // left may be cut off).
        const std::string earlierLines = before.substr(0, before.rfind('\n') + 1);
        ASSERT_EQ(after.compare(0, earlierLines.size(), earlierLines), 0) << "earlier lines changed";
        std::string added = after.substr(earlierLines.size());
        const std::size_t tail = added.size() - (added.rfind('\n') + 1);
        if (tail > 0) {
            ++unfinished;
            ASSERT_TRUE(kKillCanLeaveAnUnfinishedLine) << "a killed run left half a line";
            added.resize(added.size() - tail);
        }
        wholeLines(added);
        if (HasFailure())
            return;
    }
    testsupport::writeBytes(errorPath, original);
    ASSERT_EQ(waitForChild(startChild(argv, box.childOptions()), 120), 0);
    const std::vector<nlohmann::json> lines = wholeLines(testsupport::readBytes(report));
    EXPECT_EQ(lines.back().value("type", ""), "record");
    std::cout << "[kills] report unchanged by " << unchanged << " of 25 killed runs, an unfinished line left by "
              << unfinished << "\n";
}

} // namespace
} // namespace reltest
