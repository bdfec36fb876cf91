// The wizard's frame and forms, and the pages' own behaviour: PagePerson's Browse rules, preselection.
#include "FakeInstallation.h"
#include "GenerationContext.h"
#include "GrowingWizardPage.h"
#include "WizardDriver.h"
#include "WizardSettings.h"
#include "MessageCapture.h"
#include "PageState.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QWizardPage>

using conftest::FakeInstallation;
using wizardtest::WizardDriver;

namespace {

class WizardPagesTest : public ::testing::Test {
protected:
    WizardPagesTest()
    {
        conf::WizardSettings::instance() = {};
        conf::GenerationContext::instance() = {};
    }

    // Drives a Visual Studio run up to PagePerson.
    void toPagePerson(WizardDriver& d)
    {
        d.next();
        d.click("radioButton");
        d.next();
        d.next();
        ASSERT_EQ(d.currentId(), 7);
    }

    template <class T>
    static T* child(QWidget* page, const char* name)
    {
        return page->findChild<T*>(QString::fromLatin1(name));
    }

    FakeInstallation install;
    conftest::MessageCapture messages;
};

TEST_F(WizardPagesTest, wizardFrameHasItsLookAndNinePagesOfTheirDesignedLeastSizes)
{
    WizardDriver d;
    MyWizard& w = d.wizard();
    EXPECT_EQ(w.windowTitle(), "Zembrel Configurator");
    EXPECT_EQ(w.wizardStyle(), QWizard::ModernStyle);
    EXPECT_EQ(w.options(), QWizard::WizardOptions(QWizard::NoBackButtonOnStartPage));
    EXPECT_GE(w.minimumWidth(), 450);
    EXPECT_GE(w.minimumHeight(), 280);
    EXPECT_FALSE(w.pixmap(QWizard::LogoPixmap).isNull());
    EXPECT_STREQ(w.metaObject()->className(), "MyWizard");
    EXPECT_EQ(w.pageIds(), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8}));

    const char* const classes[] = {"PageZero",  "PageOne", "PageTwo",    "PageThree", "PageFour",
                                   "PageFive",  "PageSix", "PagePerson", "PageLast"};
    const char* const subtitles[] = {"VEL C++ Version Selection",
                                     "Target Platform Selection",
                                     "VEL C++ Compiler Personality Selection",
                                     "VEL C++ Compiler Personality Selection",
                                     "VEL C++ Compiler Personality Selection",
                                     "VEL C++ VxWorks Compiler Details Specification",
                                     "VEL C++ Compiler Personality Selection",
                                     "VEL C++ Message and Analyser Personality Selection",
                                     "VEL C++ Configuration Completion"};
    for (int id = 0; id < 9; ++id) {
        QWizardPage* page = w.page(id);
        SCOPED_TRACE(classes[id]);
        EXPECT_STREQ(page->metaObject()->className(), classes[id]);
        EXPECT_EQ(page->title(), "Zembrel Configurator");
        EXPECT_EQ(page->subTitle(), subtitles[id]);
        const QSize size = id == 8 ? QSize(430, 140) : QSize(430, 280);
        EXPECT_EQ(static_cast<wizard::GrowingWizardPage*>(page)->givenSize(), size);
        EXPECT_EQ(page->minimumSizeHint().expandedTo(size), page->minimumSizeHint());
        EXPECT_EQ(page->windowTitle(), "Select VELCPP Version");
    }
    EXPECT_EQ(w.field("velcpp_ver").toInt(), 0);
    EXPECT_EQ(w.field("vxworks_person").toString(), "");
    EXPECT_EQ(w.field("vxver").toInt(), -1); // filled when PageFive is entered
}

