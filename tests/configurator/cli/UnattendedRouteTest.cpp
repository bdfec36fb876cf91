// The wizard's routes taken by zembrelconf-cli: the same files, byte for byte, as the wizard's route
// tests expect, the summary, and the statuses and messages of the stops the wizard makes.
#include "CliRun.h"
#include "FakeInstallation.h"
#include "RouteFiles.h"

#include "CliMessages.h"
#include "Registry.h"
#include "UnattendedRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <functional>

namespace {

using clitest::runWithAnswers;
using clitest::summaryText;
using conftest::FakeInstallation;

// What follows the configurator's own message when no installation is found: a hint where the
// installation is read from an export file.
std::string noInstallationHint()
{
    return platform::RegistryKey::readsExportFile() ? std::string(confcli::msg::kInstallationHint) + "\n" : "";
}

class UnattendedRouteTest : public ::testing::Test {
protected:
    UnattendedRouteTest() { conftest::writeRoutePersonalities(install); }

    clitest::CliRun run(const std::string& answers) { return runWithAnswers(install, dir, answers); }

    static std::vector<std::string> names(const conftest::FileTree& files)
    {
        std::vector<std::string> all;
        for (const auto& entry : files)
            all.push_back(entry.first);
        return all;
    }

    // The files the run listed, once each, in the order of the names.
    static std::vector<std::string> listed(const clitest::CliRun& run)
    {
        const std::set<std::string> once(run.listed.begin(), run.listed.end());
        return std::vector<std::string>(once.begin(), once.end());
    }

    // The names of the files the configurator wrote: not those the wrenv stand-in notes.
    static std::vector<std::string> configuratorFiles(const clitest::CliRun& run)
    {
        std::vector<std::string> all = names(run.written);
        all.erase(std::remove(all.begin(), all.end(), "drives/c/WindRiver/wrenv.args"), all.end());
        return all;
    }

    FakeInstallation install;
    testsupport::TempDir dir;
};

TEST_F(UnattendedRouteTest, everyRouteOfTheWizardWritesTheWizardsFilesAndShowsItsSummary)
{
    struct Route {
        const char* expected; // the wizard's route test of the same choices
        std::string answers;
        std::vector<std::string> summary;
    };
    const std::string zembDir = "D:\\Tools\\Zembrel";
    const std::string velcpp = "C:\\VEL\\VELCPP3";
    const Route routes[] = {
        {"visual-studio",
         "# Visual Studio 2005, standard personalities\ntarget = Visual Studio\nvisual-studio-version = 2005\n",
         {zembDir, "3.0", velcpp, velcpp + "\\personalities\\VC++2005.p_c", "", "", "", "Default", "None"}},
        {"vxworks-existing-diab",
         "target = VxWorks\r\ncompiler-personality = existing\r\ncompiler-personality-file = C:\\Pers\\diab.p_c\r\n"
         "message-personality = C:\\Pers\\team.p_s\r\nanalyser-personality = C:\\Pers\\team.p_a\r\n",
         {zembDir, "3.0", velcpp, "", "", "C:\\Pers\\diab.p_c", "diab", "C:\\Pers\\team.p_s", "C:\\Pers\\team.p_a"}},
        {"vxworks-existing-undetected",
         "target = VxWorks\ncompiler-personality = existing\ncompiler-personality-file = C:\\Pers\\both.p_c\n"
         "compiler = gnu\n",
         {zembDir, "3.0", velcpp, "", "", "C:\\Pers\\both.p_c", "gnu", "Default", "None"}},
        {"vxworks-generated-diab",
         "target = vxworks\ncompiler-personality = Generated\ncompiler = Diab\nvxworks-version = 6.8\n",
         {zembDir, "3.0", velcpp, "", "6.8", "C:\\ZembInt\\ZembrelIntegration\\diab", "diab", "Default", "None"}},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.expected);
        FakeInstallation fresh;
        conftest::writeRoutePersonalities(fresh);
        const clitest::CliRun r = runWithAnswers(fresh, dir, route.answers);
        EXPECT_EQ(r.result.status, 0) << r.result.out;
        EXPECT_EQ(r.result.out, summaryText(route.summary));
        EXPECT_EQ(r.result.err, "");
        EXPECT_EQ(listed(r), configuratorFiles(r)) << "the files the run says it wrote";
        EXPECT_EQ(conftest::differences(r.written, conftest::expectedRouteFiles(route.expected)), "");
        if (route.expected == std::string("vxworks-generated-diab")) {
            EXPECT_EQ(fresh.wrenvArguments(),
                      std::vector<std::string>({"-p", "vxworks-6.8", "C:\\ZembInt\\ZembrelIntegration\\vnh\\run_vnh.exe",
                                                "C:\\VNH\\bin"}));
        }
    }
}

TEST_F(UnattendedRouteTest, failingGeneratorStopsAtPageFiveWithItsMessageAndNoFinish)
{
    install.installWrenv(3);
    const clitest::CliRun r = run("target = VxWorks\ncompiler-personality = generated\n");
    EXPECT_EQ(r.result.status, 3);
    EXPECT_EQ(r.result.out, "Varnholt failed\nto generate personality.\n");
    EXPECT_EQ(listed(r), configuratorFiles(r));
    // PageFive's files (GNU, the wizard's choice with no compiler selected) are written; Finish's are not.
    EXPECT_EQ(names(r.written), std::vector<std::string>({
                                    "drives/c/VNH/bin/settings.txt",
                                    "drives/c/WindRiver/wrenv.args",
                                    "drives/c/ZembInt/ZembrelIntegration/vxworks/zembrel-vxworks.p_a",
                                    "drives/d/Tools/Zembrel/Share/etc/vx6velcppmake.bat",
                                }));
    EXPECT_NE(r.written.at("drives/c/VNH/bin/settings.txt").find("NAME=gcc.p_c"), std::string::npos);
}

