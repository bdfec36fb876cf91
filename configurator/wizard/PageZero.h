// The first page: which installed analyser version to configure.
#pragma once

#include "ui_PageZero.h"

#include <QWizardPage>

class PageZero : public QWizardPage {
    Q_OBJECT
public:
    // Reads the installed versions from the registry; ends the process when there is none.
    explicit PageZero(QWidget* parent = nullptr);

    bool validatePage() override;
    int nextId() const override;

private:
    Ui::PageZeroForm ui;
};
