// The existing compiler personality page.
#include "PageFour.h"

#include "FileChooser.h"
#include "PageActions.h"
#include "PageIds.h"
#include "QtStdText.h"
#include "WizardTexts.h"

PageFour::PageFour(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleCompilerPersonality);
    registerField("vxworks_person", ui.lineEdit);
    connect(ui.pushButton, &QPushButton::clicked, this, &PageFour::get_Pers_File);
}

void PageFour::get_Pers_File()
{
    wizard::browseInto(this, wizard::text::kCaptionCompilerPersonality,
                       wizard::text::kFilterCompilerPersonality, ui.lineEdit, browseDir_);
}

bool PageFour::validatePage()
{
    marker_ = wizard::toQt(conf::validatePageFour(wizard::toStd(field("vxworks_person").toString())));
    return true;
}

int PageFour::nextId() const
{
    conf::PageChoice choice;
    choice.marker = wizard::toStd(marker_);
    return conf::nextPageId(conf::PageFourId, choice);
}
