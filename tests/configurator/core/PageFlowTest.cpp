// Page transitions, page validation on the three routes, the summary and Finish.
#include "FakeInstallation.h"
#include "GenerationContext.h"
#include "MessageCapture.h"
#include "PageActions.h"
#include "PageIds.h"
#include "WizardSettings.h"

#include <gtest/gtest.h>

namespace {

using conftest::FakeInstallation;
using conftest::MessageCapture;
using conftest::ProcessEnded;
using conf::PageChoice;

class PageFlowTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        conf::WizardSettings::instance() = {};
        conf::GenerationContext::instance() = {};
    }
    static conf::WizardSettings& settings() { return conf::WizardSettings::instance(); }
    static conf::GenerationContext& ctx() { return conf::GenerationContext::instance(); }

    FakeInstallation inst;
};

TEST(PageTransitions, radioPagesStayUntilAnOptionIsChosen)
{
    EXPECT_EQ(conf::PageOneId, conf::nextPageId(conf::PageZeroId));
    EXPECT_EQ(conf::PageOneId, conf::nextPageId(conf::PageOneId));
    EXPECT_EQ(conf::PageTwoId, conf::nextPageId(conf::PageOneId, PageChoice{true, false, ""}));
    EXPECT_EQ(conf::PageThreeId, conf::nextPageId(conf::PageOneId, PageChoice{false, true, ""}));
    EXPECT_EQ(conf::PageThreeId, conf::nextPageId(conf::PageThreeId));
    EXPECT_EQ(conf::PageFourId, conf::nextPageId(conf::PageThreeId, PageChoice{true, false, ""}));
    EXPECT_EQ(conf::PageFiveId, conf::nextPageId(conf::PageThreeId, PageChoice{false, true, ""}));
    EXPECT_EQ(conf::PagePersonId, conf::nextPageId(conf::PageFourId));
    EXPECT_EQ(conf::PageSixId, conf::nextPageId(conf::PageFourId, PageChoice{false, false, conf::kPageFourUnknownMarker}));
    EXPECT_EQ(conf::PagePersonId, conf::nextPageId(conf::PageTwoId));
    EXPECT_EQ(conf::PagePersonId, conf::nextPageId(conf::PageFiveId));
    EXPECT_EQ(conf::PagePersonId, conf::nextPageId(conf::PageSixId));
    EXPECT_EQ(conf::PageLastId, conf::nextPageId(conf::PagePersonId));
    EXPECT_EQ(-1, conf::nextPageId(conf::PageLastId));
    EXPECT_EQ(conf::TransitionRule::Final, conf::pageTransition(conf::PageLastId).rule);
}

TEST(PageZeroChoice, preselectsTheGreatestVersionByPlainStringComparison)
{
    EXPECT_EQ(0, conf::preselectedVersionIndex({"2.9", "2.10"}));
    EXPECT_EQ(1, conf::preselectedVersionIndex({"2.4", "3.0", "3.0"}));
    EXPECT_EQ(-1, conf::preselectedVersionIndex({}));
}

TEST_F(PageFlowTest, noAcceptedVersionEndsWithStatusZero)
{
    inst.writeRegistry(FakeInstallation::registryText({"2.3", "3.1"}));
    MessageCapture capture;
    try {
        conf::loadVelcppVersions();
        ADD_FAILURE();
    } catch (const ProcessEnded& ended) {
        EXPECT_EQ(0, ended.code);
    }
    EXPECT_EQ("No installations of VELC++ found\nPlease install VELC++ and try again\n", capture.last());
}

TEST_F(PageFlowTest, visualStudioRouteFillsTheRecordsAndWritesItsFiles)
{
    ASSERT_EQ(std::vector<std::string>{"3.0"}, conf::loadVelcppVersions());
    conf::validatePageZero(0);
    EXPECT_EQ("3.0", settings().velcppVersion);
    EXPECT_EQ("C:\\VEL\\VELCPP3", settings().velcppPath);
    ASSERT_EQ((std::vector<std::string>{"6", "2005"}), conf::pageTwoVsVersions());
    conf::validatePageTwo("2005");
    EXPECT_EQ("C:\\VEL\\VELCPP3\\personalities\\VC++2005.p_c", settings().msvcPersonality);
    EXPECT_EQ("msvc", ctx().wrapperTool);
    EXPECT_EQ("C:\\VEL\\VELCPP3", ctx().batchVelcppDir);
    EXPECT_TRUE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\msvc\\cl.bat"));
    EXPECT_TRUE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\msvc\\zembrel-msvc.p_a"));
    ASSERT_TRUE(conf::validatePagePerson({}));
    conf::finishWizard();
    EXPECT_TRUE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\wrapper\\wrapper_msvc.cfg"));
    EXPECT_TRUE(inst.exists("D:\\Tools\\Zembrel\\Share\\etc\\msvelcppmake.bat"));
    EXPECT_TRUE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\suppresszembrel.p_s"));
    EXPECT_FALSE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom.p_s"));
    EXPECT_EQ("<h3><u>SUMMARY</u></h3>\n\n\n"
              "<p>Zembrel location:\n<b><br>D:\\Tools\\Zembrel</b>\n\n"
              "<p>VEL C++ version:\n<b><br>3.0</b>\n\n"
              "<p>VELCPPPATH:\n<b><br>C:\\VEL\\VELCPP3</b>\n\n"
              "<p>MS Visual C++ personality:\n<b><br>C:\\VEL\\VELCPP3\\personalities\\VC++2005.p_c</b>\n\n"
              "<p>VxWorks version:\n<b><br></b>\n\n"
              "<p>VxWorks personality:\n<b><br></b>\n\n"
              "<p>VxWorks compiler:\n<b><br></b>\n\n"
              "<p>Message Personality:\n<b><br>Default</b>\n\n"
              "<p>Analyser Personality:\n<b><br>None</b>\n",
              conf::summaryHtml());
}

