// The message and analyser personality page.
#include "PagePerson.h"

#include "FileChooser.h"
#include "FormGeometryLayout.h"
#include "PageActions.h"
#include "PageIds.h"
#include "QtStdText.h"
#include "WizardTexts.h"

PagePerson::PagePerson(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    // The form places its widgets by hand; they keep their places and grow to fit their text.
    new wizard::FormGeometryLayout(ui.groupBox);
    new wizard::FormGeometryLayout(ui.groupBox_2);
    new wizard::FormGeometryLayout(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitlePerson);
    connect(ui.browseMess, &QPushButton::clicked, this, &PagePerson::getMessPers);
    connect(ui.browseAnal, &QPushButton::clicked, this, &PagePerson::getAnalPers);
    connect(ui.defaultPerson, &QRadioButton::clicked, this, &PagePerson::changeMess);
    connect(ui.customPerson, &QRadioButton::clicked, this, &PagePerson::changeMess);
    connect(ui.noneAnal, &QRadioButton::clicked, this, &PagePerson::changeAnal);
    connect(ui.customAnal, &QRadioButton::clicked, this, &PagePerson::changeAnal);
}

void PagePerson::getMessPers()
{
    wizard::browseInto(this, wizard::text::kCaptionMessagePersonality, wizard::text::kFilterMessagePersonality,
                       ui.messPerson, messBrowseDir_);
}

void PagePerson::getAnalPers()
{
    wizard::browseInto(this, wizard::text::kCaptionAnalyserPersonality, wizard::text::kFilterAnalyserPersonality,
                       ui.analPerson, analBrowseDir_);
}

void PagePerson::changeMess()
{
    const bool custom = ui.customPerson->isChecked();
    ui.messPerson->setEnabled(custom);
    ui.browseMess->setEnabled(custom);
}

void PagePerson::changeAnal()
{
    const bool custom = ui.customAnal->isChecked();
    ui.analPerson->setEnabled(custom);
    ui.browseAnal->setEnabled(custom);
}

bool PagePerson::validatePage()
{
    conf::PersonChoice choice;
    choice.customMessage = ui.customPerson->isChecked();
    choice.messageBrowseDir = wizard::toStd(messBrowseDir_);
    choice.messageText = wizard::toStd(ui.messPerson->text());
    choice.customAnalyser = ui.customAnal->isChecked();
    choice.analyserBrowseDir = wizard::toStd(analBrowseDir_);
    choice.analyserText = wizard::toStd(ui.analPerson->text());
    return conf::validatePagePerson(choice);
}

int PagePerson::nextId() const
{
    return conf::nextPageId(conf::PagePersonId);
}
