// Option kinds: how each reads its value, shows it, resets and forgets, and the errors it raises.
#include "C_InvalidArgException.h"
#include "C_InvalidArgValueException.h"
#include "C_InvalidViaException.h"
#include "C_Options.h"
#include "C_ValueExpectedException.h"
#include "CmdlineTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using cmdtest::applyArgument;

namespace {

const auto errorText = &cmdtest::messageOf<C_ConfigurationException>;

constexpr int kVelcpp = 0;
constexpr int kVelc = 1;

TEST(C_OptionBoolTest, helpSwitchesOnOffAndRejectsOtherCharacters)
{
    C_Options options(kVelcpp);
    EXPECT_TRUE(applyArgument(options, "-help").isGiven());
    EXPECT_TRUE(options.help().value());
    applyArgument(options, "-help-");
    EXPECT_FALSE(options.help().value());
    applyArgument(options, "-help+xyz");
    EXPECT_TRUE(options.help().value());
    EXPECT_EQ(options.help().valueText(), "+ (on)");

    C_Options fresh(kVelcpp);
    EXPECT_EQ(errorText([&] { applyArgument(fresh, "-helpx"); }),
              "\nERROR: x is not a valid argument for option: help\n\n");
    EXPECT_TRUE(fresh.help().isGiven()); // marked given before the value failed
    EXPECT_EQ(fresh.help().valueText(), "- (off)");
}

TEST(C_OptionIntTest, tabstopReadsAttachedSeparateAndEmptyValues)
{
    C_Options options(kVelcpp);
    EXPECT_EQ(options.tabstop().value(), 8);
    applyArgument(options, "-tabstop=4");
    EXPECT_EQ(options.tabstop().value(), 4);
    applyArgument(options, "-tabstop5");
    EXPECT_EQ(options.tabstop().value(), 5);
    applyArgument(options, "-tabstop", "=6");
    EXPECT_EQ(options.tabstop().value(), 6);
    applyArgument(options, "-tabstop", "12abc");
    EXPECT_EQ(options.tabstop().value(), 12);
    applyArgument(options, "-tabstop", "abc");
    EXPECT_EQ(options.tabstop().value(), 0);
    applyArgument(options, "-tabstop", " -7");
    EXPECT_EQ(options.tabstop().value(), -7);
    applyArgument(options, "-tabstop=");
    EXPECT_EQ(options.tabstop().value(), 0);
    options.tabstop().forget();
    EXPECT_EQ(options.tabstop().value(), 8);
    EXPECT_FALSE(options.tabstop().isGiven());
}

TEST(C_OptionIntTest, valueMissingAtTheEndNamesTheOption)
{
    C_Options options(kVelcpp);
    EXPECT_EQ(errorText([&] { applyArgument(options, "-tabstop"); }), "\nERROR: Argument expected after tabstop\n\n");
}

TEST(C_OptionBaseTest, failedStreamIsReadOnceMore)
{
    C_Options options(kVelcpp);
    std::istringstream in("4\n");
    in.setstate(std::ios::failbit); // left failed by an earlier read although a value follows
    options.tabstop().setFrom(in, false);
    EXPECT_EQ(options.tabstop().value(), 4);
}

TEST(C_OptionIntListTest, repeatedNomsgKeepsOrderAndDuplicates)
{
    C_Options options(kVelcpp);
    applyArgument(options, "-nomsg", "1-3");
    applyArgument(options, "-nomsg", "2");
    EXPECT_EQ(options.nomsg().value(), (std::vector<std::int32_t>{1, 2, 3, 2}));
    EXPECT_EQ(options.nomsg().valueText(), "1-3 2");
}

TEST(C_OptionIntListTest, numberListRuleReadsSeparatorsRangesAndSwappedBounds)
{
    C_OptionIntList list("nomsg");
    list.appendNumbers("1,3-5 9");
    EXPECT_EQ(list.value(), (std::vector<std::int32_t>{1, 3, 4, 5, 9}));
    list.reset();
    list.appendNumbers("10-0");
    EXPECT_EQ(list.value().size(), 11u);
    EXPECT_EQ(list.value().front(), 0);
    EXPECT_EQ(list.value().back(), 10);
    list.reset();
    list.appendNumbers("1,,2");
    EXPECT_EQ(list.value(), (std::vector<std::int32_t>{1, 0, 2}));
    list.reset();
    list.appendNumbers("1-3-5");
    EXPECT_EQ(list.value(), (std::vector<std::int32_t>{1, 2, 3, 5}));
    list.reset();
    list.appendNumbers("1,2,3,5,7,8,9");
    EXPECT_EQ(list.valueText(), "1-3 5 7-9");
    list.reset();
    EXPECT_EQ(list.valueText(), "");
}

TEST(C_OptionIntListTest, rangeWiderThan20000IsTruncatedWithOneWarning)
{
    C_Options options(kVelcpp);
    testing::internal::CaptureStderr();
    applyArgument(options, "-only", "5-30000");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "\n\nWARNING: configured number range 5-30000 is too large.\n"
                   "WARNING: Will truncate range to 5-20004.\n\n\n");
    ASSERT_EQ(options.only().value().size(), 20000u);
    EXPECT_EQ(options.only().value().front(), 5);
    EXPECT_EQ(options.only().value().back(), 20004);
}

