// Wizard pages that keep their given size as a minimum and share one size.
#include "GrowingWizardPage.h"

#include <QWizard>

namespace wizard {

namespace {

// The hint grown to that of every other growing page of the same wizard.
template <class OwnHint>
QSize largestOfWizard(const QWizard* w, QSize hint, OwnHint own)
{
    if (w) {
        for (int id : w->pageIds()) {
            if (const auto* page = qobject_cast<const GrowingWizardPage*>(w->page(id)))
                hint = hint.expandedTo(own(page));
        }
    }
    return hint;
}

} // namespace

GrowingWizardPage::GrowingWizardPage(QWidget* parent) : QWizardPage(parent) {}

void GrowingWizardPage::setGivenSize(const QSize& size)
{
    given_ = size;
    updateGeometry();
}

QSize GrowingWizardPage::ownSizeHint() const
{
    return QWizardPage::sizeHint().expandedTo(given_);
}

QSize GrowingWizardPage::ownMinimumSizeHint() const
{
    return QWizardPage::minimumSizeHint().expandedTo(given_);
}

QSize GrowingWizardPage::sizeHint() const
{
    return largestOfWizard(wizard(), ownSizeHint(), [](const GrowingWizardPage* p) { return p->ownSizeHint(); });
}

QSize GrowingWizardPage::minimumSizeHint() const
{
    return largestOfWizard(wizard(), ownMinimumSizeHint(),
                           [](const GrowingWizardPage* p) { return p->ownMinimumSizeHint(); });
}

} // namespace wizard
