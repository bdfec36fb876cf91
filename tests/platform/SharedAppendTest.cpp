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

// The new lines never continue an unfinished last line: POSIX ends that line (only another program
// can leave one there), Win32 cuts it off (a writer terminated in the middle of its lines).
TEST(SharedAppendTest, unfinishedLastLineIsNeverContinued)
{
    TempDir dir;
    const std::string path = dir.file("report.jsonl");
    writeBytes(path, "whole\r\nhalf a li");
    ASSERT_TRUE(platform::appendLines(path, "next\r\n"));
    const std::string got = readBytes(path);
    EXPECT_TRUE(got == "whole\r\nhalf a li\r\nnext\r\n" || got == "whole\r\nnext\r\n") << got;
}

TEST(SharedAppendTest, missingDirectoryOrADirectoryFailsAndCreatesNothing)
{
    TempDir dir;
    EXPECT_FALSE(platform::appendLines(dir.file("missing/report.jsonl"), "x\r\n"));
    EXPECT_FALSE(testsupport::fileExists(dir.file("missing")));
    std::filesystem::create_directory(dir.file("adir"));
    EXPECT_FALSE(platform::appendLines(dir.file("adir"), "x\r\n"));
}