TEST(C_OptionIntListTest, rangeOfExactly20000IsKeptWhole)
{
    C_OptionIntList list("only");
    testing::internal::CaptureStderr();
    list.appendNumbers("0-20000");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(list.value().size(), 20001u);

    list.reset();
    testing::internal::CaptureStderr();
    list.appendNumbers("20001-0");
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(list.value().size(), 20000u);
    EXPECT_EQ(list.value().back(), 19999);
}

TEST(C_OptionIntListTest, rangeEndingAtTheLargestNumberStops)
{
    C_OptionIntList list("only");
    list.appendNumbers("2147483646-2147483647");
    EXPECT_EQ(list.value(), (std::vector<std::int32_t>{2147483646, 2147483647}));
}

TEST(C_OptionStringListTest, showsEveryItemFollowedByComma)
{
    C_Options options(kVelcpp);
    applyArgument(options, "-debug", "a");
    applyArgument(options, "-deb=b");
    EXPECT_EQ(options.debug().valueText(), "a, b, ");
    EXPECT_TRUE(options.hasDebugKeyword("b"));
    EXPECT_FALSE(options.hasDebugKeyword("B"));
}

TEST(C_OptionStringListTest, characterArrayIsRebuiltAfterEveryChange)
{
    C_Options options(kVelcpp);
    applyArgument(options, "-po", "x::a=1");
    const char* const* first = options.prodoption().charArray();
    ASSERT_STREQ(first[0], "x::a=1");
    EXPECT_EQ(first[1], nullptr);
    EXPECT_EQ(options.prodoption().charArray(), first); // built once, kept while unchanged

    applyArgument(options, "-qo", "y::b=2");
    const char* const* second = options.prodoption().charArray();
    ASSERT_STREQ(second[1], "y::b=2");
    EXPECT_EQ(second[2], nullptr);

    options.prodoption().forget();
    EXPECT_EQ(options.prodoption().charArray()[0], nullptr);
}

TEST(C_OptionFilenameTest, separatorsAreNormalised)
{
    C_Options options(kVelcpp);
    applyArgument(options, "-op", "a\\b\\c");
    EXPECT_EQ(options.outputpath().value(), "a/b/c");
    EXPECT_EQ(options.outputpath().valueText(), "a/b/c");
}

TEST(C_OptionFilenameListTest, keepsFullPathAndSpellingAndShowsByExpandfilenames)
{
    C_Options options(kVelcpp);
    applyArgument(options, "-q", "no-such-dir\\x.h");
    ASSERT_EQ(options.quiet().value().size(), 1u);
    EXPECT_EQ(options.quiet().value()[0].given, "no-such-dir/x.h");
    EXPECT_EQ(options.quiet().value()[0].fullPath, "no-such-dir/x.h"); // directory missing: unchanged
    EXPECT_STREQ(options.quiet().charArray()[0], "no-such-dir/x.h");
}

