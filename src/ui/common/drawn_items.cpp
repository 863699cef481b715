// SPDX-License-Identifier: MIT
#include "ui/common/drawn_items.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

namespace tavimo::ui {

namespace {

const DrawnItems* drawnItemsOf(const QWidget* widget) { return dynamic_cast<const DrawnItems*>(widget); }

// One drawn element for a screen reader: a graphic with a name and a place, read live.
class DrawnItemAccessible : public QAccessibleInterface {
public:
    DrawnItemAccessible(QWidget* widget, std::size_t index) : widget_(widget), index_(index) {}

    bool isValid() const override { return items() && index_ < items()->drawnCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return widget_ ? widget_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(widget_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) return items()->drawnName(index_);
        if (t == QAccessible::Description) return items()->drawnDescription(index_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = items()->drawnRect(index_).toAlignedRect();
        return QRect(widget_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return isValid() ? items()->drawnRole(index_) : QAccessible::Graphic; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !isValid();
        return s;
    }

private:
    const DrawnItems* items() const { return widget_ ? drawnItemsOf(widget_) : nullptr; }

    QPointer<QWidget> widget_;
    std::size_t index_;
};

// The picture as a whole: its children are the drawn elements.
class DrawnItemsAccessible : public QAccessibleWidget {
public:
    DrawnItemsAccessible(QWidget* widget, const DrawnItems* items)
        : QAccessibleWidget(widget, QAccessible::Chart), items_(items) {}

    int childCount() const override { return int(items_->drawnCount()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return items_->accessibleItem(std::size_t(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (items_->accessibleItem(std::size_t(i)) == child) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const std::optional<std::size_t> index = items_->drawnAt(widget()->mapFromGlobal(QPoint(x, y)));
        return index ? items_->accessibleItem(*index) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return items_->drawnTitle();
        return QAccessibleWidget::text(t);
    }

private:
    const DrawnItems* items_;
};

QAccessibleInterface* drawnItemsFactory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const DrawnItems* items = drawnItemsOf(widget);
    return items ? new DrawnItemsAccessible(widget, items) : nullptr;
}

}  // namespace

DrawnItems::DrawnItems() {
    static const bool installed = [] {
        QAccessible::installFactory(drawnItemsFactory);
        return true;
    }();
    (void)installed;
}

DrawnItems::~DrawnItems() {
    for (QAccessible::Id id : accessibleItems_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* DrawnItems::accessibleItem(std::size_t index) const {
    auto* widget = const_cast<QWidget*>(dynamic_cast<const QWidget*>(this));
    while (accessibleItems_.size() <= index)
        accessibleItems_.push_back(
            QAccessible::registerAccessibleInterface(new DrawnItemAccessible(widget, accessibleItems_.size())));
    return QAccessible::accessibleInterface(accessibleItems_[index]);
}

}  // namespace tavimo::ui
