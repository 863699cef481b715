// SPDX-License-Identifier: MIT
#include "ui/corridor/time_space_view.h"

#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

#include <vector>

#include "calc/time_space.h"
#include "draw/time_space_painter.h"
#include "draw/time_space_scene.h"

namespace tavimo::ui {

struct TimeSpaceView::State {
    TimeSpaceDiagram diagram;
    TimeSpaceFrame frame;
    std::vector<TimeSpaceItem> items;
    std::vector<QAccessible::Id> accessible;
    std::optional<std::size_t> dragged;
    double pressedAt = 0;
};

namespace {

// One signal or band for a screen reader, read live from the view.
class TimeSpaceItemAccessible : public QAccessibleInterface {
public:
    TimeSpaceItemAccessible(TimeSpaceView* view, std::size_t index) : view_(view), index_(index) {}

    bool isValid() const override { return view_ && index_ < view_->itemCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) return view_->item(index_).name;
        if (t == QAccessible::Description) return QString::fromStdString(view_->item(index_).id);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = view_->item(index_).rect.toAlignedRect();
        return QRect(view_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !isValid();
        return s;
    }

private:
    QPointer<TimeSpaceView> view_;
    std::size_t index_;
};

class TimeSpaceViewAccessible : public QAccessibleWidget {
public:
    explicit TimeSpaceViewAccessible(TimeSpaceView* view) : QAccessibleWidget(view, QAccessible::Chart) {}

    int childCount() const override { return int(view()->itemCount()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return view()->accessibleItem(std::size_t(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (view()->accessibleItem(std::size_t(i)) == child) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto index = view()->signalAt(view()->mapFromGlobal(QPoint(x, y)));
        return index ? view()->accessibleItem(*index) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QStringLiteral("Time-space diagram");
        return QAccessibleWidget::text(t);
    }

private:
    TimeSpaceView* view() const { return static_cast<TimeSpaceView*>(widget()); }
};

QAccessibleInterface* viewFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("tavimo::ui::TimeSpaceView") && object && object->isWidgetType())
        return new TimeSpaceViewAccessible(static_cast<TimeSpaceView*>(object));
    return nullptr;
}

}  // namespace

TimeSpaceView::TimeSpaceView(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>()) {
    static const bool installed = [] {
        QAccessible::installFactory(viewFactory);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("timeSpace"));
    setMinimumSize(480, 320);
    setMouseTracking(false);
}

TimeSpaceView::~TimeSpaceView() {
    for (QAccessible::Id id : state_->accessible) QAccessible::deleteAccessibleInterface(id);
}

void TimeSpaceView::setDiagram(const TimeSpaceDiagram& diagram) {
    const std::size_t before = state_->items.size();
    state_->diagram = diagram;
    layOut();
    update();
    if (QAccessible::isActive() && before != state_->items.size()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

void TimeSpaceView::layOut() {
    state_->frame = timeSpaceFrame(state_->diagram, size());
    state_->items = timeSpaceItems(state_->diagram, state_->frame);
}

std::size_t TimeSpaceView::itemCount() const { return state_->items.size(); }
const TimeSpaceItem& TimeSpaceView::item(std::size_t index) const { return state_->items.at(index); }

QAccessibleInterface* TimeSpaceView::accessibleItem(std::size_t index) const {
    while (state_->accessible.size() <= index)
        state_->accessible.push_back(QAccessible::registerAccessibleInterface(
            new TimeSpaceItemAccessible(const_cast<TimeSpaceView*>(this), state_->accessible.size())));
    return QAccessible::accessibleInterface(state_->accessible[index]);
}

std::optional<std::size_t> TimeSpaceView::signalAt(QPointF point) const {
    const TimeSpaceItem* item = timeSpaceSignalAt(state_->items, point);
    if (!item) return std::nullopt;
    return std::size_t(item - state_->items.data());
}

double TimeSpaceView::secondsPerPixel() const {
    return state_->frame.plot.width() > 0 ? state_->frame.span / state_->frame.plot.width() : 0;
}

void TimeSpaceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintTimeSpace(painter, state_->diagram, state_->frame, state_->items, font());
}

void TimeSpaceView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void TimeSpaceView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    if (const auto index = signalAt(event->position())) {
        state_->dragged = state_->items[*index].index;
        state_->pressedAt = state_->frame.timeAt(event->position().x());
        setCursor(Qt::SizeHorCursor);
    }
}

void TimeSpaceView::mouseMoveEvent(QMouseEvent* event) {
    if (!state_->dragged || !onDrag) return QWidget::mouseMoveEvent(event);
    onDrag(*state_->dragged, state_->frame.timeAt(event->position().x()) - state_->pressedAt);
}

void TimeSpaceView::mouseReleaseEvent(QMouseEvent* event) {
    if (!state_->dragged) return QWidget::mouseReleaseEvent(event);
    state_->dragged.reset();
    unsetCursor();
    if (onDragEnd) onDragEnd();
}

bool TimeSpaceView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto index = signalAt(help->pos());
        if (index) QToolTip::showText(help->globalPos(), state_->items[*index].name, this);
        else QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tavimo::ui
