// The configurator's wizard window: its look, its pages and the work done at Finish.
#pragma once

#include <QWizard>

class MyWizard : public QWizard {
    Q_OBJECT
public:
    // Modern style, the logo, no Back button on the start page, fixed 450 x 280, the title.
    explicit MyWizard(QWidget* parent = nullptr);

    // Constructs the nine pages in id order (PageZero reads the registry and may end the process)
    // and registers them under their ids.
    void addPages();

    // Finish: writes the remaining files, then closes the wizard.
    void accept() override;
};
