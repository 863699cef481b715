// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "io/network_signal.h"
#include "model/signal.h"
#include "ui/dialogs/corridor_panel.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/timing_window_access.h"

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace tavimo::ui {

// Where the main window shows a line without a modal box (its status bar).
using ShowStatusLine = std::function<void(const QString&)>;
// Opens a plan the eight positions cannot hold in a plan window of its own.
using ShowPlanWindow = std::function<void(const Signal& signal, const std::string& id)>;

// "Import From UTDF Network File": one combined UTDF file holds every intersection of
// a network. The dialog lists them with whether Tavimo can time each one; "Load" (or a
// double-click on a row) puts the chosen intersection into a blank timing window,
// locks the phase order and the movements and calculates, then shows whether the
// force-offs agree with the file's. The dialog stays open for the next intersection of
// the corridor. Below the list, the network's corridors and a route picked by hand,
// whose time-space diagram the main window opens.
class ImportNetwork : public QDialog {
    Q_OBJECT
public:
    ImportNetwork(ShowTimingWindow showTimingWindow, ShowStatusLine showStatusLine, QWidget* parent = nullptr);
    ~ImportNetwork() override;

    static const QString kNetworkFilter;
    static const QString kTitle;

    // The table's columns; the last one shows the agreement after a Load.
    enum Column { IntId, Description, ControlType, Cycle, Arrangement, Holdable, Agreement, Columns };

    // The text of a cell as the list shows it (sorted and filtered), row 0 at the top.
    QString cellText(int row, Column column) const;
    // The row the list shows the intersection `id` at, -1 when it shows none.
    int rowOf(const QString& id) const;
    int rowCount() const;
    void selectRow(int row);
    // The network listed, while one is; it goes when another file is read.
    const UtdfNetwork* network() const { return network_.get(); }
    // The file that network was read from, as the box held it.
    const QString& networkPath() const { return networkPath_; }
    // Where the route's "Time-Space Diagram" goes, once it is known to be travelled both ways.
    void setShowCorridor(ShowCorridor showCorridor);
    CorridorPanel* corridorPanel() const { return corridorPanel_; }

    // Reads the file whose path the box holds and lists its intersections; a file that
    // cannot be read is named in a message and leaves an empty list.
    void readNetworkFile();
    // Takes the size, the columns and the file of the last time, and lists that file.
    void restoreLastFile();
    // Where Load sends an intersection the eight positions cannot hold; without it,
    // such an intersection is refused as before.
    void setPlanWindow(ShowPlanWindow showPlanWindow) { showPlanWindow_ = std::move(showPlanWindow); }

public Q_SLOTS:
    void browseNetwork_Click();
    void Load_Click();
    void Cancel_Click();

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void presetChoices();
    // Whether Load goes on: not where the file's plan cannot be imported (`refusal`,
    // told), and for a plan that is not actuated-coordinated only when the user agrees.
    bool mayImport(const NetworkStanding& standing, const QString& name, const std::string* refusal);
    // Load of an intersection for the plan window.
    void loadPlan(const NetworkStanding& standing, int listedAt);
    // Shows a verdict in the row's agreement column and the status line.
    void showVerdict(int listedAt, const QString& name, const QString& line, std::size_t warnings);
    void unload();
    // The standing of the intersection shown at `row`; none without one.
    const NetworkStanding* standingAt(int row) const;
    // The model row behind the row shown at `row` of the view, -1 for none.
    int sourceRow(int row) const;
    // The INTIDs of the selected rows, in the order shown; selecting rows by INTID.
    std::vector<std::string> selectedIds() const;
    void selectIds(const std::vector<std::string>& ids);
    void fitColumns();
    void rememberLayout();

    ShowTimingWindow showTimingWindow_;
    ShowStatusLine showStatusLine_;
    ShowPlanWindow showPlanWindow_;
    std::unique_ptr<UtdfNetwork> network_;
    QString networkPath_;
    // Where each listed intersection stands, worked out once when the file is read;
    // a row's IntId item holds its index here.
    std::vector<NetworkStanding> standings_;
    QString lastFolder_;
    QLineEdit* networkFile_;
    QPushButton* browseNetwork_;
    QLineEdit* filter_;
    QTableView* intersections_;
    QStandardItemModel* model_;
    QSortFilterProxyModel* shown_;  // the model sorted and filtered, as the view shows it
    CorridorPanel* corridorPanel_;
    ImportChoices choices_;  // Nema, type170, Permissive, Yield, Load, Cancel
};

}  // namespace tavimo::ui
