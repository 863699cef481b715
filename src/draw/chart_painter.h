// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

#include <vector>

#include "draw/chart_scene.h"
#include "model/chart_layout.h"

class QPainter;

namespace tavimo::ui {

// Draws the ring-barrier chart from its geometry: the row bars with their phase
// numbers, the dark bars of a ring side without phases, the barriers and the
// permissive windows with their labels. It draws in the window's logical pixels (15
// twips each) on whatever device the painter is on; the caller scales and moves it.
class ChartPainter {
public:
    using Edges = ChartEdges;

    explicit ChartPainter(const ChartGeometry& chart, QFont font = {}, Edges edges = Edges::Exact);

    void paint(QPainter& painter) const;

    // A place and a length on the chart in logical pixels, from twips.
    static double pixels(double twips);

    // Paints items made by chartItems (and addLocalTimeItems) with `font`.
    static void paintItems(QPainter& painter, const std::vector<ChartItem>& items, const QFont& font);

private:
    const ChartGeometry& chart_;
    QFont font_;
    Edges edges_;
};

}  // namespace tavimo::ui
