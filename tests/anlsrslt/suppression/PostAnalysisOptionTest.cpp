// The post-analysis option store: splitting, grouping by tool, iterator ids and assertions.
#include "PostAnalysisAssertion.h"
#include "PostAnalysisEntry.h"
#include "postanalysis.h"

#include <gtest/gtest.h>

namespace {

PostAnalysisOptionStore::Source settings(std::vector<std::string> values, bool alwaysFirst = false)
{
    return [values, alwaysFirst] { return PostAnalysisSettings{values, alwaysFirst}; };
}

std::vector<std::string> walk(PostAnalysisOptionStore& store, const char* tool)
{
    std::vector<std::string> entries;
    const int id = store.getFirstOption(tool);
    while (!store.atEnd(id)) {
        entries.push_back(store.value(id));
        store.next(id);
    }
    return entries;
}

} // namespace

TEST(PostAnalysisEntryTest, blankAndEqualsSeparateKeyFromValue)
{
    EXPECT_EQ(entryKey("suppressions_txt=a b.txt"), "suppressions_txt");
    EXPECT_EQ(entryValue("suppressions_txt=a b.txt"), "a b.txt");
    EXPECT_EQ(entryKey("suppressions_txt C:/r.txt"), "suppressions_txt");
    EXPECT_EQ(entryValue("suppressions_txt C:/r.txt"), "C:/r.txt");
    EXPECT_EQ(entryValue("k="), "");
    EXPECT_EQ(entryKey("flag+"), "flag");
    EXPECT_EQ(entryKey("suppressions_txt"), "suppressions_txt");
}

TEST(PostAnalysisEntryDeathTest, valueOfEntryWithoutSeparatorIsAnAssertion)
{
    EXPECT_DEATH(entryValue("suppressions_txt"),
                 "^Assertion at Option:133: Assertion '! \"Value options should be:  option\\[ \\|=\\]\\.\\*\"' "
                 "failed\\.\n$");
    EXPECT_DEATH(entryValue("x-y"), "^Assertion at Option:144: ");
    EXPECT_DEATH(entryValue("x+y=1"), "^Assertion at Option:144: ");
}

TEST(PostAnalysisAssertionTest, reportShowsLineAndTabMarkers)
{
    EXPECT_EQ(postAnalysisAssertionReport("U", 7, "a   \nb   \tc"), "Assertion at U:7: Assertion 'a<NL>b<TB>c' failed.");
}

TEST(PostAnalysisOptionStoreTest, groupsEntriesByToolInOptionOrder)
{
    PostAnalysisOptionStore store(settings({"other::suppressions_txt=o.txt", "suppresszembrel::b=2",
                                            "noseparator", "tool::", "other::x", "suppresszembrel::a 1",
                                            "::orphan"}));
    EXPECT_EQ(walk(store, "suppresszembrel"), (std::vector<std::string>{"b=2", "a 1"}));
    EXPECT_EQ(walk(store, "other"), (std::vector<std::string>{"suppressions_txt=o.txt", "x"}));
    EXPECT_TRUE(walk(store, "tool").empty());   // nothing after "::"
    EXPECT_EQ(walk(store, ""), (std::vector<std::string>{"orphan"}));
    std::string value;
    EXPECT_TRUE(store.find("suppresszembrel", "a", value));
    EXPECT_EQ(value, "1");
    EXPECT_FALSE(store.find("suppresszembrel", "suppressions_txt", value));
}

TEST(PostAnalysisOptionStoreTest, firstEntryOfTheKeyWins)
{
    PostAnalysisOptionStore store(settings({"t::k=first", "t::kk=no", "t::k second"}));
    std::string value;
    ASSERT_TRUE(store.find("t", "k", value));
    EXPECT_EQ(value, "first");
}

TEST(PostAnalysisOptionStoreTest, releasedIdIsRecycledAndUnfinishedOneStaysTaken)
{
    PostAnalysisOptionStore store(settings({"t::a=1"}));
    const int empty = store.getFirstOption("none");
    EXPECT_TRUE(store.atEnd(empty));
    EXPECT_EQ(store.value(empty), nullptr);
    // The walker never calls next on an empty range, so that id stays taken.
    const int walked = store.getFirstOption("t");
    EXPECT_NE(walked, empty);
    EXPECT_STREQ(store.value(walked), "a=1");
    EXPECT_TRUE(store.next(walked));
    EXPECT_EQ(store.getFirstOption("t"), walked);
    EXPECT_EQ(store.getFirstOption("t"), walked + 1);
}

TEST(PostAnalysisOptionStoreTest, internedEqualTextsShareOnePointer)
{
    PostAnalysisOptionStore store(settings({}));
    const std::string a = "abc";
    EXPECT_EQ(store.intern(a), store.intern(std::string("ab") + "c"));
    EXPECT_NE(store.intern("abc"), store.intern("ABC"));
}

TEST(PostAnalysisOptionStoreTest, rebuildsOnlyAfterABuildWithAlwaysFirst)
{
    int builds = 0;
    bool alwaysFirst = false;
    PostAnalysisOptionStore store([&] {
        ++builds;
        return PostAnalysisSettings{{"t::k=" + std::to_string(builds)}, alwaysFirst};
    });
    std::string value;
    store.find("t", "k", value);
    store.find("t", "k", value);
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(value, "1");

    int later = 0;
    PostAnalysisOptionStore always([&] {
        ++later;
        return PostAnalysisSettings{{"t::k=" + std::to_string(later)}, true};
    });
    always.find("t", "k", value);
    always.find("t", "k", value);
    EXPECT_EQ(later, 2);
    EXPECT_EQ(value, "2");
}

TEST(PostAnalysisOptionStoreDeathTest, misuseIsAnAssertion)
{
    PostAnalysisOptionStore store(settings({}));
    EXPECT_DEATH(store.getFirstOption(nullptr),
                 "^Assertion at postanalysis:194: Assertion '0 != value && \"Do not call getFirstOption with a "
                 "null option\"' failed\\.\n$");
    EXPECT_DEATH(store.atEnd(0), "^Assertion at IterCont:98: Assertion 'key < nextId && \"Iterator Id is out of "
                                 "range\\.\"' failed\\.\n$");
    EXPECT_DEATH(store.value(3), "^Assertion at IterCont:85: ");
    EXPECT_DEATH(store.next(-1), "^Assertion at IterCont:72: ");
}

TEST(PostAnalysisOptionStoreDeathTest, malformedMatchingEntryIsAnAssertion)
{
    PostAnalysisOptionStore store(settings({"t::other", "t::k"}));
    std::string value;
    EXPECT_DEATH(store.find("t", "k", value), "^Assertion at Option:133: ");
    EXPECT_FALSE(store.find("t", "missing", value)); // keys that do not match are never split
}
