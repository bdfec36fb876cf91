// The configurator's wizard window: its look, its pages and the work done at Finish.
#pragma once

#include <QWizard>

class MyWizard : public QWizard {
    Q_OBJECT
public:
    // Modern style, the logo, no Back button on the start page, the title. The window was designed
    // at 450 x 280; that is its least size, and it grows to what its pages need on this platform.
    explicit MyWizard(QWidget* parent = nullptr);

    // Constructs the nine pages in id order (PageZero reads the registry and may end the process)
    // and registers them under their ids, each with its designed size (430 x 280, the summary
    // 430 x 140) as its least size.
    void addPages();

    // Finish: writes the remaining files, then closes the wizard.
    void accept() override;

    QSize sizeHint() const override;
};
