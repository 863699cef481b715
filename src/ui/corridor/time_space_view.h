// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "ui/common/drawn_items.h"

namespace tavimo {
struct TimeSpaceDiagram;
}

namespace tavimo::ui {

struct TimeSpaceItem;

// The time-space diagram of the corridor window (object "timeSpace"), painted with
// the painter of the exports. Its accessible children, one per signal and per band,
// are named as a sighted user reads them. A signal's bars dragged along the time
// axis report the seconds moved.
class TimeSpaceView : public QWidget, public DrawnItems {
    Q_OBJECT
public:
    explicit TimeSpaceView(QWidget* parent = nullptr);
    ~TimeSpaceView() override;

    void setDiagram(const TimeSpaceDiagram& diagram);

    std::size_t itemCount() const;
    const TimeSpaceItem& item(std::size_t index) const;
    QString drawnTitle() const override;
    std::size_t drawnCount() const override;
    QString drawnName(std::size_t index) const override;
    QString drawnDescription(std::size_t index) const override;
    QRectF drawnRect(std::size_t index) const override;
    std::optional<std::size_t> drawnAt(QPointF point) const override;
    // The index of the signal item at a place of the view, if any.
    std::optional<std::size_t> signalAt(QPointF point) const;
    // Seconds of the master clock per pixel along the time axis.
    double secondsPerPixel() const;

    // Called while a signal is dragged: its place along the route and the seconds its
    // bars have moved since the press (later is positive).
    std::function<void(std::size_t signal, double seconds)> onDrag;
    // Called when the drag ends.
    std::function<void()> onDragEnd;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void layOut();

    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tavimo::ui
