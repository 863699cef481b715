// SPDX-License-Identifier: MIT
#include "ui/dialogs/corridor_panel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <variant>

#include "ui/common/dialogs.h"
#include "ui/dialogs/dialog_parts.h"

namespace tavimo::ui {

namespace {

const QString kDiagramTitle = QStringLiteral("Time-Space Diagram");

QString text(const std::string& s) { return QString::fromStdString(s); }

QString joined(const std::vector<std::string>& ids, const QString& between) {
    QStringList list;
    for (const std::string& id : ids) list << text(id);
    return list.join(between);
}

}  // namespace

CorridorPanel::CorridorPanel(SelectedIds selected, SelectIds select, QWidget* parent)
    : QWidget(parent), selected_(std::move(selected)), select_(std::move(select)) {
    setObjectName(QStringLiteral("corridorPanel"));

    corridors_ = new QTableWidget(0, Columns, this);
    corridors_->setObjectName(QStringLiteral("corridors"));
    corridors_->setHorizontalHeaderLabels({QStringLiteral("Street"), QStringLiteral("Signals"),
                                           QStringLiteral("Intersections in Order"), QStringLiteral("Cycle")});
    corridors_->setToolTip(QStringLiteral("Signals linked along one street, in order. Selecting a corridor "
                                          "selects its intersections; double-click takes it as the route."));
    corridors_->setSelectionBehavior(QAbstractItemView::SelectRows);
    corridors_->setSelectionMode(QAbstractItemView::SingleSelection);
    corridors_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    corridors_->setWordWrap(false);
    corridors_->verticalHeader()->hide();
    corridors_->verticalHeader()->setDefaultSectionSize(corridors_->fontMetrics().height() + 8);
    corridors_->horizontalHeader()->setSectionResizeMode(Intersections, QHeaderView::Stretch);
    connect(corridors_, &QTableWidget::itemSelectionChanged, this, [this] {
        if (const CorridorRow* corridor = chosenCorridor(); corridor && select_) select_(corridor->ids);
        enableButtons();
    });
    connect(corridors_, &QTableWidget::cellDoubleClicked, this, [this] { takeCorridor_Click(); });

    routeList_ = new QListWidget(this);
    routeList_->setObjectName(QStringLiteral("route"));
    routeList_->setToolTip(QStringLiteral("The signals of the route, in the order driven."));
    connect(routeList_, &QListWidget::currentRowChanged, this, [this] { enableButtons(); });

    add_ = makeButton(this, "addToRoute", QStringLiteral("&Add"));
    add_->setToolTip(QStringLiteral("Adds the intersections selected in the list to the end of the route."));
    remove_ = makeButton(this, "removeFromRoute", QStringLiteral("&Remove"));
    up_ = makeButton(this, "routeUp", QStringLiteral("Move &Up"));
    down_ = makeButton(this, "routeDown", QStringLiteral("Move &Down"));
    clear_ = makeButton(this, "clearRoute", QStringLiteral("C&lear"));
    take_ = makeButton(this, "takeCorridor", QStringLiteral("Use &Corridor"));
    take_->setToolTip(QStringLiteral("Starts the route from the corridor selected on the left."));
    open_ = makeButton(this, "openCorridor", kDiagramTitle);
    open_->setToolTip(QStringLiteral("The route's bands both ways; needs two signals or more."));
    connect(add_, &QPushButton::clicked, this, &CorridorPanel::addToRoute_Click);
    connect(remove_, &QPushButton::clicked, this, &CorridorPanel::removeFromRoute_Click);
    connect(up_, &QPushButton::clicked, this, &CorridorPanel::routeUp_Click);
    connect(down_, &QPushButton::clicked, this, &CorridorPanel::routeDown_Click);
    connect(clear_, &QPushButton::clicked, this, &CorridorPanel::clearRoute_Click);
    connect(take_, &QPushButton::clicked, this, &CorridorPanel::takeCorridor_Click);
    connect(open_, &QPushButton::clicked, this, &CorridorPanel::openCorridor_Click);

    // Two columns, so the panel stays low on a laptop screen.
    auto* buttons = new QGridLayout;
    buttons->setSpacing(6);
    buttons->addWidget(take_, 0, 0);
    buttons->addWidget(add_, 0, 1);
    buttons->addWidget(up_, 1, 0);
    buttons->addWidget(remove_, 1, 1);
    buttons->addWidget(down_, 2, 0);
    buttons->addWidget(clear_, 2, 1);
    buttons->setRowStretch(3, 1);
    buttons->addWidget(open_, 4, 0, 1, 2);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->addWidget(makeLabel(this, "corridorsLabel", QStringLiteral("Corridors")), 0, 0, 1, 1);
    grid->addWidget(makeLabel(this, "routeLabel", QStringLiteral("Route")), 0, 1, 1, 1);
    grid->addWidget(corridors_, 1, 0);
    grid->addWidget(routeList_, 1, 1);
    grid->addLayout(buttons, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    enableButtons();
}

void CorridorPanel::setNetwork(const UtdfNetwork* network) {
    network_ = network;
    found_ = network ? corridorRows(*network) : std::vector<CorridorRow>{};
    route_.clear();
    corridors_->clearContents();
    corridors_->setRowCount(static_cast<int>(found_.size()));
    for (int row = 0; row < static_cast<int>(found_.size()); ++row) {
        const CorridorRow& corridor = found_[static_cast<std::size_t>(row)];
        const QString cells[Columns] = {text(corridor.street), QString::number(corridor.ids.size()),
                                        joined(corridor.ids, QStringLiteral(", ")), text(corridor.cycles)};
        for (int column = 0; column < Columns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            corridors_->setItem(row, column, item);
        }
    }
    corridors_->resizeColumnsToContents();
    corridors_->horizontalHeader()->setSectionResizeMode(Intersections, QHeaderView::Stretch);
    showRoute(-1);
}

std::vector<QWidget*> CorridorPanel::keyboardOrder() const {
    return {corridors_, routeList_, take_, add_, up_, remove_, down_, clear_, open_};
}

int CorridorPanel::corridorCount() const { return corridors_->rowCount(); }

QString CorridorPanel::corridorText(int row, Column column) const {
    const QTableWidgetItem* item = corridors_->item(row, column);
    return item ? item->text() : QString();
}

void CorridorPanel::selectCorridor(int row) { corridors_->selectRow(row); }

const CorridorRow* CorridorPanel::chosenCorridor() const {
    const QList<QTableWidgetItem*> chosen = corridors_->selectedItems();
    if (chosen.isEmpty()) return nullptr;
    const int row = chosen.front()->row();
    return row >= 0 && row < static_cast<int>(found_.size()) ? &found_[static_cast<std::size_t>(row)] : nullptr;
}

void CorridorPanel::showRoute(int current) {
    routeList_->clear();
    for (const std::string& id : route_) {
        const NetworkIntersection* x = network_ ? network_->find(id) : nullptr;
        routeList_->addItem(x ? text(networkDescription(*x)) : text(id));
    }
    if (current >= 0 && current < routeList_->count()) routeList_->setCurrentRow(current);
    enableButtons();
}

void CorridorPanel::enableButtons() {
    const int current = routeList_->currentRow();
    const int last = static_cast<int>(route_.size()) - 1;
    add_->setEnabled(network_ != nullptr);
    take_->setEnabled(chosenCorridor() != nullptr);
    remove_->setEnabled(current >= 0);
    up_->setEnabled(current > 0);
    down_->setEnabled(current >= 0 && current < last);
    clear_->setEnabled(!route_.empty());
    open_->setEnabled(route_.size() >= 2);
}

void CorridorPanel::addToRoute_Click() {
    if (!network_ || !selected_) return;
    // A signal is driven through once: one already on the route stays where it is.
    for (const std::string& id : selected_())
        if (std::find(route_.begin(), route_.end(), id) == route_.end()) route_.push_back(id);
    showRoute(static_cast<int>(route_.size()) - 1);
}

void CorridorPanel::removeFromRoute_Click() {
    const int current = routeList_->currentRow();
    if (current < 0 || current >= static_cast<int>(route_.size())) return;
    route_.erase(route_.begin() + current);
    showRoute(std::min(current, static_cast<int>(route_.size()) - 1));
}

void CorridorPanel::routeUp_Click() {
    const int current = routeList_->currentRow();
    if (current < 1 || current >= static_cast<int>(route_.size())) return;
    std::swap(route_[static_cast<std::size_t>(current)], route_[static_cast<std::size_t>(current - 1)]);
    showRoute(current - 1);
}

void CorridorPanel::routeDown_Click() {
    const int current = routeList_->currentRow();
    if (current < 0 || current + 1 >= static_cast<int>(route_.size())) return;
    std::swap(route_[static_cast<std::size_t>(current)], route_[static_cast<std::size_t>(current + 1)]);
    showRoute(current + 1);
}

void CorridorPanel::clearRoute_Click() {
    route_.clear();
    showRoute(-1);
}

void CorridorPanel::takeCorridor_Click() {
    if (const CorridorRow* corridor = chosenCorridor()) {
        route_ = corridor->ids;
        showRoute(0);
    }
}

void CorridorPanel::openCorridor_Click() {
    if (!network_ || route_.size() < 2) return;
    const auto bands = bandsBothWays(*network_, route_);
    if (const auto* why = std::get_if<std::string>(&bands)) {
        tell(this,
             QStringLiteral("The route %1 cannot be travelled: %2.").arg(joined(route_, QStringLiteral(", ")), text(*why)),
             kDiagramTitle, Icon::Warning);
        return;
    }
    // A copy: the callback may read another network into this dialog.
    const std::vector<std::string> ids = route_;
    if (showCorridor_) showCorridor_(ids);
}

}  // namespace tavimo::ui
