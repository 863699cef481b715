// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "io/utdf_network.h"
#include "ui/common/corridor_figures.h"

class QListWidget;
class QPushButton;
class QTableWidget;

namespace tavimo::ui {

// Where the main window takes a route of signals (INTIDs in the order driven) that
// can be travelled both ways.
using ShowCorridor = std::function<void(const std::vector<std::string>&)>;

// The corridors of a network beside the list of its intersections, and a route put
// together by hand: the engineer takes a corridor as the start, or adds the signals
// one at a time in the order driven, then opens the route's time-space diagram.
class CorridorPanel : public QWidget {
    Q_OBJECT
public:
    // `selected` gives the INTIDs selected in the intersection list, in its order;
    // `select` selects these in that list.
    using SelectedIds = std::function<std::vector<std::string>()>;
    using SelectIds = std::function<void(const std::vector<std::string>&)>;
    CorridorPanel(SelectedIds selected, SelectIds select, QWidget* parent = nullptr);

    enum Column { Street, Signals, Intersections, Cycle, Columns };

    // Lists the network's corridors (none for nullptr) and empties the route; the
    // network must stay while it is listed.
    void setNetwork(const UtdfNetwork* network);
    void setShowCorridor(ShowCorridor showCorridor) { showCorridor_ = std::move(showCorridor); }

    int corridorCount() const;
    QString corridorText(int row, Column column) const;
    void selectCorridor(int row);
    // The route as it stands, in the order driven.
    std::vector<std::string> route() const { return route_; }
    // Its controls in the order Tab goes through them.
    std::vector<QWidget*> keyboardOrder() const;

public Q_SLOTS:
    void addToRoute_Click();
    void removeFromRoute_Click();
    void routeUp_Click();
    void routeDown_Click();
    void clearRoute_Click();
    void takeCorridor_Click();
    void openCorridor_Click();

private:
    void showRoute(int current);
    void enableButtons();
    const CorridorRow* chosenCorridor() const;

    SelectedIds selected_;
    SelectIds select_;
    ShowCorridor showCorridor_;
    const UtdfNetwork* network_ = nullptr;
    std::vector<CorridorRow> found_;
    std::vector<std::string> route_;
    QTableWidget* corridors_;
    QListWidget* routeList_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
    QPushButton* clear_;
    QPushButton* take_;
    QPushButton* open_;
};

}  // namespace tavimo::ui
