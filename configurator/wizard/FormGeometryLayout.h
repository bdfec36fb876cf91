// A layout for forms drawn with fixed positions: widgets keep their places, grown to fit their text.
#pragma once

#include <QLayout>
#include <QList>
#include <QRect>
#include <QSize>

namespace wizard {

// Takes over the direct child widgets of a form that places them by hand. Each widget keeps the
// position and size the form gives it as long as its size hint fits; a widget whose hint is larger
// grows to it, and the widgets on its right in the same row, and the rows below, move by as much as
// it grew. The form's own size stays its minimum, and it grows by what its widgets need.
//
// Rows are the widgets whose vertical centres lie within the smaller of their heights, halved,
// of each other; so a button a few pixels taller than the line edit beside it shares its row.
class FormGeometryLayout : public QLayout {
public:
    // Installs itself on `form`, taking every direct child widget with its current geometry as the
    // given one, in the order of creation, and the form's current size as its given size.
    explicit FormGeometryLayout(QWidget* form);
    ~FormGeometryLayout() override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return {}; }

private:
    struct Entry {
        QLayoutItem* item;
        QRect given; // in the form's coordinates
    };
    // Where every entry goes, in the form's coordinates, and the size the form needs for them.
    QList<QRect> arrange(QSize& formSize) const;

    QList<Entry> entries_;
    QSize givenFormSize_;
};

} // namespace wizard
