// The target platform page: Visual Studio or VxWorks.
#pragma once

#include "ui_PageOne.h"

#include "GrowingWizardPage.h"

class PageOne : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PageOne(QWidget* parent = nullptr);

    // PageTwo for Visual Studio, PageThree for VxWorks; itself while nothing is selected.
    int nextId() const override;

private:
    Ui::PageOneForm ui;
};
