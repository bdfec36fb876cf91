// Drives a MyWizard click by click.
#include "WizardDriver.h"

#include "FileChooser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QWizardPage>

#include <stdexcept>

namespace wizardtest {

WizardDriver::WizardDriver() : wizard_(std::make_unique<MyWizard>())
{
    wizard_->addPages();
    wizard_->show();
    // A window takes a while to come up the first time under Wine on a virtual X server.
    if (!QTest::qWaitForWindowExposed(wizard_.get(), 30000))
        throw std::runtime_error("the wizard window was never shown");
}

WizardDriver::~WizardDriver() = default;

QWidget* WizardDriver::widget(const char* objectName) const
{
    QWizardPage* page = wizard_->currentPage();
    QWidget* found = page ? page->findChild<QWidget*>(QString::fromLatin1(objectName)) : nullptr;
    if (!found)
        throw std::runtime_error(std::string("no widget ") + objectName + " on the current page");
    return found;
}

void WizardDriver::click(const char* objectName)
{
    QWidget* target = widget(objectName);
    // A radio button reacts only to clicks on its indicator and text, which sit at its left end.
    const QPoint at = qobject_cast<QRadioButton*>(target) ? QPoint(8, target->height() / 2) : target->rect().center();
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
}

void WizardDriver::type(const char* objectName, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(widget(objectName));
    if (!edit)
        throw std::runtime_error(std::string(objectName) + " is not a line edit");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void WizardDriver::choose(const char* objectName, const QString& text)
{
    auto* combo = qobject_cast<QComboBox*>(widget(objectName));
    const int index = combo ? combo->findText(text) : -1;
    if (index < 0)
        throw std::runtime_error(std::string(objectName) + " offers no " + text.toStdString());
    combo->setCurrentIndex(index);
}

QStringList WizardDriver::entries(const char* objectName) const
{
    auto* combo = qobject_cast<QComboBox*>(widget(objectName));
    if (!combo)
        throw std::runtime_error(std::string(objectName) + " is not a combo box");
    QStringList all;
    for (int i = 0; i < combo->count(); ++i)
        all.append(combo->itemText(i));
    return all;
}

void WizardDriver::pressButton(int which)
{
    QAbstractButton* button = wizard_->button(static_cast<QWizard::WizardButton>(which));
    if (!button || !button->isVisible() || !button->isEnabled())
        throw std::runtime_error("the wizard button is not available on page " +
                                 std::to_string(wizard_->currentId()));
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QApplication::processEvents();
}

void WizardDriver::next() { pressButton(QWizard::NextButton); }
void WizardDriver::back() { pressButton(QWizard::BackButton); }
void WizardDriver::finish() { pressButton(QWizard::FinishButton); }
void WizardDriver::cancel() { pressButton(QWizard::CancelButton); }

ScriptedChooser::ScriptedChooser(QStringList answers) : answers_(std::move(answers))
{
    wizard::setFileChooser([this](QWidget*, const QString& caption, const QString& startDir,
                                  const QString& filter) {
        captions_.append(caption);
        filters_.append(filter);
        startDirs_.append(startDir);
        return answers_.isEmpty() ? QString() : answers_.takeFirst();
    });
}

ScriptedChooser::~ScriptedChooser()
{
    wizard::setFileChooser({});
}

} // namespace wizardtest
