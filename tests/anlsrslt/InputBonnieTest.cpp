// The error-file reader: both formats, id tables, and every way a file can fail to be read.
#include "AnlsrsltTestSupport.h"
#include "M_InputBonnie.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace anltest;
using namespace std::string_literals;

namespace {

// The example file: one block, one diagnostic 3000 at /s/a.c:12:3 with the string parameter x.
const std::string kExampleRecord = bytes({0x02}) + word(0) + word(0) + str("/s/a.c") + str("a.c") + word(12)
    + word(3) + bytes({0}) + word(3000) + word(0) + word(0) + word(1) + bytes({1}) + str("x");
const std::string kExample = header() + bytes({1}) + word(0) + kExampleRecord;

struct ReadResult {
    U_Handle<M_InputBonnie> reader;
    std::string errors;
};

ReadResult read(const std::string& fileBytes)
{
    testing::internal::CaptureStderr();
    ReadResult result;
    result.reader = M_InputBonnie::readBytes(fileBytes, "a.c");
    result.errors = testing::internal::GetCapturedStderr();
    return result;
}

TEST(InputBonnie, readsTheExampleFile)
{
    CurrentOptions options;
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("a.c.err"), kExample);
    const auto reader = M_InputBonnie::openAndRead(dir.file("a.c.err"), "a.c");
    ASSERT_TRUE(reader);
    EXPECT_EQ(3, reader->format());
    EXPECT_EQ(0x9300, reader->formatId());
    ASSERT_EQ(1u, reader->diagnostics().size());
    EXPECT_EQ("/s/a.c:12:3: Msg=3000 #params=1 {x}", reader->diagnostics()[0]->text());
    EXPECT_EQ("a.c", reader->diagnostics()[0]->location()->file().givenName());
    EXPECT_TRUE(reader->suppressions().empty());
}

TEST(InputBonnie, shortFilesBeforeTheHeader)
{
    for (std::size_t size = 0; size <= 3; ++size) {
        const ReadResult r = read(header().substr(0, size));
        ASSERT_TRUE(r.reader) << size;
        EXPECT_TRUE(r.reader->diagnostics().empty());
        EXPECT_EQ(5, r.reader->format());
        EXPECT_EQ("", r.errors);
    }
    for (std::size_t size = 4; size <= 7; ++size) {
        const ReadResult r = read(header().substr(0, size));
        EXPECT_FALSE(r.reader) << size;
        EXPECT_EQ("", r.errors) << size;
    }
    const ReadResult headerOnly = read(header(0x9300, 42));
    ASSERT_TRUE(headerOnly.reader);
    EXPECT_EQ(42, headerOnly.reader->headerValue());
}

TEST(InputBonnie, formatIdsAndTheUnknownIdLine)
{
    EXPECT_EQ(3, read(header(0x8100)).reader->format());
    EXPECT_EQ(2, read(header(0x7900)).reader->format());
    const ReadResult r = read(header(0x9400));
    EXPECT_FALSE(r.reader);
    EXPECT_EQ("Unknown error file format: id=9400\n", r.errors);
}

TEST(InputBonnie, missingFileIsANullHandle)
{
    testsupport::TempDir dir;
    EXPECT_FALSE(M_InputBonnie::openAndRead(dir.file("none.err"), "none.c"));
}

TEST(InputBonnie, unknownRecordTypeFailsWithoutReadingLines)
{
    const ReadResult r = read(header() + bytes({3}));
    EXPECT_FALSE(r.reader);
    EXPECT_EQ("", r.errors);
}

TEST(InputBonnie, truncationInsideARecordWritesTheTwoLines)
{
    for (std::size_t cut = header().size() + 6; cut < kExample.size(); cut += 7) {
        const ReadResult r = read(kExample.substr(0, cut));
        EXPECT_FALSE(r.reader) << cut;
        EXPECT_EQ("caught a R_ReadingException in getNextMessage().\n"
                  "  reason: Problems reading binary file. errno (0): Success\n",
                  r.errors)
            << cut;
    }
}

