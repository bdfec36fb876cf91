// The three routes through the wizard, driven click by click against a fake installation.
#include "FakeInstallation.h"
#include "GenerationContext.h"
#include "PageLast.h"
#include "RouteFiles.h"
#include "WizardDriver.h"
#include "WizardSettings.h"
#include "MessageCapture.h"

#include <gtest/gtest.h>

#include <QList>

using conftest::FakeInstallation;
using wizardtest::WizardDriver;

namespace {

// The summary's HTML for the given values of the nine rows, the way the summary page builds it.
std::string summary(const std::vector<std::string>& values)
{
    static const char* const labels[] = {
        "<p>Zembrel location:\n",         "<p>VEL C++ version:\n",   "<p>VELCPPPATH:\n",
        "<p>MS Visual C++ personality:\n", "<p>VxWorks version:\n",   "<p>VxWorks personality:\n",
        "<p>VxWorks compiler:\n",          "<p>Message Personality:\n", "<p>Analyser Personality:\n",
    };
    std::string html = "<h3><u>SUMMARY</u></h3>\n\n\n";
    for (size_t i = 0; i < 9; ++i)
        html += std::string(labels[i]) + "<b><br>" + values[i] + "</b>" + (i < 8 ? "\n\n" : "\n");
    return html;
}

class WizardRouteTest : public ::testing::Test {
protected:
    WizardRouteTest()
    {
        conf::WizardSettings::instance() = {};
        conf::GenerationContext::instance() = {};
        conftest::writeRoutePersonalities(install);
    }

    // Starts the wizard; the files present now are the ones the run is compared against.
    WizardDriver& start()
    {
        before_ = install.files();
        driver_ = std::make_unique<WizardDriver>();
        return *driver_;
    }

    // Starts the wizard and takes the VxWorks route with a personality of one's own, picked
    // through the file dialog (the chooser's first answer), as far as the page after page four.
    WizardDriver& startWithOwnVxPersonality()
    {
        WizardDriver& d = start();
        d.next();
        d.click("radioButton_2"); // VxWorks
        d.next();
        d.click("radioButton"); // I have a personality
        d.next();
        d.click("pushButton");
        d.next();
        return d;
    }

    conftest::FileTree written() const
    {
        return conftest::changedFiles(before_, install.files());
    }

    // Every file the run wrote, byte for byte against the expected files of the route.
    void expectWrittenFiles(const std::string& route) const
    {
        const conftest::FileTree actual = written();
        EXPECT_EQ(conftest::differences(actual, conftest::updatedRouteFiles(route, actual)), "");
    }

    std::string summaryShown() const
    {
        auto* last = qobject_cast<PageLast*>(driver_->wizard().page(8));
        return last ? last->summaryHtml().toStdString() : std::string();
    }

