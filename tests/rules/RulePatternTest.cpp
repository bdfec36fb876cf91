// Compilation and matching of rule patterns through PCRE2.
#include "RulePattern.h"

#include <gtest/gtest.h>

TEST(RulePatternTest, matchesAnywhereUnlessAnchored)
{
    const auto unanchored = RulePattern::compile("NOLINT");
    ASSERT_TRUE(unanchored);
    EXPECT_TRUE(unanchored->matches("int x; // NOLINT here"));
    const auto anchored = RulePattern::compile("^NOLINT");
    ASSERT_TRUE(anchored);
    EXPECT_FALSE(anchored->matches("int x; // NOLINT"));
    EXPECT_TRUE(anchored->matches("NOLINT int x;"));
}

TEST(RulePatternTest, isCaseSensitiveAndSingleLine)
{
    const auto pattern = RulePattern::compile("^abc$");
    ASSERT_TRUE(pattern);
    EXPECT_FALSE(pattern->matches("ABC"));
    // Without multi-line mode "$" matches only at the very end (or before a final line feed).
    EXPECT_FALSE(pattern->matches("abc\nxyz"));
    EXPECT_TRUE(pattern->matches("abc\n"));
}

TEST(RulePatternTest, subjectEndsAtItsFirstNulByte)
{
    const auto pattern = RulePattern::compile("hidden");
    ASSERT_TRUE(pattern);
    EXPECT_FALSE(pattern->matches(std::string("visible\0hidden", 14)));
    const auto empty = RulePattern::compile("^$");
    EXPECT_TRUE(empty->matches(std::string("\0text", 5)));
}

TEST(RulePatternTest, badPatternGivesNull)
{
    EXPECT_FALSE(RulePattern::compile("(unclosed"));
    EXPECT_FALSE(RulePattern::compile("a{2,1}"));
}

TEST(RulePatternTest, sameTextIsCompiledOnce)
{
    const auto first = RulePattern::compile("x[0-9]+");
    const auto second = RulePattern::compile("x[0-9]+");
    EXPECT_EQ(first.get(), second.get());
}

TEST(RulePatternTest, runawayBacktrackingCountsAsNoMatch)
{
    const auto pattern = RulePattern::compile("^(a+)+$");
    ASSERT_TRUE(pattern);
    EXPECT_FALSE(pattern->matches(std::string(60, 'a') + "b"));
    EXPECT_TRUE(pattern->matches(std::string(60, 'a')));
}
