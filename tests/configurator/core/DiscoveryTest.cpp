// Installation discovery over a fake installation: versions, directories, short paths, Visual Studio.
#include "ConfMessages.h"
#include "Discovery.h"
#include "FakeInstallation.h"
#include "MessageCapture.h"
#include "WizardSettings.h"

#include <gtest/gtest.h>

namespace {

using conftest::FakeInstallation;
using conftest::MessageCapture;
using conftest::ProcessEnded;

// Runs `action`, expecting it to end the process with `code` after showing `message`.
template <typename Action>
void expectEnd(Action action, int code, const std::string& message)
{
    MessageCapture capture;
    try {
        action();
        ADD_FAILURE() << "expected the process to end with " << code;
    } catch (const ProcessEnded& ended) {
        EXPECT_EQ(code, ended.code);
    }
    EXPECT_EQ(std::vector<std::string>{message}, capture.messages());
}

TEST(CompareVersions, comparesDigitRunsByLengthThenDigitsAndOtherRunsAsText)
{
    EXPECT_GT(conf::compareVersions("2.10", "2.9"), 0);
    EXPECT_GT(conf::compareVersions("3.0.99", "3.0.9"), 0);
    EXPECT_GT(conf::compareVersions("3.1", "3.0.99"), 0);
    EXPECT_LT(conf::compareVersions("3.0.99", "3.1"), 0);
    EXPECT_EQ(0, conf::compareVersions("2.4", "2.4"));
    EXPECT_GT(conf::compareVersions("2.4.1", "2.4"), 0);   // more runs
    EXPECT_LT(conf::compareVersions("2.4", "2.4a"), 0);    // a trailing text run counts
    EXPECT_GT(conf::compareVersions("2/4", "2.4"), 0);     // "/" > "." by character code
    EXPECT_LT(conf::compareVersions("abc", "2.4"), 0);     // empty first run
    EXPECT_EQ(0, conf::compareVersions("", ""));
    EXPECT_LT(conf::compareVersions("", "0"), 0);
}

TEST(Discovery, versionFilterKeepsTwoFourToThreeZeroNinetyNineInTheRegistrysOrder)
{
    FakeInstallation inst;
    // The registry enumerates subkeys by name, whatever order the installer wrote them in.
    inst.writeRegistry(FakeInstallation::registryText({"2.3", "3.0.99", "2.4", "abc", "2.4.1", "3.1"}));
    EXPECT_EQ((std::vector<std::string>{"2.4", "2.4.1", "3.0.99"}), conf::findVelcppVersions());
}

TEST(Discovery, missingAnalyserKeyGivesNoVersions)
{
    FakeInstallation inst;
    inst.writeRegistry("Windows Registry Editor Version 5.00\r\n");
    EXPECT_TRUE(conf::findVelcppVersions().empty());
}

TEST(Discovery, directoriesAreNormalisedToShortPathsWithoutTrailingBackslash)
{
    FakeInstallation inst;
    inst.writeRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\ZembrelIntegration]\n"
                       "\"ZembDir\"=\"D:/Tools/Zembrel//\"\n\"ZembIntLocationDir\"=\"C:\\\\ZembInt\\\\\"\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\Varnholt]\n\"VNHDIR\"=\"C:/VNH/\"\n");
    EXPECT_EQ("D:\\Tools\\Zembrel", conf::findZembDir());
    EXPECT_EQ("C:\\ZembInt", conf::findZembIntLocationDir());
    EXPECT_EQ("C:/VNH/", conf::findVnhDir()); // exactly as stored
}

TEST(Discovery, velcppPathIsTheShortPathOfTheVersionsPathValue)
{
    FakeInstallation inst;
    EXPECT_EQ("C:\\VEL\\VELCPP3", conf::findVelcppPath("3.0"));
}

TEST(Discovery, versionWithoutPathValueEndsWithUnassignedShortPathMessage)
{
    FakeInstallation inst;
    inst.writeRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\VEL C++ Source Code Analyser\\3.0]\n"
                       "\"path \"=\"C:\\\\VEL\\\\VELCPP3\"\n\"InstallPath\"=\"C:\\\\VEL\\\\VELCPP3\"\n");
    expectEnd([] { conf::findVelcppPath("3.0"); }, 10, "Cannot get short path of ::UNASSIGNED::");
    expectEnd([] { conf::findVelcppPath("2.9"); }, 10, "Cannot get short path of ::UNASSIGNED::");
}

