// Processing a command line: the order of the sources, via files, tokenising and error handling.
#include "C_ArgvSource.h"
#include "C_CmdArgStreamBuffer.h"
#include "C_CmdArgs.h"
#include "C_InvalidArgException.h"
#include "C_InvalidViaException.h"
#include "C_Options.h"
#include "C_OrphanHandler.h"
#include "C_ValueExpectedException.h"
#include "CmdlineTestSupport.h"
#include "ScopedEnv.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

struct RecordingHandler : C_OrphanHandler {
    void take(C_CmdArgs&, const std::string& argument) override { taken.push_back(argument); }
    bool isEmpty() const override { return taken.empty(); }
    std::vector<std::string> taken;
};

// A product environment in a temporary directory: BIN (with or without a configuration file),
// temporary files and no personal options file.
class ArgumentSourcesTest : public testing::Test {
protected:
    ArgumentSourcesTest()
        : env({{"VELCPPBIN", dir.file("bin")},
               {"VELCPPTEMPFILES", dir.path()},
               {"VELCPPRCPATH", std::nullopt},
               {"HOME", dir.file("home")},
               {"ZEMB_SOURCE_VALUE", std::string("value")}})
    {
        writeBytes(dir.file("bin/velcpp.cfg"), "#options\n");
        writeBytes(dir.file("home/.keep"), "");
    }
    ~ArgumentSourcesTest() override { C_CmdArgs::clearCurrent(); }

    // Processes the arguments; standard error and output are captured.
    C_CmdArgs& run(const std::vector<std::string>& arguments)
    {
        args = U_Handle<C_CmdArgs>(new C_CmdArgs("VELCPP", arguments));
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        try {
            args->process(handler);
        } catch (...) {
            err = testing::internal::GetCapturedStderr();
            out = testing::internal::GetCapturedStdout();
            throw;
        }
        err = testing::internal::GetCapturedStderr();
        out = testing::internal::GetCapturedStdout();
        return *args;
    }
    C_Options& options() { return *args->options(); }

    TempDir dir;
    testsupport::ScopedEnv env;
    RecordingHandler handler;
    U_Handle<C_CmdArgs> args;
    std::string err;
    std::string out;
};

TEST_F(ArgumentSourcesTest, commandLineOverridesConfigurationWhileListsCollectBoth)
{
    writeBytes(dir.file("bin/velcpp.cfg"), "#internal\n30\n#options\n-tabstop 3 -po a::x=1\n-ng-\n");
    writeBytes(dir.file("home/.velcpprc"), "-tabstop 4 -po r::y=2\n");
    run({"-tabstop", "5", "-po", "c::z=3", "file.c"});
    EXPECT_EQ(options().tabstop().value(), 5);
    EXPECT_EQ(options().prodoption().value(), (std::vector<std::string>{"a::x=1", "r::y=2", "c::z=3"}));
    EXPECT_FALSE(options().nogen().value());
    EXPECT_EQ(handler.taken, std::vector<std::string>{"file.c"});
    EXPECT_TRUE(args->isParsed());
    EXPECT_TRUE(args->isProcessed());
}

TEST_F(ArgumentSourcesTest, personalOptionsFileComesBetweenConfigurationAndCommandLine)
{
    writeBytes(dir.file("bin/velcpp.cfg"), "#options\n-tabstop 3\n");
    writeBytes(dir.file("home/.velcpprc"), "-tabstop 4\n");
    run({});
    EXPECT_EQ(options().tabstop().value(), 4);
}

