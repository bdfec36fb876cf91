// The suppression record index: message ranges, covered ranges, include chains, kinds and quiet files.
#include "M_Diagnostic.h"
#include "M_QuietFiles.h"
#include "M_SuppressionContext.h"
#include "M_SuppressionIndex.h"
#include "U_LocationData.h"

#include <gtest/gtest.h>

namespace {

const U_Filename& fileA()
{
    static const U_Filename file("/src/a.cpp", "a.cpp");
    return file;
}

const U_Filename& header()
{
    static const U_Filename file("/src/h.h", "h.h");
    return file;
}

U_Location at(std::int32_t line, std::int32_t column, const U_Filename& file = fileA())
{
    return U_LocationData::create(file, line, column);
}

M_SuppressionRecordHandle record(std::int32_t kind, M_MessageRanges ranges, const U_Location& start,
                                 const U_Location& end = U_Location())
{
    return makeHandle<M_SuppressionRecord>(kind, start, "Auto", std::move(ranges), start, end);
}

M_DiagnosticHandle diagnostic(std::int32_t number, const U_Location& location, bool fourthFlag = false)
{
    auto d = makeHandle<M_Diagnostic>(number, location);
    d->setFlags(false, false, false, fourthFlag);
    return d;
}

M_SuppressionIndex indexOf(std::vector<M_SuppressionRecordHandle> records, bool alsoKind2 = false)
{
    M_SuppressionIndex index([](const U_LocationData&) { return false; });
    index.addRecords(records, alsoKind2);
    return index;
}

} // namespace

TEST(M_SuppressionIndexTest, messageRangeTextsDecideTheNumbersCovered)
{
    const U_Location p = at(3, 1);
    const auto zero = indexOf({record(1, {{"0", "0"}}, p)});
    EXPECT_FALSE(zero.isSuppressed(*diagnostic(0, p)));

    const auto single = indexOf({record(1, {{"100", "0"}}, p)});
    EXPECT_TRUE(single.isSuppressed(*diagnostic(100, p)));
    EXPECT_FALSE(single.isSuppressed(*diagnostic(101, p)));

    const auto span = indexOf({record(1, {{"100", "105"}}, p)});
    for (int n = 100; n <= 105; ++n)
        EXPECT_TRUE(span.isSuppressed(*diagnostic(n, p))) << n;
    EXPECT_FALSE(span.isSuppressed(*diagnostic(99, p)));
    EXPECT_FALSE(span.isSuppressed(*diagnostic(106, p)));

    const auto reversed = indexOf({record(1, {{"105", "100"}}, p)});
    EXPECT_FALSE(reversed.isSuppressed(*diagnostic(100, p)));
    EXPECT_FALSE(reversed.isSuppressed(*diagnostic(105, p)));

    // Read as strtol does: blanks and a sign first, digits up to the first non-digit.
    const auto loose = indexOf({record(1, {{" 7x", "+9abc"}}, p)});
    EXPECT_TRUE(loose.isSuppressed(*diagnostic(8, p)));
    EXPECT_FALSE(loose.isSuppressed(*diagnostic(10, p)));

    // Leading zeros, and numbers past 32 bits clamped to the largest one.
    const auto padded = indexOf({record(1, {{"000000042", "0043"}}, p)});
    EXPECT_TRUE(padded.isSuppressed(*diagnostic(43, p)));
    EXPECT_FALSE(padded.isSuppressed(*diagnostic(44, p)));
    const auto huge = indexOf({record(1, {{"2147483646", "99999999999"}}, p)});
    EXPECT_TRUE(huge.isSuppressed(*diagnostic(2147483647, p)));
    EXPECT_FALSE(huge.isSuppressed(*diagnostic(2147483645, p)));
}

TEST(M_SuppressionIndexTest, wideMessageRangeCoversEveryNumberWithoutListingThem)
{
    const U_Location p = at(3, 1);
    const auto wide = indexOf({record(1, {{"1", "2000000000"}}, p)});
    EXPECT_TRUE(wide.isSuppressed(*diagnostic(1, p)));
    EXPECT_TRUE(wide.isSuppressed(*diagnostic(1999999999, p)));
    EXPECT_FALSE(wide.isSuppressed(*diagnostic(2000000001, p)));
}

TEST(M_SuppressionIndexTest, rangeEndingAtColumnZeroStopsAtTheLineBefore)
{
    const auto index = indexOf({record(1, {{"5", "5"}}, at(10, 5), at(12, 0))});
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(10, 1))));   // before the start column too
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(10, 80))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(11, 0))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(11, 999))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(12, 0))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(9, 5))));
}

TEST(M_SuppressionIndexTest, rangeEndingInsideALineCoversUpToItsColumn)
{
    const auto index = indexOf({record(1, {{"5", "5"}}, at(10, 5), at(12, 4))});
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(12, 4))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(12, 5))));
}

TEST(M_SuppressionIndexTest, singlePositionRangeCoversItsWholeLine)
{
    const auto index = indexOf({record(1, {{"5", "5"}}, at(7, 9))});
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(7, 0))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(7, 9))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(7, 200))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(8, 9))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(7, 9, header()))));
}

