// Measures texts against the room their widgets give them, and widgets against their parents.
#include "WidgetFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <QWidget>

namespace wizardtest {

namespace {

// "PagePerson/groupBox/customPerson": the class of unnamed widgets, from below the window.
QString nameOf(const QWidget* widget, const QWidget* window)
{
    QStringList parts;
    for (const QWidget* w = widget; w && w != window; w = w->parentWidget()) {
        const QString name = w->objectName();
        parts.prepend(name.isEmpty() || name.startsWith("qt_") ? QString(w->metaObject()->className()) : name);
    }
    return parts.join('/');
}

QString sizeText(const QSize& size)
{
    return QString("%1 x %2").arg(size.width()).arg(size.height());
}

// The room for the text, and the size the text needs in it; false for a widget without text.
bool textRoom(const QWidget* widget, QRect& room, QSize& needed)
{
    const QFontMetrics fm = widget->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty())
            return false;
        const int m = label->margin();
        room = label->contentsRect().marginsRemoved(QMargins(m, m, m, m));
        if (Qt::mightBeRichText(label->text()) && label->textFormat() != Qt::PlainText) {
            QTextDocument doc;
            doc.setDefaultFont(label->font());
            doc.setDocumentMargin(0);
            doc.setHtml(label->text());
            if (label->wordWrap())
                doc.setTextWidth(room.width());
            needed = QSize(static_cast<int>(doc.idealWidth()), static_cast<int>(doc.size().height()));
        } else if (label->wordWrap()) {
            needed = fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, label->text()).size();
        } else {
            needed = fm.size(0, label->text());
        }
        return true;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return false;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<const QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<const QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        room = button->style()->subElementRect(contents, &option, button);
        needed = fm.size(Qt::TextShowMnemonic, button->text());
        if (!button->icon().isNull())
            needed.rwidth() += button->iconSize().width() + 4;
        return true;
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
        if (box->title().isEmpty())
            return false;
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        // The style sizes the label to the title; what matters is that the box holds all of it.
        room = label.intersected(box->rect());
        needed = fm.size(Qt::TextShowMnemonic, box->title());
        return true;
    }
    return false;
}

bool isControl(const QWidget* widget)
{
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QGroupBox*>(widget);
}

// The first parent, up to the window, that does not hold all of the widget.
const QWidget* cuttingParent(const QWidget* widget, const QWidget* window)
{
    for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        const QRect inParent(widget->mapTo(parent, QPoint(0, 0)), widget->size());
        if (!parent->rect().contains(inParent))
            return parent;
        if (parent == window)
            break;
    }
    return nullptr;
}

} // namespace

QStringList cutWidgets(const QWidget* window)
{
    QStringList problems;
    for (const QWidget* widget : window->findChildren<const QWidget*>()) {
        if (!widget->isVisible() || !isControl(widget))
            continue;
        const QString name = nameOf(widget, window);
        QRect room;
        QSize needed;
        if (textRoom(widget, room, needed) && (needed.width() > room.width() || needed.height() > room.height()))
            problems << QString("%1: text needs %2, has %3").arg(name, sizeText(needed), sizeText(room.size()));
        if (const QWidget* parent = cuttingParent(widget, window))
            problems << QString("%1: cut off by %2").arg(name, parent == window ? "the window" : nameOf(parent, window));
    }
    return problems;
}

} // namespace wizardtest
