// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace tavimo {
struct UtdfNetwork;
struct TimeSpaceDiagram;
}

namespace tavimo::ui {

class TimeSpaceView;

// The time-space diagram of a corridor, a document window of its own: the diagram,
// a spin box per signal for its offset in the chosen reference (object "offset<ID>",
// the pull-down "reference"), and the bands' figures of each direction ("bandThere",
// "bandBack"), all following every change at once. A signal's bars dragged in time
// move its offset too. Export (SVG, PNG, PDF), Print, and Save as a Tavimo project.
class CorridorWindow : public QWidget {
    Q_OBJECT
public:
    ~CorridorWindow() override;

    const TimeSpaceDiagram& diagram() const;
    TimeSpaceView* view() const { return view_; }
    QString projectFile() const;

    // Writes the corridor, its signals' typed plans and the offsets as set to a
    // Tavimo project; the message on failure, empty on success.
    QString saveTo(const QString& path);

    void exportDiagram();
    void printDiagram();
    void save();

    // Offsets moved since the diagram was opened or saved.
    bool isModified() const;
    // True when the window may close: nothing is unsaved, or the user saved it or gave
    // it up when asked.
    bool maySetAside();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct State;
    explicit CorridorWindow(std::unique_ptr<State> state, QWidget* parent);
    void build();
    void refresh();
    void showOffsets();
    void offsetTyped(std::size_t signal, double seconds);
    void dragged(std::size_t signal, double seconds);
    bool saveAs();
    void setModified(bool modified);
    QString routeName() const;
    QString documentName() const;

    std::unique_ptr<State> state_;
    TimeSpaceView* view_ = nullptr;
    QComboBox* reference_ = nullptr;
    QLabel* bands_[2] = {nullptr, nullptr};
    std::vector<QDoubleSpinBox*> offsets_;

    friend CorridorWindow* openCorridorWindow(QWidget*, const UtdfNetwork&, const QString&,
                                              const std::vector<std::string>&);
    friend CorridorWindow* openCorridorProject(QWidget*, const QString&);
};

// Opens the diagram of the route through `ids` (INTIDs, in order) of the network read
// from `path`, shown as a window of its own, owned by the window behind `parent` when
// that is a dialog (so that it outlives the dialog); nullptr, with the reason told,
// where the route cannot be driven.
CorridorWindow* openCorridorWindow(QWidget* parent, const UtdfNetwork& network, const QString& path,
                                   const std::vector<std::string>& ids);

// Opens the first corridor a Tavimo project holds; nullptr, with the reason told, where
// the file cannot be read or holds no corridor.
CorridorWindow* openCorridorProject(QWidget* parent, const QString& path);

}  // namespace tavimo::ui
