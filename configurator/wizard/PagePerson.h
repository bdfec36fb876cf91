// The page that chooses the message and analyser personalities.
#pragma once

#include "ui_PagePerson.h"

#include <QString>
#include "GrowingWizardPage.h"

class PagePerson : public wizard::GrowingWizardPage {
    Q_OBJECT
public:
    explicit PagePerson(QWidget* parent = nullptr);

    // Takes "Default"/"None" or the custom paths; a custom choice needs a file delivered by Browse.
    bool validatePage() override;
    int nextId() const override;

public slots:
    void getMessPers();
    void getAnalPers();
    void changeMess();
    void changeAnal();

private:
    Ui::PagePersonForm ui;
    QString messBrowseDir_;
    QString analBrowseDir_;
};
