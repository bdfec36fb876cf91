// The application frame and the entry point, run as real processes: statuses and exact output.
#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::consoleText;
using testsupport::ProcessResult;
using testsupport::TempDir;
using testsupport::builtProgram;
using testsupport::runProcess;
using testsupport::writeBytes;

namespace {

const char* const kUsage = "usage: suppresszembrel <product> -op <path> <filename> \\\n"
                           "\t[ -po suppresszembrel::suppressions_txt=<filename> ] \\\n"
                           "\t[ -po suppresszembrel::parameter_suppressions_txt=<filename> ]\n"
                           "\twhere <product> is: VELC or VELCPP\n";
const char* const kBanner = "suppresszembrel Diagnositic regex suppression 1.2 build 2 Feb  7 2012 for Windows\n";
const char* const kProbeBanner = "probe banner\nsecond banner line\n";

// An installed VELCPP in a temporary directory: BIN with a configuration file, temporary files,
// a HOME without personal options.
class FrameProcessTest : public testing::Test {
protected:
    FrameProcessTest()
    {
        writeBytes(dir.file("bin/velcpp.cfg"), "#options\n");
        writeBytes(dir.file("home/.keep"), "");
        options.workingDirectory = dir.path();
        options.env = {{"VELCPPBIN", dir.file("bin")},
                       {"VELCPPTEMPFILES", dir.path()},
                       {"HOME", dir.file("home")},
                       {"PATH", testsupport::systemSearchPath()}};
    }

    ProcessResult tool(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), builtProgram("app/suppresszembrel"));
        return runProcess(arguments, options);
    }
    ProcessResult probe(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), builtProgram("tests/app/frame_probe"));
        return runProcess(arguments, options);
    }

    TempDir dir;
    testsupport::ProcessOptions options;
};

TEST_F(FrameProcessTest, verPrintsTheVersionBeforeAnythingElse)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"-VER"}, {"nothing", "-x", "-ver"}}) {
        const ProcessResult r = tool(arguments);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, consoleText("suppresszembrel version 1.2 build 2\n"));
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(FrameProcessTest, noArgumentsAtAll)
{
    const ProcessResult r = tool({});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, consoleText(std::string("ERROR: No product name specified.\n") + kUsage));
}

