// The generated compiler personality page.
#include "PageFive.h"

#include "PageActions.h"
#include "PageIds.h"
#include "QtStdText.h"
#include "WizardTexts.h"

PageFive::PageFive(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleFive);
    for (const std::string& version : conf::vxWorksVersions())
        vxVersions_.append(wizard::toQt(version));
    registerField("vxver", ui.comboBox);
}

void PageFive::initializePage()
{
    ui.comboBox->clear();
    ui.comboBox->addItems(vxVersions_);
}

bool PageFive::validatePage()
{
    return conf::validatePageFive(field("vxver").toInt(), ui.radioButton->isChecked());
}

int PageFive::nextId() const
{
    return conf::nextPageId(conf::PageFiveId);
}
