// The have / do not have a compiler personality page.
#include "PageThree.h"

#include "PageIds.h"
#include "WizardTexts.h"

PageThree::PageThree(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleCompilerPersonality);
}

int PageThree::nextId() const
{
    conf::PageChoice choice;
    choice.firstSelected = ui.radioButton->isChecked();
    choice.secondSelected = ui.radioButton_2->isChecked();
    return conf::nextPageId(conf::PageThreeId, choice);
}
