// The page that takes an existing VxWorks compiler personality file.
#pragma once

#include "ui_PageFour.h"

#include <QString>
#include "GrowingWizardPage.h"

class PageFour : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PageFour(QWidget* parent = nullptr);

    // Detects the compiler of the chosen personality and writes the VxWorks files.
    bool validatePage() override;
    // PageSix when the compiler could not be detected, else PagePerson.
    int nextId() const override;

public slots:
    void get_Pers_File();

private:
    Ui::PageFourForm ui;
    QString browseDir_;
    QString marker_; // non-empty when the compiler of the personality is unknown
};
