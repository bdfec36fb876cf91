// The configurator's start-up, in the order the wizard depends on.
#include "WizardStartup.h"

#include "MyWizard.h"
#include "WizardTexts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The resource block lives in this static library, so it has to be registered by hand (outside any
// namespace: the macro declares the registration function where it stands).
static void initCompiledResources()
{
    Q_INIT_RESOURCE(zembrelconf);
}

namespace wizard {

void registerResources()
{
    initCompiledResources();
}

int runZembrelConf(int& argc, char** argv)
{
    registerResources();
    QApplication app(argc, argv);

    // Qt's own texts in the user's language, when a translation for it is installed.
    QTranslator translator;
    if (translator.load(QString(text::kTranslatorPrefix) + QLocale::system().name(),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    MyWizard wizard;
    wizard.addPages();
    wizard.show();
    return QApplication::exec();
}

} // namespace wizard
