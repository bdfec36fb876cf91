// The frame's parts in process: program directory, exit codes and the collected file arguments.
#include "C_CmdArgs.h"
#include "C_Options.h"
#include "C_OrphanFileHandler.h"
#include "ErrorMode.h"
#include "QL_App.h"
#include "QL_ProgramDirectory.h"
#include "ScopedEnv.h"
#include "SuppZembApp.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sstream>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

TEST(QL_ProgramDirectoryTest, directoryOfTheProgramName)
{
    EXPECT_EQ(programDirectoryOf("C:\\tools\\suppresszembrel.exe"), "C:/tools/");
    EXPECT_EQ(programDirectoryOf("/opt/kit/suppresszembrel"), "/opt/kit/");
    EXPECT_EQ(programDirectoryOf("suppresszembrel"), "");
}

TEST(QL_AppTest, exitCodesOfTheBase)
{
    SuppZembApp app("banner\n");
    const QL_App& base = app;
    EXPECT_EQ(base.successCode(), 0);
    EXPECT_EQ(base.systemErrorCode(), 19);
    EXPECT_EQ(base.internalErrorCode(), 18);
    EXPECT_EQ(base.configErrorCode(), 10);
    EXPECT_EQ(base.allocErrorCode(), 19);
    EXPECT_EQ(base.queryText(), "NOP");
    EXPECT_FALSE(base.commandLine());
    EXPECT_EQ(app.marker(), 4711);
}

TEST(QL_AppTest, runAddsTheNoFaultBoxFlagToTheErrorModeKeepingOthers)
{
    const unsigned int saved = platform::setErrorMode(0x8000);
    testing::internal::CaptureStderr();
    const int status = runApplication(0, nullptr, U_Handle<QL_App>(new SuppZembApp("banner\n")));
    const std::string err = testing::internal::GetCapturedStderr();
    for (const int number : {SIGINT, SIGABRT, SIGILL, SIGFPE, SIGSEGV, SIGTERM})
        std::signal(number, SIG_DFL);
    EXPECT_EQ(platform::errorMode(), 0x8000u | platform::kNoGpFaultErrorBox);
    platform::setErrorMode(saved);
    EXPECT_EQ(status, 10);
    EXPECT_EQ(err.find("ERROR: No product name specified.\n"), 0u);
}

TEST(SuppZembAppTest, usageIsFourLinesOnStandardError)
{
    SuppZembApp app("banner\n");
    testing::internal::CaptureStderr();
    app.usage();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "usage: suppresszembrel <product> -op <path> <filename> \\\n"
              "\t[ -po suppresszembrel::suppressions_txt=<filename> ] \\\n"
              "\t[ -po suppresszembrel::parameter_suppressions_txt=<filename> ]\n"
              "\twhere <product> is: VELC or VELCPP\n");
}

TEST(C_OrphanFileHandlerTest, firstMentionWinsForEverySpellingOfAFile)
{
    TempDir dir;
    writeBytes(dir.file("src/a.c"), "");
    writeBytes(dir.file("out/.keep"), "");
    writeBytes(dir.file("other/.keep"), "");
    C_CmdArgs args("VELCPP", {});
    std::istringstream out(dir.file("out") + "\n");
    args.options()->outputpath().setFrom(out, false);

    C_OrphanFileHandler handler;
    EXPECT_TRUE(handler.isEmpty());
    handler.take(args, dir.file("src/a.c"));
    std::istringstream other(dir.file("other") + "\n");
    args.options()->outputpath().setFrom(other, false);
    handler.take(args, dir.file("src/../src/a.c"));
    handler.take(args, dir.file("src\\b.c"));

    ASSERT_EQ(handler.size(), 2u);
    const C_OrphanFileHandler::Entry& first = **handler.begin();
    EXPECT_EQ(first.first.givenName(), dir.file("src/a.c"));
    EXPECT_EQ(first.first.fullName(), dir.file("src/a.c"));
    EXPECT_EQ(first.second, dir.file("out"));
    const C_OrphanFileHandler::Entry& second = **(handler.begin() + 1);
    EXPECT_EQ(second.first.givenName(), dir.file("src/b.c"));
    EXPECT_EQ(second.second, dir.file("other"));
}

TEST(C_OrphanFileHandlerTest, outputDirectoryFallsBackToTheEnvironmentThenTheCurrentDirectory)
{
    TempDir dir;
    writeBytes(dir.file("env/.keep"), "");
    testsupport::ScopedEnv outpath("VELCOUTPATH", dir.file("env").c_str());
    C_CmdArgs args("VELC", {});
    C_OrphanFileHandler handler;
    handler.take(args, "x.c");
    outpath.set("VELCOUTPATH", std::nullopt);
    handler.take(args, "y.c");

    ASSERT_EQ(handler.size(), 2u);
    EXPECT_EQ((*handler.begin())->second, dir.file("env"));
#ifdef _WIN32
    EXPECT_EQ((*(handler.begin() + 1))->second.substr(1, 2), ":/"); // "." made absolute, with its drive
#else
    EXPECT_EQ((*(handler.begin() + 1))->second.find('/'), 0u); // "." made absolute
#endif
}

} // namespace
