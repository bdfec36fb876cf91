// The page that asks whether the user already has a VxWorks compiler personality.
#pragma once

#include "ui_PageThree.h"

#include <QWizardPage>

class PageThree : public QWizardPage {
    Q_OBJECT
public:
    explicit PageThree(QWidget* parent = nullptr);

    // PageFour with a personality, PageFive without; itself while nothing is selected.
    int nextId() const override;

private:
    Ui::PageThreeForm ui;
};
