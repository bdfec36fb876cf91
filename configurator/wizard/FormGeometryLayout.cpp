// Hand-placed form widgets kept in place and grown to their size hints.
#include "FormGeometryLayout.h"

#include <QWidget>
#include <QWidgetItem>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace wizard {

FormGeometryLayout::FormGeometryLayout(QWidget* form) : QLayout(form), givenFormSize_(form->size())
{
    setContentsMargins(0, 0, 0, 0);
    for (QObject* child : form->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow())
            entries_.append({new QWidgetItem(widget), widget->geometry()});
    }
}

FormGeometryLayout::~FormGeometryLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FormGeometryLayout::addItem(QLayoutItem* item)
{
    const QWidget* widget = item->widget();
    entries_.append({item, widget ? widget->geometry() : QRect(QPoint(0, 0), item->sizeHint())});
}

QLayoutItem* FormGeometryLayout::itemAt(int index) const
{
    return index >= 0 && index < entries_.size() ? entries_[index].item : nullptr;
}

QLayoutItem* FormGeometryLayout::takeAt(int index)
{
    if (index < 0 || index >= entries_.size())
        return nullptr;
    return entries_.takeAt(index).item;
}

int FormGeometryLayout::count() const
{
    return static_cast<int>(entries_.size());
}

QList<QRect> FormGeometryLayout::arrange(QSize& formSize) const
{
    const std::size_t n = static_cast<std::size_t>(entries_.size());
    QList<QRect> placed;
    formSize = givenFormSize_;
    if (n == 0)
        return placed;

    std::vector<QSize> sizes;
    for (const Entry& e : entries_)
        sizes.push_back(e.given.size().expandedTo(e.item->sizeHint()).expandedTo(e.item->minimumSize()));

    // Rows, top to bottom: an entry joins the row it lies beside, else it opens the next row.
    std::vector<std::size_t> byCentre(n);
    std::iota(byCentre.begin(), byCentre.end(), std::size_t{0});
    std::stable_sort(byCentre.begin(), byCentre.end(), [this](std::size_t a, std::size_t b) {
        return entries_[static_cast<int>(a)].given.center().y() < entries_[static_cast<int>(b)].given.center().y();
    });
    std::vector<std::vector<std::size_t>> rows;
    for (std::size_t i : byCentre) {
        const QRect& g = entries_[static_cast<int>(i)].given;
        if (!rows.empty()) {
            const QRect& first = entries_[static_cast<int>(rows.back().front())].given;
            if (std::abs(g.center().y() - first.center().y()) <= std::min(g.height(), first.height()) / 2) {
                rows.back().push_back(i);
                continue;
            }
        }
        rows.push_back({i});
    }

    // Below the form's own margins (a group box's title), then every row moved down by the growth
    // of the rows above it and every entry right by the growth of those on its left.
    const QMargins margins = parentWidget() ? parentWidget()->contentsMargins() : QMargins();
    int minLeft = entries_.front().given.left();
    int minTop = entries_.front().given.top();
    int givenRight = 0;
    int givenBottom = 0;
    for (const Entry& e : entries_) {
        minLeft = std::min(minLeft, e.given.left());
        minTop = std::min(minTop, e.given.top());
        givenRight = std::max(givenRight, e.given.left() + e.given.width());
        givenBottom = std::max(givenBottom, e.given.top() + e.given.height());
    }
    const int dx = std::max(0, margins.left() - minLeft);
    int down = std::max(0, margins.top() - minTop);

    std::vector<QRect> rects(n);
    for (std::vector<std::size_t>& row : rows) {
        std::stable_sort(row.begin(), row.end(), [this](std::size_t a, std::size_t b) {
            return entries_[static_cast<int>(a)].given.left() < entries_[static_cast<int>(b)].given.left();
        });
        int right = dx;
        int grownDown = 0;
        for (std::size_t i : row) {
            const QRect& g = entries_[static_cast<int>(i)].given;
            rects[i] = QRect(QPoint(g.left() + right, g.top() + down), sizes[i]);
            right += sizes[i].width() - g.width();
            grownDown = std::max(grownDown, sizes[i].height() - g.height());
        }
        down += grownDown;
    }

    int neededRight = 0;
    int neededBottom = 0;
    for (const QRect& r : rects) {
        neededRight = std::max(neededRight, r.left() + r.width());
        neededBottom = std::max(neededBottom, r.top() + r.height());
    }
    formSize = givenFormSize_.expandedTo(QSize(neededRight + givenFormSize_.width() - givenRight,
                                               neededBottom + givenFormSize_.height() - givenBottom));
    for (const QRect& r : rects)
        placed.append(r);
    return placed;
}

QSize FormGeometryLayout::sizeHint() const
{
    QSize formSize;
    arrange(formSize);
    // The caller adds the form's own margins back.
    const QMargins margins = parentWidget() ? parentWidget()->contentsMargins() : QMargins();
    return formSize.shrunkBy(margins);
}

QSize FormGeometryLayout::minimumSize() const
{
    return sizeHint();
}

void FormGeometryLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    QSize formSize;
    const QList<QRect> rects = arrange(formSize);
    // Widgets are placed as the form places them by hand: at exactly that rectangle, whatever their
    // size policies would make of it.
    for (int i = 0; i < entries_.size(); ++i) {
        if (QWidget* widget = entries_[i].item->widget())
            widget->setGeometry(rects[i]);
        else
            entries_[i].item->setGeometry(rects[i]);
    }
}

} // namespace wizard
