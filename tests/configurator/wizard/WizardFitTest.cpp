// Every page shows its texts and controls whole: the pages grow from their designed sizes to what
// this platform's fonts need, and the fit check itself finds a cut text or control.
#include "FakeInstallation.h"
#include "GenerationContext.h"
#include "MessageCapture.h"
#include "RouteFiles.h"
#include "WidgetFit.h"
#include "WizardDriver.h"
#include "WizardSettings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWizardPage>

#include <functional>

using conftest::FakeInstallation;
using wizardtest::WizardDriver;

namespace {

std::string joined(const QStringList& lines)
{
    return lines.join('\n').toStdString();
}

TEST(WidgetFitCheck, findsTextsTheirWidgetsCutAndAcceptsThemAtTheirSizeHints)
{
    QWidget window;
    window.resize(400, 200);
    auto* radio = new QRadioButton("Custom", &window);
    auto* button = new QPushButton("Browse", &window);
    auto* label = new QLabel("Choose your compiler:", &window);
    radio->setGeometry(10, 10, 30, 19);
    button->setGeometry(10, 40, 20, 24);
    label->setGeometry(10, 80, 25, 19);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const QStringList cut = wizardtest::cutWidgets(&window);
    ASSERT_EQ(cut.size(), 3) << joined(cut);
    EXPECT_TRUE(cut[0].startsWith("QRadioButton: text needs")) << joined(cut);
    EXPECT_TRUE(cut[1].startsWith("QPushButton: text needs")) << joined(cut);
    EXPECT_TRUE(cut[2].startsWith("QLabel: text needs")) << joined(cut);

    for (QWidget* w : std::initializer_list<QWidget*>{radio, button, label})
        w->resize(w->sizeHint());
    EXPECT_EQ(wizardtest::cutWidgets(&window), QStringList()) << joined(wizardtest::cutWidgets(&window));
}

TEST(WidgetFitCheck, findsControlsTheirParentsCutOff)
{
    QWidget window;
    window.resize(200, 120);
    auto* box = new QGroupBox("Analyser Personality", &window);
    box->setObjectName("groupBox_2");
    box->setGeometry(10, 10, 180, 60);
    auto* inside = new QRadioButton("None", box);
    inside->setObjectName("noneAnal");
    inside->setGeometry(150, 20, inside->sizeHint().width(), inside->sizeHint().height());
    auto* below = new QLabel("x", &window);
    below->setObjectName("below");
    below->setGeometry(10, 110, 40, 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(wizardtest::cutWidgets(&window),
              QStringList({"groupBox_2/noneAnal: cut off by groupBox_2", "below: cut off by the window"}))
        << joined(wizardtest::cutWidgets(&window));
}

class WizardFitTest : public ::testing::Test {
protected:
    WizardFitTest()
    {
        conf::WizardSettings::instance() = {};
        conf::GenerationContext::instance() = {};
        conftest::writeRoutePersonalities(install);
    }

    // Takes every route, so that every page is shown, and calls `check` on each page entered.
    void onEveryPage(const std::function<void(WizardDriver&)>& check)
    {
        {
            wizardtest::ScriptedChooser chooser({"C:\\Pers\\team.p_s"});
            WizardDriver d;
            check(d);
            d.next();
            check(d);
            d.click("radioButton"); // Visual Studio
            d.next();
            check(d);
            d.next();
            d.click("customPerson");
            d.click("browseMess");
            check(d);
            d.next();
            check(d);
            EXPECT_EQ(d.visited(), QList<int>({0, 1, 2, 7, 8}));
        }
        {
            wizardtest::ScriptedChooser chooser({"C:\\Pers\\both.p_c"});
            WizardDriver d;
            d.next();
            d.click("radioButton_2"); // VxWorks
            d.next();
            check(d);
            d.click("radioButton"); // I have a personality
            d.next();
            d.click("pushButton");
            check(d);
            d.next();
            check(d);
            d.back();
            d.back();
            d.click("radioButton_2"); // I do not have one
            d.next();
            check(d);
            EXPECT_EQ(d.currentId(), 5);
        }
    }

    FakeInstallation install;
    conftest::MessageCapture messages;
};

TEST_F(WizardFitTest, everyPageShowsAllItsTextAndControlsWhole)
{
    int pages = 0;
    onEveryPage([&](WizardDriver& d) {
        ++pages;
        SCOPED_TRACE(d.wizard().currentPage()->metaObject()->className());
        const QStringList cut = wizardtest::cutWidgets(&d.wizard());
        EXPECT_TRUE(cut.isEmpty()) << joined(cut);
    });
    EXPECT_EQ(pages, 9);
}

TEST_F(WizardFitTest, everyPageStaysWholeWithALargerFont)
{
    const QFont previous = QApplication::font();
    QFont large = previous;
    large.setPointSizeF(previous.pointSizeF() * 1.6);
    QApplication::setFont(large);
    onEveryPage([](WizardDriver& d) {
        SCOPED_TRACE(d.wizard().currentPage()->metaObject()->className());
        const QStringList cut = wizardtest::cutWidgets(&d.wizard());
        EXPECT_TRUE(cut.isEmpty()) << joined(cut);
    });
    QApplication::setFont(previous);
}

TEST_F(WizardFitTest, windowAndPagesKeepTheirDesignedSizesAsLeastAndDoNotGrowFromPageToPage)
{
    QSize first;
    onEveryPage([&](WizardDriver& d) {
        MyWizard& w = d.wizard();
        SCOPED_TRACE(w.currentPage()->metaObject()->className());
        EXPECT_GE(w.minimumWidth(), 450);
        EXPECT_GE(w.minimumHeight(), 280);
        if (first.isEmpty())
            first = w.size();
        EXPECT_EQ(w.size(), first);
        const QSize designed = w.currentId() == 8 ? QSize(430, 140) : QSize(430, 280);
        QWizardPage* page = w.currentPage();
        EXPECT_GE(page->width(), designed.width());
        EXPECT_GE(page->height(), designed.height());
        EXPECT_GE(page->width(), page->minimumSizeHint().width());
        EXPECT_GE(page->height(), page->minimumSizeHint().height());
    });
}

TEST_F(WizardFitTest, pagePersonKeepsItsDesignedPlacesAsLeastAndGrowsEachWidgetToItsHint)
{
    WizardDriver d;
    d.next();
    d.click("radioButton");
    d.next();
    d.next();
    ASSERT_EQ(d.currentId(), 7);
    struct Designed {
        const char* name;
        QRect rect;
    };
    const Designed designed[] = {
        {"groupBox", {10, 10, 410, 75}},     {"groupBox_2", {10, 100, 410, 75}},
        {"defaultPerson", {10, 20, 82, 19}}, {"customPerson", {10, 40, 61, 19}},
        {"messPerson", {80, 40, 231, 20}},   {"browseMess", {320, 36, 75, 24}},
        {"noneAnal", {10, 20, 82, 19}},      {"customAnal", {10, 40, 61, 19}},
        {"analPerson", {80, 40, 231, 20}},   {"browseAnal", {320, 36, 75, 24}},
    };
    for (const Designed& item : designed) {
        SCOPED_TRACE(item.name);
        const QRect actual = d.widget(item.name)->geometry();
        const QSize hint = d.widget(item.name)->sizeHint();
        EXPECT_GE(actual.x(), item.rect.x());
        EXPECT_GE(actual.y(), item.rect.y());
        EXPECT_GE(actual.width(), std::max(item.rect.width(), hint.width()));
        EXPECT_GE(actual.height(), std::max(item.rect.height(), hint.height()));
    }
    // The order is kept: Custom, its line edit and Browse side by side, below Default.
    EXPECT_LT(d.widget("customPerson")->geometry().right(), d.widget("messPerson")->x());
    EXPECT_LT(d.widget("messPerson")->geometry().right(), d.widget("browseMess")->x());
    EXPECT_LE(d.widget("defaultPerson")->geometry().bottom(), d.widget("customPerson")->y());
    EXPECT_LE(d.widget("groupBox")->geometry().bottom(), d.widget("groupBox_2")->y());
    EXPECT_EQ(d.widget("groupBox_2")->minimumSize(), QSize(100, 0));
}

} // namespace
