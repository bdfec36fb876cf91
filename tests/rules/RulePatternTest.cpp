// Compilation and matching of rule patterns through PCRE2.
#include "RulePattern.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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

TEST(RulePatternTest, answersStayTheSameWhenAnOftenRunPatternIsCompiledFurther)
{
    // A pattern is interpreted for its first runs and JIT-compiled later: the answers on both
    // sides of that change must agree, NUL bytes, line ends and anchors included.
    const std::vector<std::string> subjects = {
        "abc", "xabcx", "ab", "", std::string("ab\0c abc", 8), "abc\r", "line\nabc", "ABC", "a b c",
        std::string(3000, 'a') + "abc"};
    for (const char* text : {"abc", "^abc$", "a.c", "[a-c]{3}", "b|z", "^$", "\\babc\\b", "(a|ab)(c|bcd)$"}) {
        // A pattern text of its own, so that no other test has run it yet.
        const std::string patternText = std::string("(?:") + text + ")";
        const auto pattern = RulePattern::compile(patternText);
        ASSERT_TRUE(pattern) << text;
        std::vector<bool> first;
        for (const std::string& subject : subjects)
            first.push_back(pattern->matches(subject));
        for (int round = 0; round < 10; ++round)
            for (std::size_t i = 0; i < subjects.size(); ++i)
                EXPECT_EQ(pattern->matches(subjects[i]), first[i]) << text << " on subject " << i << ", round " << round;
    }
}

TEST(RulePatternTest, offeredFormsMatchAsCompiledOnesWhenRunOftenAndTheirRoomWasUnderestimated)
{
    // Groups of serialised forms, each group offered after too small an estimate of its room, so
    // that the decoded forms spread over several blocks; each form is then run past the point
    // where it is compiled further, which asks the matcher for memory through the decoded form.
    // Every other group repeats a text and is asked for in reverse order, so that offered forms
    // are passed over and left behind.
    const std::vector<std::string> subjects = {"id42 = x;", "ID42", "", "id = 7", std::string(500, 'i') + "d9"};
    for (int group = 0; group < 40; ++group) {
        std::vector<std::string> texts;
        std::vector<std::shared_ptr<const RulePattern>> compiled;
        std::vector<std::vector<bool>> expected;
        for (int i = 0; i < 12; ++i) {
            if (group % 2 == 1 && i == 6)
                texts.push_back(texts[4]);
            else
                texts.push_back("(?:offered" + std::to_string(group) + "_" + std::to_string(i) + ")?id[0-9]{" +
                                std::to_string(i % 3) + ",}");
            compiled.push_back(RulePattern::compile(texts.back()));
            ASSERT_TRUE(compiled.back()) << texts.back();
            expected.emplace_back();
            for (const std::string& subject : subjects)
                expected.back().push_back(compiled.back()->matches(subject));
        }
        const std::string serialised = RulePattern::serialize(compiled);
        ASSERT_FALSE(serialised.empty());
        compiled.clear();
        RulePattern::forgetCompiled();
        RulePattern::expectOffers(serialised.size() / 4, texts.size());
        ASSERT_TRUE(RulePattern::offer(serialised, std::vector<std::string_view>(texts.begin(), texts.end())));
        for (std::size_t k = 0; k < texts.size(); ++k) {
            const std::size_t i = group % 2 == 1 ? texts.size() - 1 - k : k;
            const auto pattern = RulePattern::compile(texts[i]);
            ASSERT_TRUE(pattern) << texts[i];
            for (int round = 0; round < 40; ++round)
                for (std::size_t s = 0; s < subjects.size(); ++s)
                    ASSERT_EQ(pattern->matches(subjects[s]), expected[i][s]) << texts[i] << " on " << s << ", round " << round;
        }
        RulePattern::withdrawOffers();
    }
}
