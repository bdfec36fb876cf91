// The page that asks whether the user already has a VxWorks compiler personality.
#pragma once

#include "ui_PageThree.h"

#include "GrowingWizardPage.h"

class PageThree : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PageThree(QWidget* parent = nullptr);

    // PageFour with a personality, PageFive without; itself while nothing is selected.
    int nextId() const override;

private:
    Ui::PageThreeForm ui;
};
