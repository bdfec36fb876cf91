// The configurator's wizard window.
#include "MyWizard.h"

#include "PageActions.h"
#include "PageFive.h"
#include "PageFour.h"
#include "PageIds.h"
#include "PageLast.h"
#include "PageOne.h"
#include "PagePerson.h"
#include "PageSix.h"
#include "PageThree.h"
#include "PageTwo.h"
#include "PageZero.h"
#include "WizardTexts.h"

#include <QPixmap>

namespace {

// The sizes the window and the pages were designed for, kept as their least sizes.
const QSize kGivenWizardSize(450, 280);
const QSize kGivenPageSize(430, 280);
const QSize kGivenLastPageSize(430, 140);

} // namespace

MyWizard::MyWizard(QWidget* parent) : QWizard(parent)
{
    setWizardStyle(QWizard::ModernStyle);
    setPixmap(QWizard::LogoPixmap, QPixmap(wizard::text::kLogoResource));
    setOptions(QWizard::NoBackButtonOnStartPage);
    setWindowTitle(wizard::text::kTitle);
}

void MyWizard::addPages()
{
    // Constructed in id order: PageZero first, because it decides whether there is anything to do.
    wizard::GrowingWizardPage* const pages[conf::PageCount] = {
        new PageZero, new PageOne, new PageTwo, new PageThree, new PageFour,
        new PageFive, new PageSix, new PagePerson, new PageLast,
    };
    for (int id = 0; id < conf::PageCount; ++id) {
        pages[id]->setGivenSize(id == conf::PageLastId ? kGivenLastPageSize : kGivenPageSize);
        setPage(id, pages[id]);
    }
}

void MyWizard::accept()
{
    conf::finishWizard();
    QWizard::accept();
}

QSize MyWizard::sizeHint() const
{
    return QWizard::sizeHint().expandedTo(kGivenWizardSize);
}