TEST_F(FrameProcessTest, invalidProductIsAConfigurationErrorPrintedAsItIs)
{
    const ProcessResult r = tool({"VELX", "a.c"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.err, consoleText(std::string("ERROR: Invalid product name specified.\n") + kUsage));
}

TEST_F(FrameProcessTest, productGivenAsWindowsPathToTheExecutable)
{
    const ProcessResult r = probe({"C:\\Program Files\\vel\\VELCPP.exe", "-tabstop=3", "a.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, consoleText("run: product VELCPP; files a.c; tabstop 3; po \n"));
    EXPECT_EQ(r.err, "");
}

TEST_F(FrameProcessTest, missingOrEmptyBinVariable)
{
    options.env.erase("VELCPPBIN");
    ProcessResult r = tool({"VELCPP", "a.c"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.err, consoleText(std::string("\nERROR: VELCPPBIN environment variable not found\n") + kUsage));

    options.env["VELCPPBIN"] = "";
    r = tool({"VELCPP", "a.c"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.err, consoleText(std::string("\nERROR: VELCPPBIN environment variable not found\n") + kUsage));
}

TEST_F(FrameProcessTest, bannerIsPrintedOnceHoweverManyWaysAskForIt)
{
    const ProcessResult r = probe({"VELCPP", "-version", "-Verbose", "-ver+", "a.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, consoleText(std::string(kProbeBanner) + "run: product VELCPP; files a.c; tabstop 8; po \n"));

    // Asked only through the option (from a via file, so the scan of the command line misses it).
    writeBytes(dir.file("v.lnt"), "-version\n");
    const ProcessResult viaOnly = probe({"VELCPP", "-via", dir.file("v.lnt"), "a.c"});
    EXPECT_EQ(viaOnly.out, consoleText(std::string(kProbeBanner) + "run: product VELCPP; files a.c; tabstop 8; po \n"));

    const ProcessResult real = tool({"VELCPP", "-version", "-eica", "-xyz"});
    EXPECT_EQ(real.status, 10);
    EXPECT_EQ(real.out.find(consoleText(kBanner)), 0u);
    EXPECT_EQ(real.out.find(consoleText(kBanner), 1), std::string::npos);
}

TEST_F(FrameProcessTest, unknownArgumentIsReportedAndTheRunContinues)
{
    const ProcessResult r = probe({"VELCPP", "-xyz", "a.c", "-po", "t::k=v"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, consoleText("\nERROR: Unknown argument: -xyz\n\n"));
    EXPECT_EQ(r.out, consoleText("run: product VELCPP; files a.c; tabstop 8; po t::k=v, \n"));
}

TEST_F(FrameProcessTest, eicaStopsAtTheUnknownArgument)
{
    const ProcessResult r = tool({"VELCPP", "-eica", "-xyz", "a.c"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, consoleText(std::string("\nERROR: Unknown argument: -xyz\n\n") + kUsage));
}

TEST_F(FrameProcessTest, missingViaFileWithAndWithoutEicv)
{
    const std::string missing = dir.file("missing.lnt");
    ProcessResult r = probe({"VELCPP", "-via", missing, "a.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, consoleText("\nERROR: Unable to open " + missing + "\n\n"));
    EXPECT_EQ(r.out, consoleText("run: product VELCPP; files a.c; tabstop 8; po \n"));

    r = tool({"VELCPP", "-eicv", "-via", missing, "a.c"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, consoleText("\nERROR: Unable to open " + missing + "\n\n" + kUsage));
}

TEST_F(FrameProcessTest, caughtSignalsPrintTwoLinesAndEndWith19)
{
    for (const std::string name : {"SIGTERM", "SIGSEGV", "SIGINT"}) {
        const ProcessResult r = probe({"VELCPP", "!" + name});
        EXPECT_EQ(r.status, 19) << name;
        EXPECT_EQ(r.err, consoleText("Caught signal: (" + name + ")\nPlease contact the Zembrel integration support.\n"));
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(FrameProcessTest, exceptionTableTextsAndStatuses)
{
    const std::string report = "Please report this problem to the Zembrel integration support,\n"
                               "attaching a code example that causes the problem, if possible.\n";
    struct Case {
        const char* argument;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {"!config", 7, "configured stop\nprobe usage\n"},
        {"!assert", 18, ""},
        {"!user", 18, "user text\n"},
        {"!internal", 18, "An internal exception occured: U_Exception\n"},
        {"!alloc", 19, "A system allocation exception (: std::bad_alloc) was detected.\n" + report},
        {"!std", 19, "A system exception (boom) was detected.\n" + report},
        {"!other", 19, "An unrecognised exception was detected.\n" + report},
    };
    for (const Case& c : cases) {
        const ProcessResult r = probe({"VELCPP", c.argument});
        EXPECT_EQ(r.status, c.status) << c.argument;
        EXPECT_EQ(r.err, consoleText(c.err)) << c.argument;
    }
}

TEST_F(FrameProcessTest, unusableTemporaryDirectoryIsAnInternalError)
{
    options.env["VELCPPTEMPFILES"] = dir.file("bin/velcpp.cfg");
    const ProcessResult r = probe({"VELCPP", "a.c"});
    EXPECT_EQ(r.status, 18);
    EXPECT_EQ(r.err, consoleText("Error finding temporary directory:\n\tTried directory from environment variable "
                     "VELCPPTEMPFILES: " + dir.file("bin/velcpp.cfg") + "\n\n"));
}

TEST_F(FrameProcessTest, configurationFileOptionsReachTheRun)
{
    writeBytes(dir.file("bin/velcpp.cfg"), "#bathtub\n1\n2\n3\n#options\n-tabstop 2 -po cfg::a=1\n");
    const ProcessResult r = probe({"VELCPP", "-po", "cmd::b=2", "x.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, consoleText("\nERROR: Unexpected configuration data: 3\nrun: product VELCPP; files x.c; tabstop 2; "
                     "po cfg::a=1, cmd::b=2, \n"));
}

} // namespace
