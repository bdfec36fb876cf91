// The page that generates a VxWorks compiler personality with the personality generator.
#pragma once

#include "ui_PageFive.h"

#include <QStringList>
#include "GrowingWizardPage.h"

class PageFive : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PageFive(QWidget* parent = nullptr);

    // Offers the VxWorks versions anew.
    void initializePage() override;
    // Writes the VxWorks files and runs the generator; stays on the page when the generator fails.
    bool validatePage() override;
    int nextId() const override;

private:
    Ui::PageFiveForm ui;
    QStringList vxVersions_;
};