TEST_F(WizardPagesTest, formsStartWithNothingChosenAndPagePersonAtItsDefaults)
{
    WizardDriver d;
    MyWizard& w = d.wizard();
    for (int id : {1, 3, 5, 6}) {
        for (QRadioButton* radio : w.page(id)->findChildren<QRadioButton*>())
            EXPECT_FALSE(radio->isChecked()) << id << " " << radio->objectName().toStdString();
    }
    const QString help = "Enter the location of the directory that is to contain the project file.";
    EXPECT_EQ(child<QLabel>(w.page(0), "label_1")->whatsThis(), help);
    EXPECT_EQ(child<QLabel>(w.page(2), "label_1")->whatsThis(), help);
    EXPECT_EQ(child<QComboBox>(w.page(0), "comboBox")->insertPolicy(), QComboBox::NoInsert);

    QWizardPage* person = w.page(7);
    EXPECT_TRUE(child<QRadioButton>(person, "defaultPerson")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(person, "noneAnal")->isChecked());
    for (const char* name : {"messPerson", "browseMess", "analPerson", "browseAnal"})
        EXPECT_FALSE(child<QWidget>(person, name)->isEnabled()) << name;
}

TEST_F(WizardPagesTest, pageZeroPreselectsTheGreatestVersionByPlainTextComparison)
{
    install.writeRegistry(FakeInstallation::registryText({"2.10", "2.9", "2.3"}));
    WizardDriver d;
    EXPECT_EQ(d.entries("comboBox"), QStringList({"2.10", "2.9"}));
    EXPECT_EQ(qobject_cast<QComboBox*>(d.widget("comboBox"))->currentText(), "2.9");
    d.next();
    EXPECT_EQ(conf::WizardSettings::instance().velcppVersion, "2.9");
}