TEST(InputBonnie, hugeLengthsAndCountsAreRefusedBeforeAllocating)
{
    const std::string location = word(0) + word(0) + str("/s/a.c") + str("a.c") + word(1) + word(1) + bytes({0});
    // A string length far beyond the file.
    EXPECT_FALSE(read(header() + bytes({2}) + word(0) + word(0) + word(0x7FFFFFF0)).reader);
    EXPECT_FALSE(read(header() + bytes({2}) + word(0) + word(0) + word(-5)).reader);
    // A parameter count, a list count and a message-list count far beyond the file.
    const std::string body = location + word(1) + word(0) + word(0);
    EXPECT_FALSE(read(header() + bytes({2}) + body + word(0x40000000)).reader);
    EXPECT_FALSE(read(header() + bytes({2}) + body + word(1) + bytes({2}) + word(0x40000000)).reader);
    EXPECT_FALSE(read(header() + bytes({2}) + body + word(1) + bytes({4}) + word(0x40000000)).reader);
    // A location id far beyond anything the file could number.
    EXPECT_FALSE(read(header() + bytes({2}) + word(0x7FFFFFFF) + word(0) + str("/a") + str("a")).reader);
    EXPECT_FALSE(read(header() + bytes({2}) + word(-1)).reader);
    // A block record that claims more bytes than are left.
    EXPECT_FALSE(read(header() + bytes({1}) + word(100)).reader);
}

TEST(InputBonnie, deepMessageListNestingIsAReadingFailure)
{
    auto nestedFile = [](int depth) {
        const std::string firstLocation = word(0) + word(0) + str("/s/a.c") + str("a.c") + word(1) + word(1) + bytes({0});
        std::string file = header() + bytes({2}) + firstLocation + word(1) + word(0) + word(0);
        for (int i = 0; i < depth; ++i)
            file += word(1) + bytes({4}) + word(1) + word(0) + word(1) + word(0) + word(0);
        return file + word(0);
    };
    EXPECT_TRUE(read(nestedFile(M_InputBonnie::kMaxMessageListDepth)).reader);
    EXPECT_FALSE(read(nestedFile(M_InputBonnie::kMaxMessageListDepth + 1)).reader);
    const ReadResult r = read(nestedFile(100000));
    EXPECT_FALSE(r.reader);
    EXPECT_NE(std::string::npos, r.errors.find("Nesting deeper than"));
}

// A diagnostic whose location is a chain of `depth` new locations, each included from the next one,
// all written in full: the reader recurses once per level.
std::string nestedIncludeChain(int depth)
{
    std::string file = header() + bytes({2});
    for (int i = 0; i < depth; ++i)
        file += word(i) + word(0) + (i == 0 ? str("/s/a.c") + str("a.c") : "") + word(1) + word(1)
            + bytes({i + 1 < depth ? 1 : 0});
    return file + word(1) + word(0) + word(0) + word(0);
}

TEST(InputBonnie, locationsNestedBeyondTheBoundAreAReadingFailure)
{
    EXPECT_TRUE(read(nestedIncludeChain(M_InputBonnie::kMaxLocationDepth)).reader);
    EXPECT_FALSE(read(nestedIncludeChain(M_InputBonnie::kMaxLocationDepth + 1)).reader);
    const ReadResult r = read(nestedIncludeChain(100000));
    EXPECT_FALSE(r.reader);
    EXPECT_NE(std::string::npos, r.errors.find("Nesting deeper than 2000 levels."));

    // Chains built from back references, one record per level, do not recurse in the reader but are
    // bounded the same way.
    auto chained = [](int depth) {
        std::string file = header();
        file += bytes({2}) + word(0) + word(0) + str("/s/a.c") + str("a.c") + word(1) + word(1) + bytes({0});
        file += word(1) + word(0) + word(0) + word(0);
        for (int i = 1; i < depth; ++i) {
            file += bytes({2}) + word(i) + word(0) + word(i) + word(0) + bytes({1}) + word(i - 1);
            file += word(1) + word(0) + word(0) + word(0);
        }
        return file;
    };
    EXPECT_TRUE(read(chained(M_InputBonnie::kMaxLocationDepth)).reader);
    EXPECT_FALSE(read(chained(M_InputBonnie::kMaxLocationDepth + 1)).reader);
}

