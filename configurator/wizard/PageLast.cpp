// The summary page.
#include "PageLast.h"

#include "PageActions.h"
#include "QtStdText.h"
#include "WizardTexts.h"

PageLast::PageLast(QWidget* parent) : wizard::GrowingWizardPage(parent)
{
    ui.setupUi(this);
    setTitle(wizard::text::kTitle);
    setSubTitle(wizard::text::kSubtitleLast);
}

void PageLast::initializePage()
{
    html_ = wizard::toQt(conf::summaryHtml());
    ui.textEdit->setHtml(html_);
}