TEST_F(PageFlowTest, existingPersonalityWithBothMarkersGoesThroughPageSix)
{
    settings().velcppPath = FakeInstallation::kVelcppDir;
    inst.write("C:\\my\\both.p_c", "_DCC_ _GNUC_");
    EXPECT_EQ(conf::kPageFourUnknownMarker, conf::validatePageFour("c:/my/both.p_c"));
    EXPECT_EQ("", settings().vxCompiler);
    EXPECT_EQ("", ctx().wrapperTool);
    EXPECT_FALSE(conf::validatePageSix(false, false, "c:/my/both.p_c"));
    EXPECT_TRUE(conf::validatePageSix(true, false, "c:/my/both.p_c"));
    EXPECT_EQ("diab", ctx().wrapperTool);
    EXPECT_EQ("c:\\my\\both.p_c", settings().vxPersonality);
    EXPECT_TRUE(inst.exists("D:\\Tools\\Zembrel\\Share\\etc\\vx6velcppmake.bat"));
    EXPECT_TRUE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\vxworks\\zembrel-vxworks.p_a"));

    inst.write("C:\\my\\dcc.p_c", "_DCC_");
    EXPECT_EQ("", conf::validatePageFour("C:\\my\\dcc.p_c"));
    EXPECT_EQ("diab", settings().vxCompiler);
}

TEST_F(PageFlowTest, generatedPersonalityDefaultsToGnuAndStaysWhenTheGeneratorFails)
{
    settings().velcppPath = FakeInstallation::kVelcppDir;
    inst.installWrenv(1);
    MessageCapture capture;
    EXPECT_FALSE(conf::validatePageFive(6, false));
    EXPECT_EQ("Varnholt failed\nto generate personality.", capture.last());
    EXPECT_EQ("", settings().vxVersion);
    inst.installWrenv(0);
    EXPECT_TRUE(conf::validatePageFive(6, false));
    EXPECT_EQ("C:\\ZembInt\\ZembrelIntegration\\gnu", settings().vxPersonality);
    EXPECT_EQ("gnu", settings().vxCompiler);
    EXPECT_EQ("6.6", settings().vxVersion);
    EXPECT_EQ("C:\\ZembInt\\ZembrelIntegration\\gnu\\gcc.p_c", ctx().wrapperPersonality);
    EXPECT_NE(std::string::npos, inst.read("C:\\VNH\\bin\\settings.txt").find("FAMILY=WindRiver\r\n"));
}

TEST_F(PageFlowTest, personPageNeedsABrowsedFileForCustomChoices)
{
    EXPECT_FALSE(conf::validatePagePerson({true, "", "C:\\typed.p_s", false, "", ""}));
    EXPECT_FALSE(conf::validatePagePerson({false, "", "", true, "", "C:\\typed.p_a"}));
    ASSERT_TRUE(conf::validatePagePerson({true, "C:\\my", "C:\\my\\edited.p_s", true, "C:\\a", "C:\\a\\x.p_a"}));
    EXPECT_EQ("C:\\my\\edited.p_s", settings().messagePersonality);
    EXPECT_EQ("C:\\a\\x.p_a", ctx().wrapperAnalyser);
    ASSERT_TRUE(conf::validatePagePerson({false, "C:\\my", "C:\\my\\edited.p_s", false, "C:\\a", "x"}));
    EXPECT_EQ("Default", settings().messagePersonality);
    EXPECT_EQ("None", settings().analyserPersonality);
}

TEST_F(PageFlowTest, finishWithCustomMessagePersonalityWritesCustomFiles)
{
    inst.write("C:\\my\\msg.p_s", "-w 1\r\n");
    settings().messagePersonality = "C:\\my\\msg.p_s";
    ctx().setWrapper("C:\\p.p_c", "msvc", "msvc");
    conf::finishWizard();
    EXPECT_TRUE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom.p_s"));
    EXPECT_TRUE(inst.exists("C:\\ZembInt\\ZembrelIntegration\\suppresszembrel\\custom_sa.bat"));
    EXPECT_NE(std::string::npos, inst.read("D:\\Tools\\Zembrel\\Share\\etc\\msvelcppmake.bat").find("\\custom.p_s\r\n"));
}

} // namespace