TEST(Discovery, lookingUpAVersionsPathAnswersFalseWhereFindingItWouldEndTheProcess)
{
    FakeInstallation inst;
    std::string path;
    EXPECT_TRUE(conf::lookupVelcppPath("3.0", path));
    EXPECT_EQ("C:\\VEL\\VELCPP3", path);
    EXPECT_FALSE(conf::lookupVelcppPath("2.9", path)); // no such version
    inst.remove(FakeInstallation::kVelcppDir);
    EXPECT_FALSE(conf::lookupVelcppPath("3.0", path)); // a directory that does not exist has no short path
}

TEST(Discovery, valueLargerThanTheDataBufferCountsAsAbsent)
{
    FakeInstallation inst;
    inst.writeRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\ZembrelIntegration]\n\"ZembDir\"=\"D:\\\\"
                       + std::string(600, 'z') + "\"\n\"ZembIntLocationDir\"=\"C:\\\\ZembInt\"\n");
    EXPECT_EQ("C:\\ZembInt", conf::findZembIntLocationDir());
    expectEnd([] { conf::findZembDir(); }, 0, conf::msg::kNoZembDir);
}

TEST(Discovery, missingRegistryEntriesEndWithStatusZero)
{
    FakeInstallation inst;
    inst.writeRegistry("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\NX:VEL\\ZembrelIntegration]\n\"zembdir\"=\"D:\\\\\"\n");
    expectEnd([] { conf::findZembDir(); }, 0,
              "Could not find ZembrelIntegration registry entry for ZembDir.\nEnsure ZembrelIntegration is installed.");
    expectEnd([] { conf::findZembIntLocationDir(); }, 0,
              "Could not find ZembrelIntegration registry entry for ZembIntLocationDir.\n"
              "Ensure ZembrelIntegration is installed.");
    expectEnd([] { conf::findVnhDir(); }, 0, "Could not find Varnholt (VNH).\nEnsure VNH-2.0.1 (or later) is installed.");
}

TEST(Discovery, directoryThatDoesNotExistEndsWithShortPathMessage)
{
    FakeInstallation inst;
    inst.remove(FakeInstallation::kZembDir);
    expectEnd([] { conf::findZembDir(); }, 10, "Cannot get short path of D:\\Tools\\Zembrel");
}

TEST(Discovery, brokenRegistryFileEndsWithItsLineNumber)
{
    if (!FakeInstallation::registryCanBeBroken())
        GTEST_SKIP() << "a real registry cannot be malformed";
    FakeInstallation inst;
    inst.writeRegistry("REGEDIT4\n\n[HKLM\\Software\n");
    expectEnd([] { conf::findVelcppVersions(); }, 10, inst.registryPath() + ", line 3: key line must end with \"]\"");
}

TEST(Discovery, visualStudioVersionsAreThoseWhosePersonalityExists)
{
    FakeInstallation inst;
    conf::WizardSettings::instance().velcppPath = FakeInstallation::kVelcppDir;
    EXPECT_EQ((std::vector<std::string>{"6", "2005"}), conf::availableVsVersions());
    inst.remove("C:\\VEL\\VELCPP3\\personalities\\mvc6.p_c");
    EXPECT_EQ(std::vector<std::string>{"2005"}, conf::availableVsVersions());
    EXPECT_EQ("C:\\VEL\\VELCPP3\\personalities\\VC++NET_2003.p_c", conf::personalityForVsVersion("2003"));
    expectEnd([] { conf::personalityForVsVersion("2005 "); }, 10, "Failed to recognise Visual C++ version.\nAborting");
    conf::WizardSettings::instance() = {};
    // The same below a directory named by the caller, which the settings do not hold.
    EXPECT_EQ(std::vector<std::string>{"2005"}, conf::availableVsVersions(FakeInstallation::kVelcppDir));
    EXPECT_EQ(std::vector<std::string>{}, conf::availableVsVersions("C:\\VEL"));
    EXPECT_EQ("C:\\VEL\\personalities\\mvc6.p_c", conf::personalityForVsVersion("C:\\VEL", "6"));
}

} // namespace
