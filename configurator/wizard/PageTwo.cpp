// The Visual Studio version page.
#include "PageTwo.h"

#include "PageActions.h"
#include "PageIds.h"
#include "QtStdText.h"
#include "WizardTexts.h"

PageTwo::PageTwo(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleCompilerPersonality);
}

void PageTwo::initializePage()
{
    const std::vector<std::string> labels = conf::pageTwoVsVersions();
    ui.comboBox->clear();
    for (const std::string& label : labels)
        ui.comboBox->addItem(wizard::toQt(label));
    ui.comboBox->setCurrentIndex(0);
}

bool PageTwo::validatePage()
{
    conf::validatePageTwo(wizard::toStd(ui.comboBox->currentText()));
    return true;
}

int PageTwo::nextId() const
{
    return conf::nextPageId(conf::PageTwoId);
}
