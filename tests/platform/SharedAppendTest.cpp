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

// The new lines never continue an unfinished last line.
TEST(SharedAppendTest, unfinishedLastLineIsNeverContinued)
{
    TempDir dir;
    const std::string path = dir.file("report.jsonl");
    writeBytes(path, "whole\r\nhalf a li");
    ASSERT_TRUE(platform::appendLines(path, "next\r\n"));
#ifdef _WIN32
    // Windows: a writer terminated in the middle of its lines left it; it is cut off.
    EXPECT_EQ(readBytes(path), "whole\r\nnext\r\n");
#else
    // POSIX: only another program can leave one there; that line is ended and kept.
    EXPECT_EQ(readBytes(path), "whole\r\nhalf a li\r\nnext\r\n");
#endif
    // A file of nothing but an unfinished line, and one that ends with a bare LF.
    writeBytes(path, "half");
    ASSERT_TRUE(platform::appendLines(path, "a\r\n"));
#ifdef _WIN32
    EXPECT_EQ(readBytes(path), "a\r\n");
#else
    EXPECT_EQ(readBytes(path), "half\r\na\r\n");
#endif
    writeBytes(path, "lf\n");
    ASSERT_TRUE(platform::appendLines(path, "b\r\n"));
    EXPECT_EQ(readBytes(path), "lf\nb\r\n");
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
