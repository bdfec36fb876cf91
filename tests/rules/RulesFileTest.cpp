// Reading the message and parameter suppression files.
#include "MessageRule.h"
#include "ParameterRule.h"
#include "SuppressionStop.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

MessageRules messageRules(const TempDir& dir, const std::string& text, std::string& report)
{
    writeBytes(dir.file("suppressions.txt"), text);
    std::ostringstream out;
    MessageRules rules = readMessageRulesFile(dir.file("suppressions.txt"), out);
    report = out.str();
    return rules;
}

ParameterRules parameterRules(const TempDir& dir, const std::string& text, std::string& report)
{
    writeBytes(dir.file("p.txt"), text);
    std::ostringstream out;
    ParameterRules rules = readParameterRulesFile(dir.file("p.txt"), out);
    report = out.str();
    return rules;
}

} // namespace

TEST(MessageRulesFileTest, readsNumberAndPatternInFileOrder)
{
    TempDir dir;
    std::string report;
    const auto rules = messageRules(dir, "1234 foo\n12ab  bar baz \t\nx1 zero\n-5 neg\n1234 again", report);
    EXPECT_EQ(report, "");
    ASSERT_EQ(rules.size(), 5u);
    EXPECT_EQ(rules[0].messageNumber, 1234);
    EXPECT_EQ(rules[0].pattern, "foo");
    EXPECT_EQ(rules[1].messageNumber, 12);           // digits up to the first non-digit
    EXPECT_EQ(rules[1].pattern, " bar baz \t");      // second blank and trailing white space kept
    EXPECT_EQ(rules[2].messageNumber, 0);            // no leading digit
    EXPECT_EQ(rules[3].messageNumber, 0);            // a sign reads as no number
    EXPECT_EQ(rules[4].pattern, "again");            // last line without a line feed
    for (const auto& rule : rules)
        EXPECT_TRUE(rule.compiled);
}

TEST(MessageRulesFileTest, reportsEveryUnusableLine)
{
    TempDir dir;
    const std::string path = dir.file("suppressions.txt");
    std::string report;
    const auto rules = messageRules(dir, "   \n\n1234\n 12 foo\n99 \n77 (open\n\tx\n5 ok\n", report);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].messageNumber, 5);
    EXPECT_EQ(report, "Ignoring " + path + " line with no message number: 1234\n"
                      "Ignoring " + path + " line with no message number:  12 foo\n"
                      "Ignoring " + path + " line with empty regular expression: 99 \n"
                      "Ignoring " + path + " regex compilation error for line: 77 (open\n"
                      "Ignoring " + path + " line with no message number: \tx\n");
}

TEST(MessageRulesFileTest, readsRulesWithWindowsLineEnds)
{
    TempDir dir;
    std::string report;
    const auto windows = messageRules(dir, "1 a$\r\n2 b\r\n   \r\n", report);
    EXPECT_EQ(report, "");
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].pattern, "a$");
    EXPECT_EQ(windows[1].pattern, "b");
}

TEST(MessageRulesFileTest, emptyFileGivesNoRules)
{
    TempDir dir;
    std::string report;
    EXPECT_TRUE(messageRules(dir, "", report).empty());
    EXPECT_TRUE(messageRules(dir, "  \n \n", report).empty());
    EXPECT_EQ(report, "");
}

TEST(MessageRulesFileTest, missingDefaultFileStopsWithNotFound)
{
    TempDir dir;
    std::ostringstream out;
    try {
        readMessageRules(dir.path() + "/", out);
        FAIL() << "no stop";
    } catch (const SuppressionStop& stop) {
        EXPECT_EQ(stop.report(), dir.path() + "/suppressions.txt not found.");
        EXPECT_EQ(stop.status(), 10);
    }
}

TEST(MessageRulesFileTest, defaultFileIsFoundInTheProgramDirectory)
{
    TempDir dir;
    writeBytes(dir.file("suppressions.txt"), "10 x\n");
    std::ostringstream out;
    const auto rules = readMessageRules(dir.path() + "/", out);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].messageNumber, 10);
}

TEST(ParameterRulesFileTest, readsNumberPositionAndPattern)
{
    TempDir dir;
    std::string report;
    const auto rules = parameterRules(dir, "1 2 ^std::\n33 x1 a b \n3000000000 99999999999 z", report);
    EXPECT_EQ(report, "");
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0].messageNumber, 1);
    EXPECT_EQ(rules[0].position, 2);
    EXPECT_EQ(rules[0].pattern, "^std::");
    EXPECT_EQ(rules[1].position, 0); // not a number: kept, never applies
    EXPECT_EQ(rules[1].pattern, "a b ");
    EXPECT_EQ(rules[2].messageNumber, 2147483647); // clamped as the C library does
    EXPECT_EQ(rules[2].position, 2147483647);
}

TEST(ParameterRulesFileTest, reportsEveryUnusableLine)
{
    TempDir dir;
    const std::string path = dir.file("p.txt");
    std::string report;
    const auto rules = parameterRules(dir, "12\n 1 2 x\n12 \n12 3\n12  x\n12 3 \n12 3 [\n4 1 ok\r\n", report);
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].pattern, "ok");
    EXPECT_EQ(report, "Ignoring " + path + " line with no message number: 12\n"
                      "Ignoring " + path + " line with no message number:  1 2 x\n"
                      "Ignoring " + path + " line with empty position parameter: 12 \n"
                      "Ignoring " + path + " line with no position parameter: 12 3\n"
                      "Ignoring " + path + " line with no position parameter: 12  x\n"
                      "Ignoring " + path + " line with empty regex pattern: 12 3 \n"
                      "Ignoring " + path + " regex compilation error for line: 12 3 [\n");
}

TEST(ParameterRulesFileTest, missingDefaultFileGivesNoRulesSilently)
{
    TempDir dir;
    std::ostringstream out;
    EXPECT_TRUE(readParameterRules(dir.path() + "/", out).empty());
    EXPECT_EQ(out.str(), "");
}
