// The target platform page: Visual Studio or VxWorks.
#pragma once

#include "ui_PageOne.h"

#include <QWizardPage>

class PageOne : public QWizardPage {
    Q_OBJECT
public:
    explicit PageOne(QWidget* parent = nullptr);

    // PageTwo for Visual Studio, PageThree for VxWorks; itself while nothing is selected.
    int nextId() const override;

private:
    Ui::PageOneForm ui;
};
