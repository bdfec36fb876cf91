// Location data: property combinations, with-operations, chains, depth, order and interning.
#include "AnlsrsltTestSupport.h"
#include "FilenameStringCompare.h"
#include "ObjectDisplayName.h"
#include "U_Identifier.h"
#include "U_MacroHistory.h"
#include "U_SingletonStringStore.h"

#include <gtest/gtest.h>

using anltest::loc;

namespace {

U_Handle<U_EntityDisplayName> entity(const std::string& name)
{
    return U_Handle<U_EntityDisplayName>(new ObjectDisplayName(name));
}

TEST(LocationData, plainLocationHasNoProperty)
{
    const U_Location l = loc("/s/a.c", 3, 4);
    EXPECT_FALSE(l->hasIncludeLocation() || l->hasMacroHistory() || l->hasPresumedPosition()
                 || l->hasInstantiatedFrom() || l->hasCalledFrom());
    EXPECT_FALSE(l->includeLocation());
    EXPECT_EQ(0, l->instantiatedDepth());
}

TEST(LocationData, presumedPositionAddedToIncludedLocationKeepsBoth)
{
    const U_Location include = loc("/s/a.c", 1, 0);
    const U_Location base = U_LocationData::create(U_Filename("/s/h.h", "h.h"), 7, 2, include);
    const U_Location l = base->withPresumedPosition(U_Filename("/s/x.y", "x.y"), 99);
    ASSERT_TRUE(l->hasIncludeLocation());
    ASSERT_TRUE(l->hasPresumedPosition());
    EXPECT_EQ(include, l->includeLocation());
    EXPECT_EQ("/s/x.y", l->presumedFile().fullName());
    EXPECT_EQ(99, l->presumedLine());
    EXPECT_EQ("h.h", l->file().givenName());
    EXPECT_EQ(7, l->line());
    EXPECT_EQ(2, l->column());
    EXPECT_FALSE(base->hasPresumedPosition()); // the original stays as it was
}

TEST(LocationData, everyCombinationOfPropertiesIsKeptThroughWithOperations)
{
    const U_Location other = loc("/s/o.c", 1, 1);
    const U_Handle<U_MacroHistory> macro(new U_MacroHistory(other, U_Identifier("M")));
    for (int mask = 0; mask < 32; ++mask) {
        U_Location l = U_LocationData::create(U_Filename("/s/a.c", "a.c"), 5, 6, mask & 1 ? other : nullptr,
                                              mask & 2 ? macro : nullptr);
        if (mask & 4)
            l = l->withPresumedPosition(U_Filename("/p", "p"), 8);
        if (mask & 8)
            l = l->withInstantiatedFrom(other, entity("T<int>"));
        if (mask & 16)
            l = l->withCalledFrom(other);
        EXPECT_EQ((mask & 1) != 0, l->hasIncludeLocation()) << mask;
        EXPECT_EQ((mask & 2) != 0, l->hasMacroHistory()) << mask;
        EXPECT_EQ((mask & 4) != 0, l->hasPresumedPosition()) << mask;
        EXPECT_EQ((mask & 8) != 0, l->hasInstantiatedFrom()) << mask;
        EXPECT_EQ((mask & 16) != 0, l->hasCalledFrom()) << mask;
        EXPECT_EQ(5, l->line());
        EXPECT_EQ(6, l->column());
        if (mask & 2) {
            EXPECT_EQ("M", l->macroHistory()->macro().text());
        }
    }
}

TEST(LocationData, twoCalledFromLocationsChainInTheOrderAdded)
{
    const U_Location first = loc("/s/a.c", 10, 1);
    const U_Location second = loc("/s/a.c", 20, 1);
    const U_Location l = loc("/s/a.c", 1, 1)->withCalledFrom(first)->withCalledFrom(second);
    ASSERT_TRUE(l->hasCalledFrom());
    const U_Location step1 = l->calledFrom();
    EXPECT_EQ(10, step1->line());
    ASSERT_TRUE(step1->hasCalledFrom());
    EXPECT_EQ(20, step1->calledFrom()->line());
    EXPECT_FALSE(step1->calledFrom()->hasCalledFrom());
    EXPECT_FALSE(first->hasCalledFrom()); // the chain is copied, never changed in place
}

TEST(LocationData, instantiatedFromDepthCountsTheChain)
{
    const U_Location d1 = loc("/s/a.c", 1, 0)->withInstantiatedFrom(loc("/s/a.c", 2, 0), entity("A"));
    const U_Location d2 = loc("/s/a.c", 3, 0)->withInstantiatedFrom(d1, entity("B"));
    const U_Location d3 = loc("/s/a.c", 4, 0)->withInstantiatedFrom(d2, entity("C"));
    EXPECT_EQ(1, d1->instantiatedDepth());
    EXPECT_EQ(2, d2->instantiatedDepth());
    EXPECT_EQ(3, d3->instantiatedDepth());
    EXPECT_EQ("C", d3->instantiatedEntity()->aliasName());
}

TEST(LocationData, compareOrdersByLineAndColumnInOneFileAndByPathAcrossFiles)
{
    EXPECT_EQ(-1, U_LocationData::compare(loc("/s/a.c", 1, 9), loc("/s/a.c", 2, 0)));
    EXPECT_EQ(1, U_LocationData::compare(loc("/s/a.c", 2, 5), loc("/s/a.c", 2, 4)));
    EXPECT_EQ(0, U_LocationData::compare(loc("/s/a.c", 2, 5), loc("/s/a.c", 2, 5)));
    // Different files: the canonical path's bytes decide, whatever the lines.
    EXPECT_EQ(-1, U_LocationData::compare(loc("/s/a.c", 900, 0), loc("/s/b.c", 1, 0)));
    EXPECT_EQ(1, U_LocationData::compare(loc("/s/b.c", 1, 0), loc("/s/a.c", 900, 0)));
    EXPECT_EQ(-1, U_LocationData::compare(U_Location(), loc("/s/a.c", 1, 0)));
    EXPECT_EQ(0, U_LocationData::compare(U_Location(), U_Location()));
}

TEST(FilenameStore, equalTextsShareOneStoredString)
{
    const U_Filename a("/s/shared.c", "shared.c");
    const U_Filename b("/s/shared.c", "./shared.c");
    EXPECT_EQ(a.fullNameKey(), b.fullNameKey());
    EXPECT_NE(a.givenNameKey(), b.givenNameKey());
}

TEST(FilenameStore, letterCaseFoldsOnlyWhereThePlatformFolds)
{
#ifdef _WIN32
    // Windows: one file, however its name is spelt.
    EXPECT_EQ(U_SingletonStringStore::intern("/s/Case.c"), U_SingletonStringStore::intern("/s/case.c"));
#else
    // POSIX: two spellings are two files.
    EXPECT_NE(U_SingletonStringStore::intern("/s/Case.c"), U_SingletonStringStore::intern("/s/case.c"));
#endif
    const FilenameStringCompare folding(true);
    EXPECT_FALSE(folding("/s/Case.c", "/s/case.c"));
    EXPECT_FALSE(folding("/s/case.c", "/s/Case.c"));
    const FilenameStringCompare exact(false);
    EXPECT_TRUE(exact("/s/Case.c", "/s/case.c"));
    EXPECT_FALSE(exact("/s/case.c", "/s/Case.c"));
    EXPECT_FALSE(exact("/s/case.c", "/s/case.c"));
    // Bytes above 0x7f order after ASCII, with or without folding.
    EXPECT_TRUE(exact("/s/z.c", "/s/\xe9.c"));
    EXPECT_FALSE(exact("/s/\xe9.c", "/s/z.c"));
    EXPECT_TRUE(folding("/s/Z.c", "/s/\xe9.c"));
    // Shorter first, whatever the letters.
    EXPECT_TRUE(folding("zz", "AAA"));
}

TEST(Identifier, equalTextsGiveTheSameIdentifier)
{
    EXPECT_EQ(U_Identifier("MAX"), U_Identifier(std::string("MAX")));
    EXPECT_NE(U_Identifier("MAX"), U_Identifier("MA"));
    EXPECT_EQ("MA", U_Identifier("MA").text());
    EXPECT_EQ("", U_Identifier().text());
}

} // namespace
