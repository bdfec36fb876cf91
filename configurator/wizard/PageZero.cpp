// The analyser version page: the accepted versions, the preselection and the path lookup.
#include "PageZero.h"

#include "PageActions.h"
#include "PageIds.h"
#include "QtStdText.h"
#include "WizardTexts.h"

PageZero::PageZero(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleZero);

    const std::vector<std::string>& versions = conf::loadVelcppVersions();
    for (const std::string& version : versions)
        ui.comboBox->addItem(wizard::toQt(version));
    ui.comboBox->setCurrentIndex(conf::preselectedVersionIndex(versions));
    registerField("velcpp_ver", ui.comboBox);
}

bool PageZero::validatePage()
{
    conf::validatePageZero(field("velcpp_ver").toInt());
    return true;
}

int PageZero::nextId() const
{
    return conf::nextPageId(conf::PageZeroId);
}