TEST_F(UnattendedRouteTest, unansweredPagesTakeWhatTheWizardPreselects)
{
    install.writeRegistry(FakeInstallation::registryText({"2.10", "2.9"}));
    const clitest::CliRun vs = run("target = Visual Studio\n");
    EXPECT_EQ(vs.result.status, 0) << vs.result.out;
    EXPECT_EQ(vs.result.out, summaryText({"D:\\Tools\\Zembrel", "2.9", "C:\\VEL\\VELCPP3",
                                          "C:\\VEL\\VELCPP3\\personalities\\mvc6.p_c", "", "", "", "Default",
                                          "None"}));

    const clitest::CliRun vx = run("target = VxWorks\ncompiler-personality = generated\n");
    EXPECT_EQ(vx.result.status, 0) << vx.result.out;
    EXPECT_EQ(install.wrenvArguments()[1], "vxworks-6.0");
    EXPECT_NE(vx.result.out.find("VxWorks compiler: gnu\n"), std::string::npos) << vx.result.out;
}

TEST_F(UnattendedRouteTest, wizardsOwnStopsKeepTheirMessagesAndStatusesAndWriteNothing)
{
    struct Stop {
        const char* name;
        std::function<void()> prepare;
        std::string answers;
        int status;
        std::string out;
    };
    const Stop stops[] = {
        {"no accepted version", [&] { install.writeRegistry(FakeInstallation::registryText({"2.3", "3.1"})); },
         "target = Visual Studio\n", confcli::kStatusNoInstallation,
         "No installations of VELC++ found\nPlease install VELC++ and try again\n\n" + noInstallationHint()},
        {"version without Path",
         [&] {
             install.writeRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser\\3.0]\n");
         },
         "target = Visual Studio\n", 10, "Cannot get short path of ::UNASSIGNED::\n"},
        {"no Visual Studio personality",
         [&] { install.remove("C:\\VEL\\VELCPP3\\personalities"); },
         "target = Visual Studio\n", confcli::kStatusNoVsPersonality,
         "No VELC++ Visual Studio personalities found\nPlease install desired VELC++ VC Integration\n"},
        {"no Varnholt in the registry",
         [&] {
             std::string text = FakeInstallation::registryText();
             text.erase(text.find("[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\Varnholt]"));
             install.writeRegistry(text);
         },
         "target = VxWorks\ncompiler-personality = generated\n", confcli::kStatusRegistryValue,
         "Could not find Varnholt (VNH).\nEnsure VNH-2.0.1 (or later) is installed.\n"},
    };
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.name);
        install.writeRegistry(FakeInstallation::registryText());
        install.write("C:\\VEL\\VELCPP3\\personalities\\mvc6.p_c", "-d _MSC_VER=1200\n");
        stop.prepare();
        const clitest::CliRun r = run(stop.answers);
        EXPECT_EQ(r.result.status, stop.status);
        EXPECT_EQ(r.result.out, stop.out);
        EXPECT_EQ(listed(r), configuratorFiles(r));
    }
}

TEST_F(UnattendedRouteTest, answersFileIsReadWhateverCharactersItsPathHas)
{
    // On Windows the path arrives as UTF-16 and must not be narrowed to the ANSI code page.
    const std::string answers = dir.file("J\xC3\xBCrgen \xE6\x97\xA5\xE6\x9C\xAC/answers.txt");
    testsupport::writeBytes(answers, "target = Visual Studio\n");
    const clitest::CliRun r = clitest::runCli(install, {answers});
    EXPECT_EQ(r.result.status, 0) << r.result.out;
    EXPECT_EQ(r.written.count("drives/d/Tools/Zembrel/Share/etc/msvelcppmake.bat"), 1u);
}

TEST_F(UnattendedRouteTest, commandLineWithoutAnswersFileShowsTheUsage)
{
    const clitest::CliRun none = clitest::runCli(install, {});
    EXPECT_EQ(none.result.status, 2);
    EXPECT_NE(none.result.out.find("usage: zembrelconf-cli <answers file>"), std::string::npos);
    const clitest::CliRun two = clitest::runCli(install, {"a.txt", "b.txt"});
    EXPECT_EQ(two.result.status, 2);
    const clitest::CliRun option = clitest::runCli(install, {"--verbose"});
    EXPECT_EQ(option.result.status, 2);
    EXPECT_EQ(option.result.out, none.result.out);
    const clitest::CliRun help = clitest::runCli(install, {"--help"});
    EXPECT_EQ(help.result.status, 0);
    EXPECT_EQ(help.result.out, none.result.out);
    const clitest::CliRun missing = clitest::runCli(install, {dir.file("nothing.txt")});
    EXPECT_EQ(missing.result.status, 2);
    EXPECT_EQ(missing.result.out, "Cannot read answers file " + dir.file("nothing.txt") + "\nNothing was written.\n");
}

} // namespace
