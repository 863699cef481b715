// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QWidget>

#include <optional>
#include <vector>

#include "draw/chart_scene.h"
#include "model/window_state.h"
#include "ui/common/drawn_items.h"

namespace tavimo::ui {

// The ring-barrier chart of the timing window (object "chart"): one widget that
// paints the chart's geometry with the painter of the exports, and the local-time
// cursor local1 with its readout timer. Tooltips and the accessible children (one
// per drawn element, named as a sighted user reads it) come from the same items.
class ChartView : public QWidget, public DrawnItems {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    // Draws the chart of `state` (its geometry, cursor and readout, in the times of
    // its plan's cycle and local zero).
    void setChart(const WindowState& state);
    // Draws items made elsewhere (a plan off the grid), read in the times of `clock`.
    void setItems(std::vector<ChartItem> items, std::optional<ChartClock> clock);

    const std::vector<ChartItem>& items() const { return items_; }
    // What the item at `index` says to a screen reader and in its tooltip.
    QString itemName(std::size_t index) const;
    // The tooltip at a place of the view: what the topmost element there says.
    QString toolTipAt(QPointF point) const;

    QString drawnTitle() const override;
    std::size_t drawnCount() const override;
    QString drawnName(std::size_t index) const override;
    QString drawnDescription(std::size_t index) const override;
    QRectF drawnRect(std::size_t index) const override;
    QAccessible::Role drawnRole(std::size_t index) const override;
    std::optional<std::size_t> drawnAt(QPointF point) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::vector<ChartItem> items_;
    std::optional<ChartClock> clock_;
};

}  // namespace tavimo::ui
