// A wizard page whose given size is a minimum: it grows to what the wizard's pages need.
#pragma once

#include <QSize>
#include <QWizardPage>

namespace wizard {

// The pages were laid out for one platform's fonts. On others their widgets need more room, so the
// size a page is given is only its least size. All pages of a wizard share one size, the largest
// that any of them needs, so that the window keeps its size from page to page.
class GrowingWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit GrowingWizardPage(QWidget* parent = nullptr);

    // The size the page was designed for; an empty size (the default) adds nothing to the hints.
    void setGivenSize(const QSize& size);
    QSize givenSize() const { return given_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    // What this page alone needs: its layout's hints grown to its given size.
    QSize ownSizeHint() const;
    QSize ownMinimumSizeHint() const;

    QSize given_{0, 0};
};

} // namespace wizard