TEST(C_OptionEchoTest, printsItsValueOnStandardOutput)
{
    C_Options options(kVelcpp);
    testing::internal::CaptureStdout();
    applyArgument(options, "-e", "hello world");
    applyArgument(options, "-echo=x");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "hello world\nx\n");
}

TEST(C_OptionForgetTest, forgetCmafRestoresTheDefaultAndClearsGiven)
{
    C_Options options(kVelcpp);
    applyArgument(options, "-cmaf", "x.txt");
    EXPECT_TRUE(options.crossmoduleanalysisfile().isGiven());
    applyArgument(options, "-forget", "cmaf");
    EXPECT_EQ(options.crossmoduleanalysisfile().value(), "");
    EXPECT_FALSE(options.crossmoduleanalysisfile().isGiven());
    EXPECT_TRUE(options.forgetall().isGiven());
}

TEST(C_OptionForgetTest, unknownNameIsAnInvalidValueOfForgetall)
{
    C_Options options(kVelcpp);
    EXPECT_EQ(errorText([&] { applyArgument(options, "-forget", "zzz"); }),
              "\nERROR: zzz is not a valid argument for option: forgetall\n\n");
}

TEST(C_OptionViaTest, viaWithoutACommandLineCannotBeOpened)
{
    C_Options options(kVelcpp);
    EXPECT_EQ(errorText([&] { applyArgument(options, "-via", "list.txt"); }), "\nERROR: Unable to open list.txt\n\n");
}

TEST(C_OptionExceptionsTest, messagesAreBuiltAtConstructionAndKept)
{
    const C_InvalidArgException unknown("-xyz");
    const C_ValueExpectedException expected("tabstop");
    const C_InvalidViaException via("v.txt");
    const C_InvalidArgValueException value("x", "help");
    // Each keeps its own text although later ones overwrote the shared user-message buffer.
    EXPECT_STREQ(unknown.what(), "\nERROR: Unknown argument: -xyz\n\n");
    EXPECT_STREQ(expected.what(), "\nERROR: Argument expected after tabstop\n\n");
    EXPECT_STREQ(via.what(), "\nERROR: Unable to open v.txt\n\n");
    EXPECT_STREQ(value.what(), "\nERROR: x is not a valid argument for option: help\n\n");
    EXPECT_FALSE(unknown.useCode());
    EXPECT_EQ(unknown.code(), 10);
}

TEST(C_OptionsTest, copyKeepsValuesGivenFlagsAndDefaults)
{
    C_Options options(kVelc);
    applyArgument(options, "-namelength", "12");
    applyArgument(options, "-nomsg", "4-5");
    C_Options copy(options);
    EXPECT_EQ(copy.namelength().value(), 12);
    EXPECT_TRUE(copy.namelength().isGiven());
    EXPECT_EQ(copy.nomsg().valueText(), "4-5");
    copy.namelength().forget();
    EXPECT_EQ(copy.namelength().value(), 31);
    EXPECT_EQ(options.namelength().value(), 12);
    // The copy's forget works on the copy.
    applyArgument(copy, "-forget", "nomsg");
    EXPECT_TRUE(copy.nomsg().value().empty());
    EXPECT_EQ(options.nomsg().value().size(), 2u);
}

TEST(C_OptionsTest, defaultsOfTheTable)
{
    const C_Options options(kVelcpp);
    EXPECT_TRUE(options.expandfilenames().value());
    EXPECT_TRUE(options.nogen().value());
    EXPECT_TRUE(options.showalias().value());
    EXPECT_TRUE(options.dontusec99decintlittypes().value());
    EXPECT_FALSE(options.version().value());
    EXPECT_EQ(options.heap().value(), 512);
    EXPECT_EQ(options.maxrecursivetemplatenestingdepth().value(), 200);
    EXPECT_EQ(options.pphversion().value(), 1);
    EXPECT_EQ(options.xnamelength().value(), 6);
    EXPECT_EQ(options.style().value(), "exdented");
    EXPECT_EQ(options.cxx03auto().name(), "c++03auto");
    EXPECT_EQ(options.kandr().name(), "k+r");
}

} // namespace