    FakeInstallation install;
    conftest::MessageCapture messages;

private:
    conftest::FileTree before_;
    std::unique_ptr<WizardDriver> driver_;
};

TEST_F(WizardRouteTest, visualStudioRouteWritesMsvcFilesAndStandardPersonality)
{
    WizardDriver& d = start();
    ASSERT_EQ(d.currentId(), 0);
    d.next();
    d.click("radioButton"); // Visual Studio
    d.next();
    ASSERT_EQ(d.currentId(), 2);
    EXPECT_EQ(d.entries("comboBox"), QStringList({"6", "2005"}));
    d.choose("comboBox", "2005");
    d.next();
    d.next(); // PagePerson left at Default / None
    ASSERT_EQ(d.currentId(), 8);
    EXPECT_EQ(d.visited(), QList<int>({0, 1, 2, 7, 8}));
    EXPECT_EQ(summaryShown(), summary({"D:\\Tools\\Zembrel", "3.0", "C:\\VEL\\VELCPP3",
                                       "C:\\VEL\\VELCPP3\\personalities\\VC++2005.p_c", "", "", "", "Default",
                                       "None"}));
    d.finish();
    EXPECT_TRUE(d.closed());
    EXPECT_TRUE(messages.messages().empty());
    expectWrittenFiles("visual-studio");
}

TEST_F(WizardRouteTest, vxWorksRouteWithDetectedDiabPersonalityAndCustomPersonalities)
{
    wizardtest::ScriptedChooser chooser({"C:\\Pers\\diab.p_c", "C:\\Pers\\team.p_s", "C:\\Pers\\team.p_a"});

    WizardDriver& d = start();
    d.next();
    d.click("radioButton_2"); // VxWorks
    d.next();
    d.click("radioButton"); // I have a personality
    d.next();
    ASSERT_EQ(d.currentId(), 4);
    d.click("pushButton");
    d.next();
    ASSERT_EQ(d.currentId(), 7);
    d.click("customPerson");
    d.click("browseMess");
    d.click("customAnal");
    d.click("browseAnal");
    d.next();
    ASSERT_EQ(d.currentId(), 8);
    EXPECT_EQ(d.visited(), QList<int>({0, 1, 3, 4, 7, 8}));
    EXPECT_EQ(chooser.captions(), QStringList({"Select Compiler Personality File", "Select Message Personality File",
                                               "Select Analyser Personality File"}));
    EXPECT_EQ(chooser.filters(), QStringList({"*.p_c", "*.p_s", "*.p_a"}));
    EXPECT_EQ(summaryShown(), summary({"D:\\Tools\\Zembrel", "3.0", "C:\\VEL\\VELCPP3", "", "", "C:\\Pers\\diab.p_c",
                                       "diab", "C:\\Pers\\team.p_s", "C:\\Pers\\team.p_a"}));
    d.finish();
    EXPECT_TRUE(messages.messages().empty());
    expectWrittenFiles("vxworks-existing-diab");
}

TEST_F(WizardRouteTest, vxWorksPersonalityNamingBothCompilersGoesThroughPageSix)
{
    wizardtest::ScriptedChooser chooser({"C:\\Pers\\both.p_c"});

    WizardDriver& d = startWithOwnVxPersonality();
    ASSERT_EQ(d.currentId(), 6);
    d.next(); // no compiler chosen yet
    EXPECT_EQ(d.currentId(), 6);
    d.click("radioButton_2"); // GNU GCC
    d.next();
    d.next();
    ASSERT_EQ(d.currentId(), 8);
    EXPECT_EQ(d.visited(), QList<int>({0, 1, 3, 4, 6, 7, 8}));
    EXPECT_EQ(summaryShown(), summary({"D:\\Tools\\Zembrel", "3.0", "C:\\VEL\\VELCPP3", "", "", "C:\\Pers\\both.p_c",
                                       "gnu", "Default", "None"}));
    d.finish();
    EXPECT_TRUE(messages.messages().empty());
    expectWrittenFiles("vxworks-existing-undetected");
}

TEST_F(WizardRouteTest, backFromPageSixToADetectablePersonalityGoesStraightToPagePerson)
{
    wizardtest::ScriptedChooser chooser({"C:\\Pers\\both.p_c", "C:\\Pers\\gnu.p_c"});

    WizardDriver& d = startWithOwnVxPersonality();
    ASSERT_EQ(d.currentId(), 6);
    d.back();
    ASSERT_EQ(d.currentId(), 4);
    d.click("pushButton");
    d.next(); // PageFour validates again and finds GNU
    EXPECT_EQ(d.currentId(), 7);
    EXPECT_EQ(d.visited(), QList<int>({0, 1, 3, 4, 7}));
    EXPECT_EQ(conf::WizardSettings::instance().vxPersonality, "C:\\Pers\\gnu.p_c");
    EXPECT_EQ(conf::WizardSettings::instance().vxCompiler, "gnu");
    EXPECT_EQ(conf::GenerationContext::instance().wrapperTool, "gnu");
}

TEST_F(WizardRouteTest, vxWorksRouteWithGeneratedPersonalityRunsTheGenerator)
{
    install.installWrenv(0);
    WizardDriver& d = start();
    d.next();
    d.click("radioButton_2");
    d.next();
    d.click("radioButton_2"); // I do not have a personality
    d.next();
    ASSERT_EQ(d.currentId(), 5);
    EXPECT_EQ(d.entries("comboBox"),
              QStringList({"6.0", "6.1", "6.2", "6.3", "6.4", "6.5", "6.6", "6.7", "6.8", "6.9"}));
    d.click("radioButton"); // Diab
    d.choose("comboBox", "6.8");
    d.next();
    ASSERT_EQ(d.currentId(), 7);
    d.next();
    EXPECT_EQ(d.visited(), QList<int>({0, 1, 3, 5, 7, 8}));
    EXPECT_EQ(summaryShown(), summary({"D:\\Tools\\Zembrel", "3.0", "C:\\VEL\\VELCPP3", "", "6.8",
                                       "C:\\ZembInt\\ZembrelIntegration\\diab", "diab", "Default", "None"}));
    d.finish();
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(install.wrenvArguments(),
              std::vector<std::string>({"-p", "vxworks-6.8", "C:\\ZembInt\\ZembrelIntegration\\vnh\\run_vnh.exe",
                                        "C:\\VNH\\bin"}));
    EXPECT_TRUE(install.exists("C:\\ZembInt\\ZembrelIntegration\\diab"));
    expectWrittenFiles("vxworks-generated-diab");
}

TEST_F(WizardRouteTest, failingGeneratorKeepsTheWizardOnPageFive)
{
    install.installWrenv(3);
    WizardDriver& d = start();
    d.next();
    d.click("radioButton_2");
    d.next();
    d.click("radioButton_2");
    d.next();
    d.next(); // neither compiler selected: GNU is generated
    EXPECT_EQ(d.currentId(), 5);
    EXPECT_EQ(messages.messages(), std::vector<std::string>({"Varnholt failed\nto generate personality."}));
    EXPECT_EQ(conf::WizardSettings::instance().vxPersonality, "");
    EXPECT_EQ(conf::GenerationContext::instance().wrapperTool, "gnu");
}

TEST_F(WizardRouteTest, nextWithoutChoiceStaysOnPageOneAndPageThree)
{
    WizardDriver& d = start();
    d.next();
    d.next();
    EXPECT_EQ(d.currentId(), 1);
    d.click("radioButton_2");
    d.next();
    d.next();
    EXPECT_EQ(d.currentId(), 3);
    EXPECT_EQ(d.visited(), QList<int>({0, 1, 3}));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(WizardRouteTest, cancelOnTheSummaryWritesNoneOfTheFinishFiles)
{
    WizardDriver& d = start();
    d.next();
    d.click("radioButton");
    d.next();
    d.next();
    d.next();
    ASSERT_EQ(d.currentId(), 8);
    d.cancel();
    EXPECT_TRUE(d.closed());
    // Only PageTwo's own files exist: no wrapper configuration, build batch or suppression personality.
    std::vector<std::string> names;
    for (const auto& entry : written())
        names.push_back(entry.first);
    EXPECT_EQ(names, std::vector<std::string>({"drives/c/ZembInt/ZembrelIntegration/msvc/cl.bat",
                                               "drives/c/ZembInt/ZembrelIntegration/msvc/zembrel-msvc.p_a"}));
}

} // namespace