TEST(M_SuppressionIndexTest, kindTwoCoversOnlyItsStartPositionAndOnlyWhenAsked)
{
    const auto withoutKind2 = indexOf({record(2, {{"5", "5"}}, at(7, 9))});
    EXPECT_FALSE(withoutKind2.isSuppressed(*diagnostic(5, at(7, 9))));

    const auto index = indexOf({record(2, {{"5", "5"}}, at(7, 9), at(9, 3))}, true);
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(7, 9))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(7, 10))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(8, 9))));

    const auto otherKinds = indexOf({record(0, {{"5", "5"}}, at(7, 9)), record(3, {{"5", "5"}}, at(7, 9))}, true);
    EXPECT_FALSE(otherKinds.isSuppressed(*diagnostic(5, at(7, 9))));
}

TEST(M_SuppressionIndexTest, fourthFlagIsNeverSuppressed)
{
    const auto index = indexOf({record(1, {{"5", "5"}}, at(7, 9))});
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(7, 9), true)));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, U_Location())));
}

TEST(M_SuppressionIndexTest, headerDiagnosticIsCoveredThroughItsIncludeLine)
{
    const U_Location include = at(4, 0);
    const U_Location inHeader = U_LocationData::create(header(), 20, 3, include);
    // The record a run writes for a diagnostic on the include line: start there, no end.
    const auto index = indexOf({record(1, {{"77", "77"}}, at(4, 1))});
    EXPECT_TRUE(index.isSuppressed(*diagnostic(77, inHeader)));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(78, inHeader)));
    const auto elsewhere = indexOf({record(1, {{"77", "77"}}, at(5, 1))});
    EXPECT_FALSE(elsewhere.isSuppressed(*diagnostic(77, inHeader)));
}

TEST(M_SuppressionIndexTest, recordsInQuietFilesAreNotIndexed)
{
    const U_Location include = at(4, 0);
    const U_Location inHeader = U_LocationData::create(header(), 20, 3, include);
    M_SuppressionContext context([](const U_LocationData& location) {
        return location.file().fullName() == "/src/h.h";
    });
    context.addRecords({record(1, {{"1", "1"}}, inHeader), record(1, {{"2", "2"}}, at(9, 9))}, false);
    EXPECT_FALSE(context.isSuppressed(*diagnostic(1, inHeader)));
    EXPECT_TRUE(context.isSuppressed(*diagnostic(2, at(9, 9))));
}

TEST(M_QuietFilesTest, topLevelLocationIsQuietOnlyInTheImplicitHeader)
{
    int lookups = 0;
    bool alwaysFirst = false;
    M_QuietFiles quiet({[&](const std::string&) { ++lookups; return true; },
                        [] { return std::string("/inst/implicit.h"); }, [&] { return alwaysFirst; }});
    const U_Filename implicit("/inst/implicit.h", "implicit.h");
    EXPECT_FALSE(quiet.isQuiet(*at(1, 1)));
    EXPECT_EQ(lookups, 0);
    EXPECT_TRUE(quiet.isQuiet(*at(1, 1, implicit)));
    const U_Location inHeader = U_LocationData::create(header(), 2, 0, at(1, 1));
    EXPECT_TRUE(quiet.isQuiet(*inHeader));
    EXPECT_TRUE(quiet.isQuiet(*inHeader));
    EXPECT_EQ(lookups, 2); // the second answer for the header came from the cache
    alwaysFirst = true;
    EXPECT_TRUE(quiet.isQuiet(*inHeader));
    EXPECT_EQ(lookups, 3);
}

TEST(M_SuppressionIndexTest, oneLineAndManyLineRangesOfOneNumberEachCoverTheirOwnPositions)
{
    // Ranges within one line are found by line, the others by number: a number with both kinds,
    // ranges on other files and numbers, and message ranges listing several numbers.
    const auto index = indexOf({record(1, {{"5", "5"}}, at(3, 2)),
                                record(1, {{"5", "5"}}, at(3, 2, header())),
                                record(1, {{"4", "6"}}, at(10, 0), at(12, 0)),
                                record(1, {{"5", "5"}}, at(20, 4), at(20, 8)),
                                record(1, {{"9", "9"}}, at(30, 1))});
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(3, 50))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(3, 2, header()))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(4, 2, header()))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(4, at(11, 7))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(6, at(10, 0))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(6, at(12, 0))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(4, at(3, 2))));   // line 3 names number 5 only
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(20, 8))));
    // Within one line, the start or the end column alone admits a column: the whole line.
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(20, 9))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(5, at(20, 3))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(21, 3))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(9, at(3, 2))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(9, at(30, 1))));
}

TEST(M_SuppressionIndexTest, backwardAndExtremeRangesCoverNothingOutsideThemselves)
{
    const std::int32_t lowest = -2147483647 - 1;
    const std::int32_t highest = 2147483647;
    const auto index = indexOf({record(1, {{"5", "5"}}, at(10, 0), at(lowest, 0)),
                                record(1, {{"6", "6"}}, at(9, 3), at(4, 7)),
                                record(1, {{"7", "7"}}, at(highest, 0))});
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(10, 0))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(5, at(highest, 0))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(6, at(9, 3))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(6, at(5, 0))));
    EXPECT_TRUE(index.isSuppressed(*diagnostic(7, at(highest, 12))));
    EXPECT_FALSE(index.isSuppressed(*diagnostic(7, at(highest - 1, 0))));
}
