// Whole-file reading into a string that may be reused from file to file.
#include "U_FileBytes.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::writeBytes;

TEST(U_FileBytesTest, reusedStringHoldsExactlyEachFileInTurn)
{
    TempDir dir;
    const std::string big(70000, 'b');
    const std::string binary("a\0\r\n\xff z", 7);
    writeBytes(dir.file("big"), big);
    writeBytes(dir.file("small"), "small\r\n");
    writeBytes(dir.file("binary"), binary);
    writeBytes(dir.file("empty"), "");

    std::string bytes = "left over from before";
    bool failed = true;
    // Larger, smaller, larger again, empty, binary: nothing of an earlier file may remain.
    for (const auto& [name, expected] : std::vector<std::pair<std::string, std::string>>{
             {"small", "small\r\n"}, {"big", big}, {"small", "small\r\n"}, {"empty", ""}, {"binary", binary},
             {"big", big}}) {
        ASSERT_TRUE(readWholeFile(dir.file(name), bytes, &failed)) << name;
        EXPECT_FALSE(failed) << name;
        EXPECT_EQ(bytes, expected) << name;
    }
}

TEST(U_FileBytesTest, missingFileIsFalseAndEmptiesTheString)
{
    TempDir dir;
    std::string bytes = "stale";
    EXPECT_FALSE(readWholeFile(dir.file("none"), bytes));
    EXPECT_EQ(bytes, "");
}

TEST(U_FileBytesTest, directoryOpensButItsReadFails)
{
    TempDir dir;
    std::string bytes = "stale";
    bool failed = false;
#ifdef _WIN32
    // Windows does not open a directory as a file.
    EXPECT_FALSE(readWholeFile(dir.path(), bytes, &failed));
#else
    // POSIX: it opens, and its read fails.
    EXPECT_TRUE(readWholeFile(dir.path(), bytes, &failed));
    EXPECT_TRUE(failed);
#endif
    EXPECT_EQ(bytes, "");
}
