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

MyWizard::MyWizard(QWidget* parent) : QWizard(parent)
{
    setWizardStyle(QWizard::ModernStyle);
    setPixmap(QWizard::LogoPixmap, QPixmap(wizard::text::kLogoResource));
    setOptions(QWizard::NoBackButtonOnStartPage);
    setFixedSize(450, 280);
    setWindowTitle(wizard::text::kTitle);
}

void MyWizard::addPages()
{
    // Constructed in id order: PageZero first, because it decides whether there is anything to do.
    QWizardPage* const pages[conf::PageCount] = {
        new PageZero, new PageOne, new PageTwo, new PageThree, new PageFour,
        new PageFive, new PageSix, new PagePerson, new PageLast,
    };
    for (int id = 0; id < conf::PageCount; ++id) {
        if (id == conf::PageLastId)
            pages[id]->setFixedSize(430, 140);
        else
            pages[id]->setFixedSize(430, 280);
        setPage(id, pages[id]);
    }
}

void MyWizard::accept()
{
    conf::finishWizard();
    QWizard::accept();
}
