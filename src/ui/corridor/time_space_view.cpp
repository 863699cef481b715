// SPDX-License-Identifier: MIT
#include "ui/corridor/time_space_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
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
    std::optional<std::size_t> dragged;
    double pressedAt = 0;
};

TimeSpaceView::TimeSpaceView(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>()) {
    setObjectName(QStringLiteral("timeSpace"));
    setMinimumSize(480, 320);
    setMouseTracking(false);
}

TimeSpaceView::~TimeSpaceView() = default;

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

QString TimeSpaceView::drawnTitle() const { return QStringLiteral("Time-space diagram"); }
std::size_t TimeSpaceView::drawnCount() const { return itemCount(); }
QString TimeSpaceView::drawnName(std::size_t index) const { return item(index).name; }
QString TimeSpaceView::drawnDescription(std::size_t index) const { return QString::fromStdString(item(index).id); }
QRectF TimeSpaceView::drawnRect(std::size_t index) const { return item(index).rect; }
std::optional<std::size_t> TimeSpaceView::drawnAt(QPointF point) const { return signalAt(point); }

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