TEST_F(ArgumentSourcesTest, nestedViaFilesAreReadDepthFirst)
{
    writeBytes(dir.file("outer.lnt"), "-po 1 -via " + dir.file("inner.lnt") + " -po 4\n");
    writeBytes(dir.file("inner.lnt"), "-po 2\n-list=" + dir.file("innermost.lnt") + "\n");
    writeBytes(dir.file("innermost.lnt"), "-po 3\n");
    run({"-po", "0", "-via" + dir.file("outer.lnt"), "-po", "5"});
    EXPECT_EQ(options().prodoption().value(), (std::vector<std::string>{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(err, "");
}

TEST_F(ArgumentSourcesTest, quotedTokensKeepBlanksAndJoinNeighbouringText)
{
    writeBytes(dir.file("args.lnt"), "\"a b\" 'c d'e x\"y z\"w \"open to the end\n'it''s'\n");
    run({"-via", dir.file("args.lnt")});
    EXPECT_EQ(handler.taken, (std::vector<std::string>{"a b", "c de", "xy zw", "open to the end", "its"}));
}

TEST_F(ArgumentSourcesTest, commentLinesAreSkippedAndBackslashContinues)
{
    writeBytes(dir.file("args.lnt"), "* -help\none\n  * not a comment\nlong\\\nword \\\r\nnext\r\n");
    run({"-via", dir.file("args.lnt")});
    EXPECT_FALSE(options().help().isGiven());
    EXPECT_EQ(handler.taken, (std::vector<std::string>{"one", "*", "not", "a", "comment", "longword", "next"}));
}

TEST_F(ArgumentSourcesTest, dollarSubstitutesEnvironmentAndDoubleDollarGivesOne)
{
    writeBytes(dir.file("args.lnt"), "$HOME/x ${ZEMB_SOURCE_VALUE}y $ZEMB_SOURCE_VALUE.z $$HOME a$\n${HOME\n");
    run({"-via", dir.file("args.lnt")});
    EXPECT_EQ(handler.taken, (std::vector<std::string>{dir.file("home") + "/x", "valuey", "value.z", "$HOME", "a$",
                                                       "${HOME"}));
    EXPECT_EQ(out, "\nERROR: Badly formed variable substitution:\n\t${HOME\n");
}

TEST_F(ArgumentSourcesTest, emptyArgumentEndsTheCommandLine)
{
    run({"a", "", "b", "-help"});
    EXPECT_EQ(handler.taken, std::vector<std::string>{"a"});
    EXPECT_FALSE(options().help().isGiven());
}

TEST_F(ArgumentSourcesTest, emptyQuotedTokenEndsTheViaFile)
{
    writeBytes(dir.file("args.lnt"), "a \"\" b\nc\n");
    run({"-via", dir.file("args.lnt"), "d"});
    EXPECT_EQ(handler.taken, (std::vector<std::string>{"a", "d"}));
}

TEST_F(ArgumentSourcesTest, unknownArgumentsAreReportedAndSkipped)
{
    run({"-xyz", "a", "-", "b"});
    EXPECT_EQ(err, "\nERROR: Unknown argument: -xyz\n\n\nERROR: Unknown argument: -\n\n");
    EXPECT_EQ(handler.taken, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(args->isParsed());
}

TEST_F(ArgumentSourcesTest, eicaMakesAnUnknownArgumentStopProcessing)
{
    EXPECT_THROW(run({"-eica", "-xyz", "a"}), C_InvalidArgException);
    EXPECT_TRUE(handler.taken.empty());
    EXPECT_FALSE(args->isParsed());
}

TEST_F(ArgumentSourcesTest, missingViaFileIsReportedUnlessEicvIsOn)
{
    run({"-via", dir.file("missing.lnt"), "a"});
    EXPECT_EQ(err, "\nERROR: Unable to open " + dir.file("missing.lnt") + "\n\n");
    EXPECT_EQ(handler.taken, std::vector<std::string>{"a"});

    handler.taken.clear();
    EXPECT_THROW(run({"-eicv", "-via", dir.file("missing.lnt"), "a"}), C_InvalidViaException);
    EXPECT_TRUE(handler.taken.empty());
}

TEST_F(ArgumentSourcesTest, invalidAndMissingValuesFollowEicv)
{
    run({"-helpx", "-tabstop"});
    EXPECT_EQ(err, "\nERROR: x is not a valid argument for option: help\n\n"
                   "\nERROR: Argument expected after tabstop\n\n");
    EXPECT_THROW(run({"-eicv", "-tabstop"}), C_ValueExpectedException);
}

TEST_F(ArgumentSourcesTest, viaNameAttachedKeepsItsEqualsSign)
{
    writeBytes(dir.file("=v.lnt"), "inside\n");
    writeBytes(dir.file("v.lnt"), "wrong\n");
    cmdtest::InDirectory in(dir.path());
    run({"-via=v.lnt", "-list=v.lnt"});
    EXPECT_EQ(handler.taken, (std::vector<std::string>{"inside", "wrong"}));
}

TEST_F(ArgumentSourcesTest, unreadableConfigurationFileIsReportedAndTheRunGoesOn)
{
    std::remove(dir.file("bin/velcpp.cfg").c_str());
    run({"-tabstop", "2", "x"});
    EXPECT_EQ(err, "\nERROR: Unable to open configuration file " + dir.file("bin/velcpp.cfg") + "\n\n");
    EXPECT_EQ(options().tabstop().value(), 2);
    EXPECT_EQ(handler.taken, std::vector<std::string>{"x"});
}

TEST_F(ArgumentSourcesTest, processingHappensOnce)
{
    run({"-po", "1", "a"});
    args->process(handler);
    EXPECT_EQ(options().prodoption().value().size(), 1u);
    EXPECT_EQ(handler.taken.size(), 1u);
}

TEST(C_CmdArgsTest, productLookupUsesNineCharactersAndReadsPlusAsP)
{
    EXPECT_EQ(C_CmdArgs::lookUpProduct("VELCPP"), 0);
    EXPECT_EQ(C_CmdArgs::lookUpProduct("velc++"), 0);
    EXPECT_EQ(C_CmdArgs::lookUpProduct("Velc"), 1);
    EXPECT_EQ(C_CmdArgs::lookUpProduct("veld"), 2);
    EXPECT_EQ(C_CmdArgs::lookUpProduct("VELJ"), 3);
    EXPECT_EQ(C_CmdArgs::lookUpProduct("VELCPPXYZ"), -1);
    EXPECT_EQ(C_CmdArgs::lookUpProduct("VELCP"), -1);
    EXPECT_EQ(C_CmdArgs::lookUpProduct(""), -1);
    const C_CmdArgs unknown("nothing", {"a"});
    EXPECT_EQ(unknown.productIndex(), -1);
    EXPECT_EQ(unknown.options(), nullptr);
}

TEST(C_CmdArgsTest, copyAndCurrentHaveRegistriesOfTheirOwn)
{
    C_CmdArgs args("VELC", {"x"});
    cmdtest::applyArgument(*args.options(), "-deb", "sort-messages");
    args.makeCurrent();
    EXPECT_EQ(C_CmdArgs::currentProductIndex(), 1);
    EXPECT_TRUE(hasDebugKeyword("sort-messages"));
    cmdtest::applyArgument(*args.options(), "-deb", "later");
    EXPECT_FALSE(hasDebugKeyword("later")); // the current one is a copy
    ASSERT_TRUE(C_CmdArgs::current());
    EXPECT_NE(C_CmdArgs::current()->options(), args.options());
    EXPECT_EQ(C_CmdArgs::current()->options()->owner(), C_CmdArgs::current().get());
    EXPECT_EQ(C_CmdArgs::current()->arguments(), std::vector<std::string>{"x"});
    C_CmdArgs::clearCurrent();
    EXPECT_FALSE(hasDebugKeyword("sort-messages"));
}

TEST(C_CmdArgStreamBufferTest, longArgumentsArriveWholeAsLines)
{
    C_ArgsSourceStack stack;
    stack.push(U_Handle<C_ArgsSource>(new C_ArgvSource({"a-rather-long-argument", "b", std::string(3000, 'x')})));
    C_CmdArgStreamBuffer buffer(stack, 2);
    std::istream in(&buffer);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, "a-rather-long-argument");
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, "b");
    in.unget();
    EXPECT_EQ(in.get(), '\n'); // put-back area keeps the last bytes read
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line.size(), 3000u);
    EXPECT_FALSE(std::getline(in, line));
}

} // namespace
