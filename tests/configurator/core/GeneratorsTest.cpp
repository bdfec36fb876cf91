// Template generators and the personality generator run, compared byte for byte with expected files.
#include "ExpectedFiles.h"
#include "FakeInstallation.h"
#include "GenerationContext.h"
#include "Generators.h"
#include "MessageCapture.h"

#include <gtest/gtest.h>

namespace {

using conftest::FakeInstallation;
using conftest::MessageCapture;

class GeneratorsTest : public ::testing::Test {
protected:
    void SetUp() override { conf::GenerationContext::instance() = {}; }
    void TearDown() override { conf::GenerationContext::instance() = {}; }

    FakeInstallation inst;
    const std::string integration = FakeInstallation::kIntegrationDir;
};

TEST_F(GeneratorsTest, suppressPersonalityNamesTheIntegrationDirectoryWithBackslashes)
{
    conf::writeSuppressPersonality();
    EXPECT_SAME_AS_EXPECTED(inst.read(integration + "\\suppresszembrel\\suppresszembrel.p_s"), "suppresszembrel.p_s");
}

TEST_F(GeneratorsTest, wrapperConfigWithoutCustomAnalyserNamesOnlyThePlatformPersonality)
{
    conf::GenerationContext::instance().setWrapper("C:\\VEL\\VELCPP3\\personalities\\VC++2005.p_c", "msvc", "msvc");
    conf::GenerationContext::instance().wrapperAnalyser = "None";
    conf::writeWrapperConfig();
    EXPECT_SAME_AS_EXPECTED(inst.read(integration + "\\wrapper\\wrapper_msvc.cfg"), "wrapper_msvc.cfg");
}

TEST_F(GeneratorsTest, wrapperConfigWithCustomAnalyserAddsItBehindItsOwnVia)
{
    conf::GenerationContext::instance().setWrapper("C:\\ZembInt\\ZembrelIntegration\\gnu\\gcc.p_c", "vxworks", "gnu");
    conf::GenerationContext::instance().wrapperAnalyser = "C:\\My Files\\custom.p_a";
    conf::writeWrapperConfig();
    EXPECT_SAME_AS_EXPECTED(inst.read(integration + "\\wrapper\\wrapper_gnu.cfg"), "wrapper_gnu.cfg");
}

TEST_F(GeneratorsTest, msvcAnalyserPersonalityUsesForwardSlashes)
{
    conf::writeMsvcAnalyserPersonality();
    EXPECT_SAME_AS_EXPECTED(inst.read(integration + "\\msvc\\zembrel-msvc.p_a"), "zembrel-msvc.p_a");
}

TEST_F(GeneratorsTest, clBatNamesTheAnalyserDirectoryUnchanged)
{
    conf::writeClBat("C:\\VEL\\VELCPP3");
    EXPECT_SAME_AS_EXPECTED(inst.read(integration + "\\msvc\\cl.bat"), "cl.bat");
}

TEST_F(GeneratorsTest, vxAnalyserPersonalityNamesTheWindRiverDirectory)
{
    conf::writeVxAnalyserPersonality("C:\\WindRiver");
    EXPECT_SAME_AS_EXPECTED(inst.read(integration + "\\vxworks\\zembrel-vxworks.p_a"), "zembrel-vxworks.p_a");
}

TEST_F(GeneratorsTest, templateWithoutPlaceholdersIsCopiedWithCrLfLineEnds)
{
    inst.write(integration + "\\msvc\\cl.bat-template", "{unknown}\r\nplain\nlast");
    conf::writeClBat("C:\\VEL\\VELCPP3");
    EXPECT_EQ("{unknown}\r\nplain\r\nlast", inst.read(integration + "\\msvc\\cl.bat"));
}

TEST_F(GeneratorsTest, personalityGeneratorWritesSettingsAndRunsWrenvWithFourArguments)
{
    MessageCapture capture;
    inst.installWrenv(0);
    EXPECT_EQ(0, conf::runPersonalityGenerator("dcc.p_c", "Diab", "C:\\WindRiver",
                                               "C:\\ZembInt\\ZembrelIntegration\\diab", "6.6"));
    EXPECT_SAME_AS_EXPECTED(inst.read("C:\\VNH\\bin\\settings.txt"), "settings.txt");
    EXPECT_EQ((std::vector<std::string>{"-p", "vxworks-6.6", "C:\\ZembInt\\ZembrelIntegration\\vnh\\run_vnh.exe",
                                        "C:\\VNH\\bin"}),
              inst.wrenvArguments());
    EXPECT_TRUE(capture.messages().empty());
}

TEST_F(GeneratorsTest, failingOrMissingWrenvIsReportedAndItsCodeReturned)
{
    MessageCapture capture;
    inst.installWrenv(1);
    EXPECT_EQ(1, conf::runPersonalityGenerator("gcc.p_c", "WindRiver", "C:\\WindRiver", "C:\\d", "6.0"));
    EXPECT_EQ(std::vector<std::string>{"Varnholt failed\nto generate personality."}, capture.messages());
    EXPECT_NE(0, conf::runPersonalityGenerator("gcc.p_c", "WindRiver", "", "C:\\d", "6.0"));
    EXPECT_EQ(2u, capture.messages().size());
}

TEST_F(GeneratorsTest, compilerIsDetectedOnlyWhenExactlyOneMarkerIsPresent)
{
    inst.write("C:\\p\\dcc.p_c", "-d _DCC_=1\n");
    inst.write("C:\\p\\gcc.p_c", "-d __GNUC__=4\n");
    inst.write("C:\\p\\both.p_c", "_DCC_ _GNUC_");
    inst.write("C:\\p\\none.p_c", "_dcc_ _gnuc_");
    EXPECT_EQ("diab", conf::detectVxCompiler("C:\\p\\dcc.p_c"));
    EXPECT_EQ("gnu", conf::detectVxCompiler("C:\\p\\gcc.p_c"));
    EXPECT_EQ("", conf::detectVxCompiler("C:\\p\\both.p_c"));
    EXPECT_EQ("", conf::detectVxCompiler("C:\\p\\none.p_c"));
}

} // namespace
