// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace tavimo::ui {

// A widget that paints elements a screen reader meets one by one (the chart's bars,
// the diagram's signals and bands): what each one is and where it stands. The widget
// derives from this beside QWidget, and Qt then gives it the accessible interface of a
// chart whose children are those elements.
class DrawnItems {
public:
    DrawnItems();
    virtual ~DrawnItems();
    DrawnItems(const DrawnItems&) = delete;
    DrawnItems& operator=(const DrawnItems&) = delete;

    // What the whole picture is called ("Ring-barrier chart").
    virtual QString drawnTitle() const = 0;
    virtual std::size_t drawnCount() const = 0;
    virtual QString drawnName(std::size_t index) const = 0;
    virtual QString drawnDescription(std::size_t index) const = 0;
    // In the widget's own pixels.
    virtual QRectF drawnRect(std::size_t index) const = 0;
    virtual QAccessible::Role drawnRole(std::size_t) const { return QAccessible::Graphic; }
    // The element a pointer at `point` meets, if any.
    virtual std::optional<std::size_t> drawnAt(QPointF point) const = 0;

    // The accessible child of the element at `index`: one per place, made when first
    // asked for and reading the element there, whatever it is now, so that it follows
    // every redraw; freed with the widget.
    QAccessibleInterface* accessibleItem(std::size_t index) const;

private:
    mutable std::vector<QAccessible::Id> accessibleItems_;
};

}  // namespace tavimo::ui
