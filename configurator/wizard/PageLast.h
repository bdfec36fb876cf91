// The summary page: what was configured.
#pragma once

#include "ui_PageLast.h"

#include <QString>
#include "GrowingWizardPage.h"

class PageLast : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PageLast(QWidget* parent = nullptr);

    // Builds the summary anew each time the page is entered.
    void initializePage() override;

    // The HTML last put into the summary box, as it was built.
    const QString& summaryHtml() const { return html_; }

private:
    Ui::PageLastForm ui;
    QString html_;
};
