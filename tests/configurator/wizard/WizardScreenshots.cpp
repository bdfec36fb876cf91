// Saves a PNG of every wizard page on the Visual Studio route and the three VxWorks routes, with a
// text record of what the page holds beside it (the same name with ".txt": checked buttons, texts,
// enabled controls; see PageState.h), and fails when a page does not show a text or control whole.
// Run against an installation (ZEMBRELCONF_REGISTRY, ZEMBRELCONF_DRIVES) such as a copy of
// examples/installation: "wizard_screenshots <output directory>". Messages go to standard error.
#include "GenerationContext.h"
#include "PageState.h"
#include "WidgetFit.h"
#include "WizardDriver.h"
#include "WizardSettings.h"
#include "WizardStartup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWizardPage>

#include <cstdio>
#include <exception>
#include <functional>
#include <utility>

namespace {

// One route: a name and the user's actions, with a picture taken of every page entered.
struct Route {
    const char* name;
    QStringList chooserAnswers;
    std::function<void(wizardtest::WizardDriver&, const std::function<void()>& shot)> walk;
};

// Waits until the page shows what it holds. Styles fade a button's change of state in (the Windows
// style over a tenth of a second or so), and the first frame of the fade shows the button as it was
// before the click; the page has settled when two pictures of it a moment apart agree.
void settle(QWidget& page)
{
    QImage last = page.grab().toImage();
    for (int tries = 0; tries < 40; ++tries) {
        QTest::qWait(50);
        QImage now = page.grab().toImage();
        if (now == last)
            return;
        last = std::move(now);
    }
}

// Saves the pages of one route; counts in `cut` every text or control a page does not show whole.
int takeRoute(const Route& route, const QDir& out, int& cut)
{
    conf::WizardSettings::instance() = {};
    conf::GenerationContext::instance() = {};
    wizardtest::ScriptedChooser chooser(route.chooserAnswers);
    wizardtest::WizardDriver driver;
    int saved = 0;
    int step = 0;
    auto shot = [&]() {
        QApplication::processEvents();
        settle(*driver.wizard().currentPage());
        const QString stem = QString("%1-%2-%3")
                                 .arg(route.name)
                                 .arg(++step)
                                 .arg(driver.wizard().currentPage()->metaObject()->className());
        const QString file = stem + ".png";
        if (driver.wizard().grab().save(out.filePath(file), "PNG"))
            ++saved;
        else
            std::fprintf(stderr, "cannot save %s\n", qPrintable(out.filePath(file)));
        // Line ends are LF on every platform, so that the records of two tours compare as they are.
        QFile record(out.filePath(stem + ".txt"));
        if (!record.open(QIODevice::WriteOnly) || record.write(wizardtest::pageState(driver.wizard()).toUtf8()) < 0)
            std::fprintf(stderr, "cannot save %s\n", qPrintable(record.fileName()));
        for (const QString& problem : wizardtest::cutWidgets(&driver.wizard())) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(file), qPrintable(problem));
            ++cut;
        }
    };
    route.walk(driver, shot);
    driver.cancel();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    wizard::registerResources();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: wizard_screenshots <output directory>\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 2;
    }

    using wizardtest::WizardDriver;
    using Shot = std::function<void()>;
    const Route routes[] = {
        {"visual-studio", {"C:\\Personalities\\team-messages.p_s"},
         [](WizardDriver& d, const Shot& shot) {
             shot();
             d.next();
             d.click("radioButton");
             shot();
             d.next();
             d.choose("comboBox", "2005");
             shot();
             d.next();
             d.click("customPerson");
             d.click("browseMess");
             shot();
             d.next();
             shot();
         }},
        {"vxworks-existing", {"C:\\Personalities\\diab-vx69.p_c"},
         [](WizardDriver& d, const Shot& shot) {
             shot();
             d.next();
             d.click("radioButton_2");
             shot();
             d.next();
             d.click("radioButton");
             shot();
             d.next();
             d.click("pushButton");
             shot();
             d.next();
             shot();
             d.next();
             shot();
         }},
        {"vxworks-undetected", {"C:\\Personalities\\vx-any.p_c"},
         [](WizardDriver& d, const Shot& shot) {
             shot();
             d.next();
             d.click("radioButton_2");
             shot();
             d.next();
             d.click("radioButton");
             shot();
             d.next();
             d.click("pushButton");
             shot();
             d.next();
             d.click("radioButton");
             shot();
             d.next();
             shot();
             d.next();
             shot();
         }},
        {"vxworks-generated", {},
         [](WizardDriver& d, const Shot& shot) {
             shot();
             d.next();
             d.click("radioButton_2");
             shot();
             d.next();
             d.click("radioButton_2");
             shot();
             d.next();
             d.click("radioButton");
             d.choose("comboBox", "6.9");
             shot();
             d.next();
             shot();
             d.next();
             shot();
         }},
    };

    int saved = 0;
    int cut = 0;
    try {
        for (const Route& route : routes)
            saved += takeRoute(route, out, cut);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wizard_screenshots: %s\n", e.what());
        return 1;
    }
    std::printf("%d pages saved in %s\n", saved, qPrintable(out.absolutePath()));
    if (cut > 0) {
        std::fprintf(stderr, "wizard_screenshots: %d texts or controls are not shown whole\n", cut);
        return 1;
    }
    return 0;
}
