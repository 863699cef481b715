// SPDX-License-Identifier: MIT
#include "ui/timing/chart_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

#include "calc/local_time.h"
#include "draw/chart_painter.h"
#include "model/number_text.h"

namespace tavimo::ui {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chart"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

ChartView::~ChartView() = default;

void ChartView::setChart(const WindowState& state) {
    std::vector<ChartItem> items = chartItems(state.chart, font(), this, ChartEdges::PixelGrid);
    addLocalTimeItems(items, state.chart, font(), this);
    // Times only for a calculated chart: the designed one is a layout, not a plan.
    std::optional<ChartClock> clock;
    const std::optional<float> cycle = parseNumber(state.plan.cycleLength);
    const bool calculated = std::any_of(state.plan.positions.begin(), state.plan.positions.end(),
                                        [](const Position& p) { return !p.force.empty(); });
    if (calculated && cycle && *cycle > 0) clock = ChartClock{*cycle, localZeroTime(state.plan).value_or(0.f)};
    setItems(std::move(items), clock);
}

void ChartView::setItems(std::vector<ChartItem> items, std::optional<ChartClock> clock) {
    items_ = std::move(items);
    clock_ = clock;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

QString ChartView::itemName(std::size_t index) const {
    return index < items_.size() ? describeChartItem(items_[index], clock_) : QString();
}

QString ChartView::drawnTitle() const { return QStringLiteral("Ring-barrier chart"); }
std::size_t ChartView::drawnCount() const { return items_.size(); }
QString ChartView::drawnName(std::size_t index) const { return itemName(index); }
QString ChartView::drawnDescription(std::size_t index) const { return QString::fromStdString(items_[index].name); }
QRectF ChartView::drawnRect(std::size_t index) const { return items_[index].rect; }
QAccessible::Role ChartView::drawnRole(std::size_t index) const {
    return items_[index].part == ChartPart::Readout ? QAccessible::StaticText : QAccessible::Graphic;
}
std::optional<std::size_t> ChartView::drawnAt(QPointF point) const {
    const ChartItem* item = chartItemAt(items_, point);
    return item ? std::optional<std::size_t>(std::size_t(item - items_.data())) : std::nullopt;
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ChartPainter::paintItems(painter, items_, font());
}

QString ChartView::toolTipAt(QPointF point) const {
    const ChartItem* item = chartItemAt(items_, point);
    if (!item) return {};
    // The readout keeps the hint it was designed with.
    if (item->part == ChartPart::Readout) return QStringLiteral("Local Time");
    return itemName(std::size_t(item - items_.data()));
}

bool ChartView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tavimo::ui
