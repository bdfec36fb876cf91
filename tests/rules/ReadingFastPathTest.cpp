// The fast paths of the rules library against the plain ones: in-memory line stepping, reused
// rules-file readings and the pre-check before a pattern is run.
#include "MatchSubject.h"
#include "MessageRule.h"
#include "ParameterRule.h"
#include "RulePattern.h"
#include "SourceFileCache.h"
#include "SourceLineCursor.h"
#include "TextLineReader.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

// The text after each forward step to a target line, read the plain way (the loop the matcher
// used before it kept files in memory).
std::vector<std::string> plainSteps(const std::string& path, const std::vector<int>& targets)
{
    TextLineReader in(path);
    std::vector<std::string> texts;
    std::string text;
    int current = 0;
    for (const int target : targets) {
        while (current < target && !in.atEnd()) {
            const bool read = in.readLine(text);
            ++current;
            if (!read)
                break;
        }
        texts.push_back(std::to_string(current) + ":" + text);
    }
    return texts;
}

std::vector<std::string> cursorSteps(const std::string& path, const std::vector<int>& targets)
{
    SourceFileCache::clear();
    SourceLineCursor cursor(SourceFileCache::load(path));
    std::vector<std::string> texts;
    for (const int target : targets) {
        cursor.advanceTo(target);
        texts.push_back(std::to_string(cursor.lineNumber()) + ":" + cursor.text());
    }
    return texts;
}

} // namespace

TEST(SourceLineCursorTest, stepsLikeTextModeReadingOnAwkwardFiles)
{
    const std::vector<std::string> contents = {
        "",                                  // nothing at all
        "one\ntwo\nthree\n",                 // ends with a line feed
        "one\r\ntwo\r\nthree",               // Windows line ends, last line without one
        "cr at end\r",                       // a lone CR before the end of file stays
        "a\r\r\nb\n\n\nc\r\n",               // only the CR right before the LF goes; empty lines
        std::string("nul\0inside\nx\n", 14), // a NUL byte is part of the line
    };
    // Single steps, jumps over many lines, repeats, targets behind the current line, and targets
    // at, just past and far past the end.
    const std::vector<std::vector<int>> targetLists = {
        {1, 1, 2, 4, 4, 5, 9, 12}, {3}, {0, -4, 2, 1, 6}, {5, 6, 7}, {6}, {100, 1, 200}};
    for (const std::string& content : contents) {
        TempDir dir;
        writeBytes(dir.file("s.c"), content);
        for (const auto& targets : targetLists)
            EXPECT_EQ(cursorSteps(dir.file("s.c"), targets), plainSteps(dir.file("s.c"), targets))
                << "content: " << content << ", first target " << targets.front();
    }
}

TEST(SourceLineCursorTest, forEachLineDeliversWhatReadLineDelivers)
{
    for (const std::string content : {"", "\n", "a", "a\n", "a\r\nb\r", "x\n\r\n\ry\r\n"}) {
        TempDir dir;
        writeBytes(dir.file("r.txt"), content);
        std::vector<std::string> plain;
        TextLineReader in(dir.file("r.txt"));
        std::string line;
        while (in.readLine(line))
            plain.push_back(line);
        std::vector<std::string> fast;
        TextLineReader::forEachLine(content, [&](const std::string& l) { fast.push_back(l); });
        EXPECT_EQ(fast, plain) << "content: " << content;
    }
}

TEST(SourceFileCacheTest, missingFileIsNullAndNotRemembered)
{
    TempDir dir;
    SourceFileCache::clear();
    EXPECT_EQ(SourceFileCache::load(dir.file("later.c")), nullptr);
    writeBytes(dir.file("later.c"), "int x;\n");
    const auto text = SourceFileCache::load(dir.file("later.c"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->bytes(), "int x;\n");
}

TEST(RulesFileReuseTest, warningsRepeatOnEveryReadingAndChangesAreSeen)
{
    TempDir dir;
    const std::string path = dir.file("suppressions.txt");
    writeBytes(path, "1 ok\n77 (open\nbad\n");
    std::ostringstream first;
    std::ostringstream second;
    const MessageRules a = readMessageRulesFile(path, first);
    const MessageRules b = readMessageRulesFile(path, second);
    EXPECT_NE(first.str(), "");
    EXPECT_EQ(second.str(), first.str());
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].pattern, "ok");
    EXPECT_EQ(b[0].compiled, a[0].compiled); // one compiled form per pattern text

    writeBytes(path, "2 other\n");
    std::ostringstream third;
    const MessageRules c = readMessageRulesFile(path, third);
    EXPECT_EQ(third.str(), "");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].messageNumber, 2);
}

TEST(RulesFileReuseTest, parameterRulesRepeatTheirWarningsToo)
{
    TempDir dir;
    const std::string path = dir.file("p.txt");
    writeBytes(path, "5 1 x\n5\n");
    std::ostringstream first;
    std::ostringstream second;
    readParameterRulesFile(path, first);
    const ParameterRules again = readParameterRulesFile(path, second);
    EXPECT_NE(first.str(), "");
    EXPECT_EQ(second.str(), first.str());
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].position, 1);
}

TEST(RulePatternPrecheckTest, answersStayThoseOfTheMatcher)
{
    struct Case {
        const char* pattern;
        const char* subject;
        bool matches;
    };
    const Case cases[] = {
        {"foo_bar", "call foo_bar();", true},
        {"foo_bar", "call foo_baz();", false},   // first unit present, required one missing
        {"(?i)abc", "xABCx", true},              // caseless literals must not be pre-checked
        {"a(?i)bc", "aBC", true},
        {"x\\(?y", "xy", true},                  // an optional escaped parenthesis
        {"(cat|cow)", "a cow", true},            // common first unit of an alternation
        {"[Zz]ebra", "Zebra", true},             // PCRE2 folds the class into a caseless first unit
        {"[Zz]ebra", "zebra", true},
        {"zebr[Aa]", "zebrA", true},             // ... and a caseless last one
        {"[Zz]ebra", "ebra", false},
        {"^\\s*#define", "  #define X", true},
        {"e$", "line", true},
    };
    for (const Case& c : cases) {
        const auto compiled = RulePattern::compile(c.pattern);
        ASSERT_TRUE(compiled) << c.pattern;
        EXPECT_EQ(compiled->matches(c.subject), c.matches) << c.pattern << " on " << c.subject;
        // A subject prepared for many patterns gives the same answers.
        const std::string text = c.subject;
        EXPECT_EQ(compiled->matches(MatchSubject(text)), c.matches) << c.pattern << " on " << c.subject;
    }
    // The subject ends at its first NUL byte, for the pre-check as for the matcher.
    for (const std::string& text : {std::string("hay\0needle", 10), std::string("hay\0n", 5)}) {
        EXPECT_FALSE(RulePattern::compile("needle")->matches(text));
        EXPECT_FALSE(RulePattern::compile("n")->matches(text));
        EXPECT_FALSE(RulePattern::compile("needle")->matches(MatchSubject(text)));
        EXPECT_FALSE(RulePattern::compile("n")->matches(MatchSubject(text)));
        EXPECT_EQ(MatchSubject(text).length(), 3u);
    }
    EXPECT_TRUE(RulePattern::compile("y")->matches(MatchSubject(std::string("hay\0n", 5))));
}
