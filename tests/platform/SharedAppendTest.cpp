// Appending whole lines to a shared text file: created when missing, never glued to a foreign tail.
#include "SharedAppend.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST(SharedAppendTest, fileWithoutAFinalLineEndGetsOneBeforeTheNewLines)
{
    TempDir dir;
    const std::string path = dir.file("report.jsonl");
    writeBytes(path, "whole\r\nhalf a li");
    ASSERT_TRUE(platform::appendLines(path, "next\r\n"));
    EXPECT_EQ(readBytes(path), "whole\r\nhalf a li\r\nnext\r\n");
}

TEST(SharedAppendTest, missingDirectoryOrADirectoryFailsAndCreatesNothing)
{
    TempDir dir;
    EXPECT_FALSE(platform::appendLines(dir.file("missing/report.jsonl"), "x\r\n"));
    EXPECT_FALSE(testsupport::fileExists(dir.file("missing")));
    ::mkdir(dir.file("adir").c_str(), 0755);
    EXPECT_FALSE(platform::appendLines(dir.file("adir"), "x\r\n"));
}
