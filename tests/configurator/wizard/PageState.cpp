// Records the checked buttons, texts and enabled controls of the current wizard page.
#include "PageState.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTextEdit>
#include <QWizard>
#include <QWizardPage>

namespace wizardtest {

namespace {

// Object names from below the page; unnamed widgets and Qt's inner widgets are not the page's own.
QString pathOf(const QWidget* widget, const QWidget* page)
{
    QStringList parts;
    for (const QWidget* w = widget; w && w != page; w = w->parentWidget())
        parts.prepend(w->objectName());
    return parts.join('/');
}

bool isOwnControl(const QWidget* widget)
{
    const QString name = widget->objectName();
    return !name.isEmpty() && !name.startsWith("qt_");
}

// Backslashes stay as they are, so that Windows paths read as they are shown.
QString quoted(QString text)
{
    text.replace('\n', "\\n");
    return '"' + text + '"';
}

// The kind of control and what it holds, or an empty text for a widget that is no control.
QString holding(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->isCheckable() ? QString(button->isChecked() ? "button checked" : "button unchecked")
                                     : QString("button");
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return "line edit " + quoted(edit->text());
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return "combo box " + quoted(combo->currentText());
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return "text box " + quoted(text->toPlainText());
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->isCheckable() ? QString(box->isChecked() ? "group checked" : "group unchecked") : QString("group");
    return {};
}

} // namespace

QString pageState(const QWizard& wizard)
{
    const QWizardPage* page = wizard.currentPage();
    if (!page)
        return "no page\n";
    const QString pageName = page->metaObject()->className();
    QString record;
    for (const QWidget* widget : page->findChildren<const QWidget*>()) {
        const QString held = holding(widget);
        if (held.isEmpty() || !isOwnControl(widget))
            continue;
        record += QString("%1/%2: %3 %4%5\n")
                      .arg(pageName, pathOf(widget, page), held, widget->isEnabled() ? "enabled" : "disabled",
                           widget->isVisibleTo(page) ? "" : " hidden");
    }
    struct Named {
        QWizard::WizardButton which;
        const char* name;
    };
    const Named buttons[] = {{QWizard::BackButton, "Back"},
                             {QWizard::NextButton, "Next"},
                             {QWizard::FinishButton, "Finish"},
                             {QWizard::CancelButton, "Cancel"}};
    QStringList shown;
    for (const Named& b : buttons) {
        const QAbstractButton* button = wizard.button(b.which);
        if (button && button->isVisible())
            shown << QString("%1 %2").arg(b.name, button->isEnabled() ? "enabled" : "disabled");
    }
    record += "wizard buttons: " + shown.join(", ") + '\n';
    return record;
}

} // namespace wizardtest
