// The target platform page.
#include "PageOne.h"

#include "PageIds.h"
#include "WizardTexts.h"

PageOne::PageOne(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleOne);
}

int PageOne::nextId() const
{
    conf::PageChoice choice;
    choice.firstSelected = ui.radioButton->isChecked();
    choice.secondSelected = ui.radioButton_2->isChecked();
    return conf::nextPageId(conf::PageOneId, choice);
}
