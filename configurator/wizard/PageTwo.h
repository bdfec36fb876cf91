// The Visual Studio page: which Visual Studio compiler personality the analyser uses.
#pragma once

#include "ui_PageTwo.h"

#include "GrowingWizardPage.h"

class PageTwo : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PageTwo(QWidget* parent = nullptr);

    // Offers the Visual Studio versions whose personalities exist; ends the process when none does.
    void initializePage() override;
    // Writes cl.bat and the Visual Studio analyser personality for the chosen version.
    bool validatePage() override;
    int nextId() const override;

private:
    Ui::PageTwoForm ui;
};
