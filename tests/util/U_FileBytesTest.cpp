// Whole-file reading into a string that may be reused from file to file.
#include "U_FileBytes.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

// A file against bytes that differ from it at one place, or not at all, across the pieces it is
// read in; seeded, so that a failure repeats.
TEST(U_FileBytesTest, fileHoldsExactlyOnlyItsOwnBytes)
{
    TempDir dir;
    std::mt19937 random(20261210);
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{16384}, std::size_t{16385},
                                   std::size_t{70000}}) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        const std::string file = dir.file("f" + std::to_string(size));
        writeBytes(file, bytes);
        EXPECT_TRUE(fileHoldsExactly(file, bytes)) << size;
        std::vector<std::string> others = {bytes + "x", bytes + std::string(20000, 'y')};
        if (size > 0) {
            others.push_back(bytes.substr(0, size - 1));
            others.push_back(bytes.substr(1));
            for (const std::size_t at : {std::size_t{0}, size / 2, size - 1}) {
                std::string changed = bytes;
                changed[at] = static_cast<char>(changed[at] ^ 0x20);
                others.push_back(changed);
            }
        }
        for (const std::string& other : others)
            EXPECT_FALSE(fileHoldsExactly(file, other)) << size << " against " << other.size() << " bytes";
    }
    EXPECT_FALSE(fileHoldsExactly(dir.file("none"), ""));
    EXPECT_FALSE(fileHoldsExactly(dir.path(), "")); // a directory cannot be read
}
