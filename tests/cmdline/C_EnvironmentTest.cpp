// The product environment: installation, output and temporary directories, personal options file.
#include "C_CmdArgs.h"
#include "C_Environment.h"
#include "C_Options.h"
#include "CmdlineTestSupport.h"
#include "ScopedEnv.h"
#include "TestSupport.h"
#include "U_Exception.h"

#include <gtest/gtest.h>

using testsupport::ScopedEnv;
using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

const auto userMessage = &cmdtest::messageOf<U_UserException>;

TEST(C_EnvironmentTest, binDirectoryUsesForwardSlashesAndReportsAMissingVariable)
{
    const C_CmdArgs args("VELCPP", {});
    ScopedEnv env({{"VELCPPBIN", std::string("C:\\vel\\bin")}});
    EXPECT_EQ(binDirectory(args), "C:/vel/bin");
    EXPECT_EQ(binVariableName(args), "VELCPPBIN");
    EXPECT_EQ(productName(args), "VELCPP");
    env.set("VELCPPBIN", std::nullopt);
    EXPECT_EQ(userMessage([&] { binDirectory(args); }), "\nERROR: VELCPPBIN environment variable not found\n");
}

TEST(C_EnvironmentTest, outputDirectoryPrefersTheOptionThenTheVariable)
{
    C_CmdArgs args("VELC", {});
    ScopedEnv env({{"VELCOUTPATH", std::nullopt}});
    EXPECT_EQ(outputDirectory(args), ".");
    env.set("VELCOUTPATH", std::string("out\\dir"));
    EXPECT_EQ(outputDirectory(args), "out/dir");
    cmdtest::applyArgument(*args.options(), "-op", "given");
    EXPECT_EQ(outputDirectory(args), "given");
}

TEST(C_EnvironmentTest, temporaryDirectoryFromTheProductVariable)
{
    TempDir dir;
    const C_CmdArgs args("VELCPP", {});
    ScopedEnv env({{"VELCPPTEMPFILES", dir.path()}, {"TMP", std::nullopt}});
    EXPECT_EQ(temporaryDirectory(args), dir.path());
}

TEST(C_EnvironmentTest, productVariableNamingAFileStopsEvenWithAValidTmp)
{
    TempDir dir;
    writeBytes(dir.file("plain"), "x");
    const C_CmdArgs args("VELCPP", {});
    ScopedEnv env({{"VELCPPTEMPFILES", dir.file("plain")}, {"TMP", dir.path()}});
    EXPECT_EQ(userMessage([&] { temporaryDirectory(args); }),
              "Error finding temporary directory:\n\tTried directory from environment variable VELCPPTEMPFILES: "
                  + dir.file("plain") + "\n");
}

TEST(C_EnvironmentTest, validTmpIsUsedWhenTheProductVariableIsUnset)
{
    TempDir dir;
    const C_CmdArgs args("VELJ", {});
    ScopedEnv env({{"VELJTEMPFILES", std::nullopt}, {"TMP", dir.path()}});
    EXPECT_EQ(temporaryDirectory(args), dir.path());
}

TEST(C_EnvironmentTest, invalidTmpFallsBackToTheRootSilently)
{
    TempDir dir;
    const C_CmdArgs args("VELCPP", {});
    ScopedEnv env({{"VELCPPTEMPFILES", std::nullopt}, {"TMP", dir.file("missing")}});
    EXPECT_EQ(temporaryDirectory(args), "/");
}

TEST(C_EnvironmentTest, personalOptionsFileAlongRcpathFirstDirectoryWins)
{
    TempDir dir;
    writeBytes(dir.file("one/.velcpprc"), "-help\n");
    writeBytes(dir.file("two/.velcpprc"), "-help\n");
    const C_CmdArgs args("VELCPP", {});
    ScopedEnv env({{"VELCPPRCPATH", dir.file("one") + ";" + dir.file("two")}, {"HOME", std::nullopt}});
    EXPECT_EQ(personalOptionsFile(args), dir.file("one/.velcpprc"));
    env.set("VELCPPRCPATH", dir.file("empty") + ";" + dir.file("two"));
    EXPECT_EQ(personalOptionsFile(args), dir.file("two/.velcpprc"));
}

TEST(C_EnvironmentTest, emptyRcpathEntryMeansTheCurrentDirectory)
{
    TempDir dir;
    writeBytes(dir.file("work/.velcpprc"), "-help\n");
    writeBytes(dir.file("two/.velcpprc"), "-help\n");
    const C_CmdArgs args("VELCPP", {});
    ScopedEnv env({{"VELCPPRCPATH", ";" + dir.file("two")}, {"HOME", std::nullopt}});
    cmdtest::InDirectory in(dir.file("work"));
    EXPECT_EQ(personalOptionsFile(args), ".velcpprc");
}

TEST(C_EnvironmentTest, personalOptionsFileFromCurrentDirectoryThenHome)
{
    TempDir dir;
    writeBytes(dir.file("home/.velcrc"), "-help\n");
    writeBytes(dir.file("work/x"), "");
    const C_CmdArgs args("VELC", {});
    ScopedEnv env({{"VELCRCPATH", std::nullopt}, {"HOME", dir.file("home")}});
    cmdtest::InDirectory in(dir.file("work"));
    EXPECT_EQ(personalOptionsFile(args), dir.file("home/.velcrc"));
    writeBytes(dir.file("work/.velcrc"), "-help\n");
    EXPECT_EQ(personalOptionsFile(args), dir.file("work") + "/.velcrc");
    env.set("HOME", dir.file("nowhere"));
    std::remove(dir.file("work/.velcrc").c_str());
    EXPECT_EQ(personalOptionsFile(args), "");
}

} // namespace
