// Drives a MyWizard click by click, as a user would, for the GUI tests and the screenshot tour.
#pragma once

#include "MyWizard.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace wizardtest {

class WizardDriver {
public:
    // Builds the wizard with its nine pages (PageZero reads the registry) and shows it.
    WizardDriver();
    ~WizardDriver();
    WizardDriver(const WizardDriver&) = delete;
    WizardDriver& operator=(const WizardDriver&) = delete;

    MyWizard& wizard() { return *wizard_; }
    int currentId() const { return wizard_->currentId(); }
    // The ids of the pages entered so far, in order (the wizard's history).
    QList<int> visited() const { return wizard_->visitedIds(); }

    // The widget of that object name on the current page; throws when there is none.
    QWidget* widget(const char* objectName) const;
    // Clicks the widget of that object name on the current page.
    void click(const char* objectName);
    // Replaces the text of a line edit on the current page, as typing would.
    void type(const char* objectName, const QString& text);
    // Makes the entry with that text current in a combo box of the current page.
    void choose(const char* objectName, const QString& text);
    // The entries of a combo box of the current page.
    QStringList entries(const char* objectName) const;

    void next();
    void back();
    void finish();
    void cancel();
    // True once Finish or Cancel closed the wizard.
    bool closed() const { return !wizard_->isVisible(); }

private:
    void pressButton(int which);

    std::unique_ptr<MyWizard> wizard_;
};

// Makes every Browse dialog answer the given paths in turn (an empty path: the user cancelled),
// and restores the system dialog on destruction.
class ScriptedChooser {
public:
    explicit ScriptedChooser(QStringList answers = {});
    ~ScriptedChooser();
    ScriptedChooser(const ScriptedChooser&) = delete;
    ScriptedChooser& operator=(const ScriptedChooser&) = delete;

    void answer(const QString& path) { answers_.append(path); }
    // The captions the dialogs were opened with, in order.
    const QStringList& captions() const { return captions_; }
    const QStringList& filters() const { return filters_; }
    const QStringList& startDirs() const { return startDirs_; }

private:
    QStringList answers_;
    QStringList captions_;
    QStringList filters_;
    QStringList startDirs_;
};

} // namespace wizardtest
