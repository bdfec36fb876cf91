// Appending whole lines to a shared text file: created when missing, never glued to a foreign tail.
#include "SharedAppend.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::TempDir;
using testsupport::readBytes;
using testsupport::writeBytes;

TEST(SharedAppendTest, createsAMissingFileAndAppendsAfterWhatIsThere)
{
    TempDir dir;
    const std::string path = dir.file("report.jsonl");
    ASSERT_TRUE(platform::appendLines(path, "one\r\n"));
    ASSERT_TRUE(platform::appendLines(path, "two\r\nthree\r\n"));
    EXPECT_EQ(readBytes(path), "one\r\ntwo\r\nthree\r\n");
}

// The new lines never continue an unfinished last line. Windows: a writer terminated in the middle
// of its lines left it, and it is cut off. POSIX: only another program can leave one there, and that
// line is ended and kept.
TEST(SharedAppendTest, unfinishedLastLineIsNeverContinued)
{
    struct Case {
        const char* before;
        const char* windows;
        const char* posix;
    };
    const Case cases[] = {
        {"whole\r\nhalf a li", "whole\r\nnext\r\n", "whole\r\nhalf a li\r\nnext\r\n"},
        {"half", "next\r\n", "half\r\nnext\r\n"},
        {"lf\n", "lf\nnext\r\n", "lf\nnext\r\n"}, // a bare LF ends a line too
    };
    TempDir dir;
    const std::string path = dir.file("report.jsonl");
    for (const Case& c : cases) {
        writeBytes(path, c.before);
        ASSERT_TRUE(platform::appendLines(path, "next\r\n"));
#ifdef _WIN32
        EXPECT_EQ(readBytes(path), c.windows) << c.before;
#else
        EXPECT_EQ(readBytes(path), c.posix) << c.before;
#endif
    }
}

TEST(SharedAppendTest, missingDirectoryOrADirectoryFailsAndCreatesNothing)
{
    TempDir dir;
    EXPECT_FALSE(platform::appendLines(dir.file("missing/report.jsonl"), "x\r\n"));
    EXPECT_FALSE(testsupport::fileExists(dir.file("missing")));
    std::filesystem::create_directory(dir.file("adir"));
    EXPECT_FALSE(platform::appendLines(dir.file("adir"), "x\r\n"));
}

// A report file that may not be written (POSIX: its mode; Windows: the read-only attribute) is
// refused and left as it is.
TEST(SharedAppendTest, fileThatMayNotBeWrittenIsRefusedAndKept)
{
    if (!testsupport::fileModesBindThisProcess())
        GTEST_SKIP() << "this process writes files whatever their mode says";
    TempDir dir;
    const std::string path = dir.file("report.jsonl");
    writeBytes(path, "one\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(platform::appendLines(path, "two\r\n"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    EXPECT_EQ(readBytes(path), "one\r\n");
}
