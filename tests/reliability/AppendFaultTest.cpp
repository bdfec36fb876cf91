// A failing or killed append never leaves a partial block in an error file.
#include "ToolSandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

using testsupport::readBytes;
using testsupport::writeBytes;

namespace reltest {
namespace {

class AppendFaultTest : public testing::Test {
protected:
    // src/<name> of `lines` lines that all match the rule "100 legacy", and its error file with one
    // diagnostic 100 on each line; answers the error file's path.
    std::string legacySource(const std::string& name, int lines)
    {
        std::string text;
        std::string description = "block\n";
        for (int i = 1; i <= lines; ++i) {
            text += "legacy_call(" + std::to_string(i) + ");\n";
            description += "loc L" + std::to_string(i) + " S " + std::to_string(i) + " 1\n";
            description += "diag L" + std::to_string(i) + " 100\nend\n";
        }
        box.source(name, text);
        return box.errorFile(name, description);
    }

    std::string runAndCapture(const std::vector<std::string>& argv, ChildOptions options, int& status)
    {
        options.outputPath = box.path("child-output.txt");
        status = waitForChild(startChild(argv, options), 120);
        return readBytes(options.outputPath);
    }

    void killAppendsAtRandomPoints(int records, int kills, bool restore);

    ToolSandbox box;
};

TEST_F(AppendFaultTest, fileSizeLimitHitDuringAppendLeavesErrorFileByteIdenticalAndFailsTheRun)
{
    box.messageRules("100 legacy\n");
    const std::string errorPath = legacySource("a.cpp", 300);
    const std::string before = readBytes(errorPath);

    // Nothing can be written; the block record fits but the records do not; half the block fits.
    for (const long long extra : {0LL, 5LL, 64LL, 2000LL}) {
        SCOPED_TRACE("limit: file size + " + std::to_string(extra));
        ChildOptions options = box.childOptions();
        options.fileSizeLimit = static_cast<long long>(before.size()) + extra;
        int status = 0;
        const std::string output = runAndCapture(box.toolCommand({"a.cpp"}), options, status);
        // The writing error is a framework exception: the frame ends the run with 18.
        EXPECT_EQ(status, 18) << output;
        EXPECT_NE(output.find("Problems writing binary file."), std::string::npos) << output;
        EXPECT_EQ(readBytes(errorPath), before);
    }

    // Without the limit the same run appends its block.
    const testsupport::ProcessResult r = box.runTool({"a.cpp"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    const auto blocks = suppressionsPerBlock(errorPath);
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->back(), 300u);
}

// Kills errtool's append of `records` suppression records at random points, `kills` times. After
// every kill the file must be the old one or the old one with the whole new block, and readable.
// With `restore`, a file that got the block is put back, so every append starts at the same offset.
void AppendFaultTest::killAppendsAtRandomPoints(int records, int kills, bool restore)
{
    const std::string errorPath = box.errorFile("a.cpp", "loc L S 1 1\nblock\ndiag L 100\nend\n");
    box.source("a.cpp", "x\n");
    std::string description = "file S " + box.path("src/a.cpp") + " src/a.cpp\nloc L S 1 1\n";
    for (int i = 0; i < records; ++i)
        description += "supp 1 L Auto L - " + std::to_string(100 + i % 50) + " " + std::to_string(100 + i % 50) + "\n";
    const std::string descriptionPath = box.path("append.txt");
    writeBytes(descriptionPath, description);
    const std::vector<std::string> append{errtoolProgram(), "append", descriptionPath, errorPath};

    // One undisturbed append on a copy gives the block and the time an append takes.
    const std::string original = readBytes(errorPath);
    const std::string copyPath = box.path("copy.err");
    writeBytes(copyPath, original);
    const auto started = std::chrono::steady_clock::now();
    int status = 0;
    runAndCapture({errtoolProgram(), "append", descriptionPath, copyPath}, box.childOptions(), status);
    const auto duration = std::chrono::steady_clock::now() - started;
    ASSERT_EQ(status, 0);
    const std::string withBlock = readBytes(copyPath);
    ASSERT_GT(withBlock.size(), original.size());
    const std::string block = withBlock.substr(original.size());

    std::mt19937 random(20240607);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(duration).count() * 12 / 10 + 1;
    std::uniform_int_distribution<long long> delay(0, span);
    int unchanged = 0;
    int appended = 0;
    std::string expected = original;
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const ChildId pid = startChild(append, box.childOptions());
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        killChild(pid);

        const std::string now = readBytes(errorPath);
        if (now == expected) {
            ++unchanged;
        } else {
            const bool wholeBlock = now == expected + block;
            ASSERT_TRUE(wholeBlock) << "file of " << now.size() << " bytes; expected " << expected.size() << " or "
                                    << expected.size() + block.size();
            ++appended;
            if (restore)
                writeBytes(errorPath, expected);
            else
                expected = now;
        }
        ASSERT_TRUE(suppressionsPerBlock(errorPath)) << "the reader refuses the file";
    }
    // A kill between naming the new copy and renaming it over the file leaves that copy behind.
    int leftovers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(box.path("out")))
        leftovers += entry.path().extension() == ".tmp" ? 1 : 0;
    std::cout << "[kills] block of " << block.size() << " bytes: unchanged " << unchanged << ", whole block appended "
              << appended << ", temporary files left " << leftovers << "\n";
}

// A small block, the usual append of a few dozen records.
TEST_F(AppendFaultTest, sigkillAtRandomPointsDuringAppendLeavesOldFileOrWholeNewBlock)
{
    killAppendsAtRandomPoints(60, 40, true);
}

// A block of many pages: one write() of it could be cut by SIGKILL at a page boundary (Linux checks
// for a fatal signal between the pages of a buffered write), so the block must be published some
// other way. The file grows with every append that gets through, so kills land in the copy of the
// old bytes, in the write of the block, and around the publication.
TEST_F(AppendFaultTest, sigkillDuringLargeAppendLeavesOldFileOrWholeNewBlock)
{
    killAppendsAtRandomPoints(20000, 30, false);
}

} // namespace
} // namespace reltest
