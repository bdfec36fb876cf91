// The page that asks for the compiler of a personality whose compiler could not be detected.
#pragma once

#include "ui_PageSix.h"

#include "GrowingWizardPage.h"

class PageSix : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PageSix(QWidget* parent = nullptr);

    // Writes the VxWorks files for the chosen compiler; stays on the page while none is chosen.
    bool validatePage() override;
    int nextId() const override;

private:
    Ui::PageSixForm ui;
};
