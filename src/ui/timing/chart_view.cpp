// SPDX-License-Identifier: MIT
#include "ui/timing/chart_view.h"

#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

#include "calc/local_time.h"
#include "draw/chart_painter.h"
#include "model/number_text.h"

namespace tavimo::ui {

namespace {

// One drawn element of the chart for a screen reader: a graphic with a name and a
// place, read live from the view, so that it follows every Calculate.
class ChartItemAccessible : public QAccessibleInterface {
public:
    ChartItemAccessible(ChartView* view, std::size_t index) : view_(view), index_(index) {}

    bool isValid() const override { return view_ && index_ < view_->items().size(); }
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
        if (t == QAccessible::Name) return view_->itemName(index_);
        if (t == QAccessible::Description) return QString::fromStdString(view_->items()[index_].name);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = view_->items()[index_].rect.toAlignedRect();
        return QRect(view_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        const ChartPart part = isValid() ? view_->items()[index_].part : ChartPart::Green;
        return part == ChartPart::Readout ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !isValid();
        return s;
    }

private:
    QPointer<ChartView> view_;
    std::size_t index_;
};

// The chart as a whole: its children are the drawn elements.
class ChartViewAccessible : public QAccessibleWidget {
public:
    explicit ChartViewAccessible(ChartView* view) : QAccessibleWidget(view, QAccessible::Chart) {}

    int childCount() const override { return int(view()->items().size()); }
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
        const ChartItem* item = chartItemAt(view()->items(), view()->mapFromGlobal(QPoint(x, y)));
        return item ? view()->accessibleItem(std::size_t(item - view()->items().data())) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QStringLiteral("Ring-barrier chart");
        return QAccessibleWidget::text(t);
    }

private:
    ChartView* view() const { return static_cast<ChartView*>(widget()); }
};

QAccessibleInterface* chartViewFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("tavimo::ui::ChartView") && object && object->isWidgetType())
        return new ChartViewAccessible(static_cast<ChartView*>(object));
    return nullptr;
}

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(chartViewFactory);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("chart"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

ChartView::~ChartView() {
    for (QAccessible::Id id : accessibleItems_) QAccessible::deleteAccessibleInterface(id);
}

void ChartView::setChart(const WindowState& state) {
    items_ = chartItems(state.chart, font(), this, ChartEdges::PixelGrid);
    addLocalTimeItems(items_, state.chart, font(), this);
    // Times only for a calculated chart: the designed one is a layout, not a plan.
    clock_.reset();
    const std::optional<float> cycle = parseNumber(state.plan.cycleLength);
    const bool calculated = std::any_of(state.plan.positions.begin(), state.plan.positions.end(),
                                        [](const Position& p) { return !p.force.empty(); });
    if (calculated && cycle && *cycle > 0) clock_ = ChartClock{*cycle, localZeroTime(state.plan).value_or(0.f)};
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
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

QAccessibleInterface* ChartView::accessibleItem(std::size_t index) const {
    // The children are made once per place and read the item there, whatever it is now.
    while (accessibleItems_.size() <= index)
        accessibleItems_.push_back(QAccessible::registerAccessibleInterface(
            new ChartItemAccessible(const_cast<ChartView*>(this), accessibleItems_.size())));
    return QAccessible::accessibleInterface(accessibleItems_[index]);
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
