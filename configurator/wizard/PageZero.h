// The first page: which installed analyser version to configure.
#pragma once

#include "ui_PageZero.h"

#include "GrowingWizardPage.h"

class PageZero : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    // Reads the installed versions from the registry; ends the process when there is none.
    explicit PageZero(QWidget* parent = nullptr);

    bool validatePage() override;
    int nextId() const override;

private:
    Ui::PageZeroForm ui;
};
