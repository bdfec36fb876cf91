// The compiler choice page for an undetected personality.
#include "PageSix.h"

#include "PageActions.h"
#include "PageIds.h"
#include "QtStdText.h"
#include "WizardTexts.h"

PageSix::PageSix(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleCompilerPersonality);
}

bool PageSix::validatePage()
{
    return conf::validatePageSix(ui.radioButton->isChecked(), ui.radioButton_2->isChecked(),
                                 wizard::toStd(field("vxworks_person").toString()));
}

int PageSix::nextId() const
{
    return conf::nextPageId(conf::PageSixId);
}
