// Every fatal condition, run in a child process: the exact message on standard error and the exit status.
// The child sees the installation the test prepared (POSIX: a fork; Windows: the same drives and registry).
#include "BuildBatches.h"
#include "Discovery.h"
#include "FakeInstallation.h"
#include "Generators.h"
#include "PageActions.h"
#include "TextFiles.h"
#include "WizardSettings.h"

#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
using conftest::FakeInstallation;

struct FatalCase {
    const char* name;
    std::function<void(const FakeInstallation&)> prepare;
    std::function<void()> action;
    int status;
    std::string message;
};

void makeReadOnly(const FakeInstallation& inst, const std::string& windowsPath)
{
    inst.write(windowsPath, "old");
    fs::permissions(inst.host(windowsPath), fs::perms::owner_read);
}

TEST(FatalExit, everyFatalConditionEndsTheProcessWithItsMessageAndStatus)
{
    const std::string registryOnly = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\ZembrelIntegration]\n";
    const FatalCase cases[] = {
        {"no ZembDir", [&](const FakeInstallation& i) { i.writeRegistry(registryOnly); },
         [] { conf::findZembDir(); }, 0,
         "Could not find ZembrelIntegration registry entry for ZembDir.\nEnsure ZembrelIntegration is installed."},
        {"no ZembIntLocationDir", [&](const FakeInstallation& i) { i.writeRegistry(registryOnly); },
         [] { conf::writeSuppressPersonality(); }, 0,
         "Could not find ZembrelIntegration registry entry for ZembIntLocationDir.\n"
         "Ensure ZembrelIntegration is installed."},
        {"no VNHDIR", [&](const FakeInstallation& i) { i.writeRegistry(registryOnly); },
         [] { conf::runPersonalityGenerator("a", "b", "c", "d", "6.0"); }, 0,
         "Could not find Varnholt (VNH).\nEnsure VNH-2.0.1 (or later) is installed."},
        {"no Path", [](const FakeInstallation&) {}, [] { conf::findVelcppPath("9.9"); }, 10,
         "Cannot get short path of ::UNASSIGNED::"},
        {"unknown Visual Studio", [](const FakeInstallation&) {}, [] { conf::personalityForVsVersion("2010"); }, 10,
         "Failed to recognise Visual C++ version.\nAborting"},
        {"broken registry", [](const FakeInstallation& i) { i.writeRegistry("junk\n"); },
         [] { conf::findVelcppVersions(); }, 10, ""},
        {"no template", [](const FakeInstallation& i) { i.remove("C:\\ZembInt\\ZembrelIntegration\\msvc\\cl.bat-template"); },
         [] { conf::writeClBat("C:\\V"); }, 10,
         "Cannot open file C:\\ZembInt\\ZembrelIntegration\\msvc\\cl.bat-template"},
        {"read-only output",
         [](const FakeInstallation& i) { makeReadOnly(i, "C:\\ZembInt\\ZembrelIntegration\\msvc\\cl.bat"); },
         [] { conf::writeClBat("C:\\V"); }, 10,
         "Failed to overwrite file C:\\ZembInt\\ZembrelIntegration\\msvc\\cl.bat\nAborting."},
        {"cannot create dir", [](const FakeInstallation& i) { i.write("C:\\file", "x"); },
         [] { conf::writeGeneratedFile("x", "C:\\file\\sub\\out.txt"); }, 10, "Cannot create dir C:\\file\\sub"},
        {"cannot create output", [](const FakeInstallation&) {}, [] { conf::replaceTextFile("x", "C:\\none\\o.bat"); },
         10, "Cannot open file C:\\none\\o.bat"},
        {"no msmake", [](const FakeInstallation& i) { i.remove("D:\\Tools\\Zembrel\\Share\\etc\\msmake.bat"); },
         [] { conf::writeMsBuildBatch(false); }, 10,
         "Essential Zembrel file D:\\Tools\\Zembrel\\Share\\etc\\msvc9make.bat not found\nAborting."},
        {"no Vx6make", [](const FakeInstallation& i) { i.remove("D:\\Tools\\Zembrel\\Share\\etc\\Vx6make.bat"); },
         [] { conf::writeVxBuildBatch("C:\\V", "C:\\p"); }, 10,
         "Essential Zembrel file D:\\Tools\\Zembrel\\Share\\etc\\Vx6make.bat not found\nAborting."},
        {"no message personality", [](const FakeInstallation&) {},
         [] { conf::writeCustomMessagePersonality("C:\\none.p_s"); }, 10,
         "Failed to open Message Personality C:\\none.p_s\nAborting."},
        {"custom.p_s read-only",
         [](const FakeInstallation& i) {
             i.write("C:\\m.p_s", "-w 1\n");
             makeReadOnly(i, "C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom.p_s");
         },
         [] { conf::writeCustomMessagePersonality("C:\\m.p_s"); }, 10,
         "failed to open file C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom.p_s\nAborting."},
        {"no versions", [](const FakeInstallation& i) { i.writeRegistry(FakeInstallation::registryText({"2.0"})); },
         [] { conf::loadVelcppVersions(); }, 0, "No installations of VELC++ found\nPlease install VELC++ and try again\n"},
        {"no Visual Studio personalities", [](const FakeInstallation& i) { i.remove("C:\\VEL\\VELCPP3\\personalities"); },
         [] {
             conf::WizardSettings::instance().velcppPath = "C:\\VEL\\VELCPP3";
             conf::pageTwoVsVersions();
         },
         0, "No VELC++ Visual Studio personalities found\nPlease install desired VELC++ VC Integration"},
    };
    for (const FatalCase& c : cases)
        testsupport::runIfChildCase(c.name, c.action);
    for (const FatalCase& c : cases) {
        const bool brokenRegistry = std::string(c.name) == "broken registry";
        if (brokenRegistry && !FakeInstallation::registryCanBeBroken())
            continue;
        FakeInstallation inst;
        c.prepare(inst);
        const testsupport::ProcessResult result = testsupport::runInChild(c.name, c.action);
        EXPECT_EQ(c.status, result.status) << c.name;
        if (brokenRegistry)
            EXPECT_EQ(inst.registryPath() + ", line 1: expected \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"\n",
                      result.err);
        else
            EXPECT_EQ(testsupport::consoleText(c.message + "\n"), result.err) << c.name;
    }
}

} // namespace