TEST_F(WizardPagesTest, pagePersonRefusesCustomMessageWithoutBrowse)
{
    WizardDriver d;
    toPagePerson(d);
    d.click("customPerson");
    EXPECT_TRUE(d.widget("messPerson")->isEnabled());
    EXPECT_TRUE(d.widget("browseMess")->isEnabled());
    d.type("messPerson", "C:\\Pers\\typed.p_s");
    d.next();
    EXPECT_EQ(d.currentId(), 7);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(WizardPagesTest, pagePersonRefusesCustomAnalyserWithoutBrowse)
{
    WizardDriver d;
    toPagePerson(d);
    d.click("customAnal");
    d.type("analPerson", "C:\\Pers\\typed.p_a");
    d.next();
    EXPECT_EQ(d.currentId(), 7);
}

TEST_F(WizardPagesTest, pagePersonCustomBrowsedThenDefaultAgainGivesDefault)
{
    wizardtest::ScriptedChooser chooser({"C:\\Pers\\team.p_s"});
    WizardDriver d;
    toPagePerson(d);
    d.click("customPerson");
    d.click("browseMess");
    EXPECT_EQ(qobject_cast<QLineEdit*>(d.widget("messPerson"))->text(), "C:\\Pers\\team.p_s");
    d.click("defaultPerson");
    EXPECT_FALSE(d.widget("messPerson")->isEnabled());
    EXPECT_FALSE(d.widget("browseMess")->isEnabled());
    d.next();
    EXPECT_EQ(d.currentId(), 8);
    EXPECT_EQ(conf::WizardSettings::instance().messagePersonality, "Default");
    EXPECT_EQ(conf::WizardSettings::instance().analyserPersonality, "None");
}

TEST_F(WizardPagesTest, pagePersonTakesTheEditedTextAfterBrowse)
{
    wizardtest::ScriptedChooser chooser({"C:\\Pers\\team.p_a"});
    WizardDriver d;
    toPagePerson(d);
    d.click("customAnal");
    d.click("browseAnal");
    d.type("analPerson", "C:\\Pers\\edited.p_a");
    d.next();
    EXPECT_EQ(d.currentId(), 8);
    EXPECT_EQ(conf::WizardSettings::instance().analyserPersonality, "C:\\Pers\\edited.p_a");
    EXPECT_EQ(conf::GenerationContext::instance().wrapperAnalyser, "C:\\Pers\\edited.p_a");
}

TEST_F(WizardPagesTest, cancelledBrowseChangesNothingAndBrowseRemembersTheDirectory)
{
    // The chooser answers in the platform's form, as a file dialog does; the wizard shows the name
    // with native separators and starts the next dialog in its directory.
#ifdef _WIN32
    const QString a = "C:/pers/a.p_c", shown = "C:\\pers\\a.p_c", dir = "C:/pers";
#else
    const QString a = "/tmp/pers/a.p_c", shown = a, dir = "/tmp/pers";
#endif
    wizardtest::ScriptedChooser chooser({"", a, "/tmp/pers/b.p_c"});
    WizardDriver d;
    d.next();
    d.click("radioButton_2");
    d.next();
    d.click("radioButton");
    d.next();
    d.type("lineEdit", "kept");
    d.click("pushButton");
    EXPECT_EQ(d.wizard().field("vxworks_person").toString(), "kept");
    d.click("pushButton");
    EXPECT_EQ(d.wizard().field("vxworks_person").toString(), shown);
    d.click("pushButton");
    EXPECT_EQ(chooser.startDirs(), QStringList({"", "", dir}));
}

TEST_F(WizardPagesTest, pageStateRecordsWhatPagePersonHoldsBeforeAndAfterACustomChoice)
{
    // The record the two platforms' tours compare: every checked button, text and enabled control.
    wizardtest::ScriptedChooser chooser({"C:\\Pers\\team.p_s"});
    WizardDriver d;
    toPagePerson(d);
    const struct {
        const char* action;
        QString record;
    } steps[] = {
        {"entered",
         "PagePerson/groupBox: group enabled\n"
         "PagePerson/groupBox/defaultPerson: button checked enabled\n"
         "PagePerson/groupBox/customPerson: button unchecked enabled\n"
         "PagePerson/groupBox/messPerson: line edit \"\" disabled\n"
         "PagePerson/groupBox/browseMess: button disabled\n"
         "PagePerson/groupBox_2: group enabled\n"
         "PagePerson/groupBox_2/noneAnal: button checked enabled\n"
         "PagePerson/groupBox_2/customAnal: button unchecked enabled\n"
         "PagePerson/groupBox_2/analPerson: line edit \"\" disabled\n"
         "PagePerson/groupBox_2/browseAnal: button disabled\n"
         "wizard buttons: Back enabled, Next enabled, Cancel enabled\n"},
        {"customPerson",
         "PagePerson/groupBox: group enabled\n"
         "PagePerson/groupBox/defaultPerson: button unchecked enabled\n"
         "PagePerson/groupBox/customPerson: button checked enabled\n"
         "PagePerson/groupBox/messPerson: line edit \"\" enabled\n"
         "PagePerson/groupBox/browseMess: button enabled\n"
         "PagePerson/groupBox_2: group enabled\n"
         "PagePerson/groupBox_2/noneAnal: button checked enabled\n"
         "PagePerson/groupBox_2/customAnal: button unchecked enabled\n"
         "PagePerson/groupBox_2/analPerson: line edit \"\" disabled\n"
         "PagePerson/groupBox_2/browseAnal: button disabled\n"
         "wizard buttons: Back enabled, Next enabled, Cancel enabled\n"},
        {"browseMess",
         "PagePerson/groupBox: group enabled\n"
         "PagePerson/groupBox/defaultPerson: button unchecked enabled\n"
         "PagePerson/groupBox/customPerson: button checked enabled\n"
         "PagePerson/groupBox/messPerson: line edit \"C:\\Pers\\team.p_s\" enabled\n"
         "PagePerson/groupBox/browseMess: button enabled\n"
         "PagePerson/groupBox_2: group enabled\n"
         "PagePerson/groupBox_2/noneAnal: button checked enabled\n"
         "PagePerson/groupBox_2/customAnal: button unchecked enabled\n"
         "PagePerson/groupBox_2/analPerson: line edit \"\" disabled\n"
         "PagePerson/groupBox_2/browseAnal: button disabled\n"
         "wizard buttons: Back enabled, Next enabled, Cancel enabled\n"},
    };
    for (const auto& step : steps) {
        if (std::string(step.action) != "entered")
            d.click(step.action);
        EXPECT_EQ(wizardtest::pageState(d.wizard()), step.record) << "after " << step.action;
    }
}

TEST_F(WizardPagesTest, pageStateMarksAHiddenControl)
{
    WizardDriver d;
    toPagePerson(d);
    d.widget("browseAnal")->hide();
    const QString record = wizardtest::pageState(d.wizard());
    EXPECT_TRUE(record.contains("PagePerson/groupBox_2/browseAnal: button disabled hidden\n")) << record.toStdString();
}

} // namespace