TEST(InputBonnie, backReferencesAndBlocks)
{
    CurrentOptions options;
    const std::string second = bytes({8}) + word(0) + word(3001) + word(2) + word(1) + word(0) + word(77);
    // After the block record, id 0 is a new location again, with a new file name table.
    const std::string third = bytes({1}) + word(2) + bytes({9, 9}) + bytes({2}) + word(0) + word(0)
        + str("/s/b.c") + str("b.c") + word(4) + word(0) + bytes({0}) + word(5) + word(1) + word(0) + word(0);
    const ReadResult r = read(kExample + second + third);
    ASSERT_TRUE(r.reader);
    const auto& d = r.reader->diagnostics();
    ASSERT_EQ(3u, d.size());
    EXPECT_EQ(d[0]->location(), d[1]->location());
    EXPECT_EQ("/s/a.c:12:3: Msg=3001 #params=0 hidden by user", d[1]->text());
    EXPECT_TRUE(d[1]->fourthFlag());
    EXPECT_EQ("/s/b.c:4: Msg=5 #params=0 hidden by pragma", d[2]->text());
    EXPECT_EQ(2u, r.reader->blockStarts().size());
}

// 153 bytes: a block record, diagnostic 101 at /s/a.c:8:2, then diagnostic 101 at /s/inc.h:2:5,
// included from /s/inc.h:1:0, which is included from /s/a.c:5:0. The three locations of the second
// diagnostic take ids 1, 2 and 3 before any of them is stored, with few bytes left after them.
TEST(InputBonnie, readsAChainOfNewLocationsNearTheEndOfTheFile)
{
    CurrentOptions options;
    options.debug("showInclLoc");
    const std::string file = bytes({
        0x00, 0x93, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x2f, 0x73, 0x2f, 0x61, 0x2e, 0x63, 0x03, 0x00,
        0x00, 0x00, 0x61, 0x2e, 0x63, 0x08, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x65, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00, 0x00,
        0x00, 0x01, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x2f, 0x73, 0x2f, 0x69, 0x6e, 0x63, 0x2e, 0x68,
        0x05, 0x00, 0x00, 0x00, 0x69, 0x6e, 0x63, 0x2e, 0x68, 0x02, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00,
        0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x01, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x65, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    ASSERT_EQ(153u, file.size());
    const ReadResult r = read(file);
    ASSERT_TRUE(r.reader);
    EXPECT_EQ("", r.errors);
    const auto& d = r.reader->diagnostics();
    ASSERT_EQ(2u, d.size());
    EXPECT_EQ("/s/a.c:8:2: Msg=101 #params=0", d[0]->text());
    EXPECT_EQ("/s/inc.h:2:5: Msg=101 #params=0 incl {/s/inc.h:1:0: Msg=1599 #params=0 incl {/s/a.c:5:0: "
              "Msg=1599 #params=0}}",
              d[1]->text());
}

TEST(InputBonnie, referenceToALocationSlotNeverFilledIsRefused)
{
    // Id 2 is new and stored at slot 2, leaving slot 1 empty; a later reference to 1 is malformed.
    const std::string first = bytes({2}) + word(2) + word(0) + str("/a") + str("a") + word(1) + word(0)
        + bytes({0}) + word(1) + word(0) + word(0) + word(0);
    EXPECT_TRUE(read(header() + first).reader);
    EXPECT_FALSE(read(header() + first + bytes({2}) + word(1) + word(1) + word(0) + word(0) + word(0)).reader);
}

TEST(InputBonnie, unknownParameterKindAddsNothing)
{
    CurrentOptions options;
    const std::string body = word(0) + word(0) + str("/a") + str("a") + word(1) + word(0) + bytes({0}) + word(1)
        + word(0) + word(0) + word(2) + bytes({7}) + bytes({1}) + str("y");
    const ReadResult r = read(header() + bytes({2}) + body);
    ASSERT_TRUE(r.reader);
    EXPECT_EQ("/a:1: Msg=1 #params=1 {y}", r.reader->diagnostics()[0]->text());
}

TEST(InputBonnieFormat2, allFourRecordTypes)
{
    CurrentOptions options;
    testsupport::TempDir dir;
    const std::string source = dir.file("main.c");
    testsupport::writeBytes(source, "");
    const std::string file = header(0x7700) + word(0) + word(10) + word(-1) + word(0) + word(100) + str("text\0"s)
        + word(1) + str("inc.h\0"s) + word(2) + word(3) + word(7) + word(4) + word(200) + word(3) + str("")
        + word(3) + word(5) + word(-1) + word(0) + word(300) + word(0) + word(1) + word(2) + str("p") + str("q\0"s)
        + word(0);
    const auto reader = M_InputBonnie::readBytes(file, source);
    ASSERT_TRUE(reader);
    EXPECT_EQ(2, reader->format());
    const auto& d = reader->diagnostics();
    ASSERT_EQ(3u, d.size());
    options.set(options.options().expandfilenames(), "-");
    EXPECT_EQ(source + ":10:1: Msg=100 #params=1 {text}", d[0]->text());
    EXPECT_EQ("inc.h:3:5: Msg=200 #params=0 hidden by pragma, user", d[1]->text());
    EXPECT_TRUE(d[1]->hidden());
    ASSERT_TRUE(d[1]->location()->hasIncludeLocation());
    EXPECT_EQ(7, d[1]->location()->includeLocation()->line());
    EXPECT_EQ(0, d[1]->location()->includeLocation()->column());
    EXPECT_EQ(dir.file("main.c"), d[1]->location()->includeLocation()->file().fullName());
    EXPECT_EQ("inc.h:5:1: Msg=300 #params=2 {p, q}", d[2]->text());
    EXPECT_TRUE(d[2]->fourthFlag());
    EXPECT_FALSE(d[2]->hidden());
}

TEST(InputBonnieFormat2, aFileNameRecordMayEndTheFile)
{
    const std::string record0 = word(0) + word(1) + word(-1) + word(0) + word(1) + str("");
    const ReadResult r = read(header(0x7700) + record0 + word(1) + str("inc.h\0"s));
    ASSERT_TRUE(r.reader);
    EXPECT_EQ(1u, r.reader->diagnostics().size());
    EXPECT_EQ("", r.errors);
    EXPECT_TRUE(read(header(0x7700) + word(1) + str("inc.h")).reader);
    // A record cut short after a file-name record is still a truncated file.
    EXPECT_FALSE(read(header(0x7700) + word(1) + str("inc.h") + word(0) + word(1)).reader);
}

TEST(InputBonnieFormat2, emptyTextOrLoneNulGivesNoParameterAndListWordMustBeZero)
{
    const std::string record0 = word(0) + word(1) + word(-1) + word(0) + word(1);
    EXPECT_EQ(0u, read(header(0x7800) + record0 + str("")).reader->diagnostics()[0]->parameterCount());
    EXPECT_EQ(0u, read(header(0x7800) + record0 + str("\0"s)).reader->diagnostics()[0]->parameterCount());
    const std::string record3 = word(3) + word(1) + word(-1) + word(0) + word(1) + word(0) + word(0) + word(0);
    EXPECT_TRUE(read(header(0x7800) + record3 + word(0)).reader);
    EXPECT_FALSE(read(header(0x7800) + record3 + word(1)).reader);
    EXPECT_FALSE(read(header(0x7800) + word(4)).reader);
}

} // namespace
