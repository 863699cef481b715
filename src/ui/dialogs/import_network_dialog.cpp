// SPDX-License-Identifier: MIT
#include "ui/dialogs/import_network_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <algorithm>
#include <variant>

#include "calc/plan_calculation.h"
#include "calc/plan_checks.h"
#include "calc/window_calculation.h"
#include "io/network_plan.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "model/number_text.h"
#include "ui/common/dialogs.h"
#include "ui/common/key_button.h"
#include "ui/common/remembered_places.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/timing/form1.h"

namespace tavimo::ui {

const QString ImportNetwork::kNetworkFilter = QStringLiteral("UTDF Files (*.csv)|*.csv");
const QString ImportNetwork::kTitle = QStringLiteral("Import From UTDF Network File");

namespace {

const QString kFileError = QStringLiteral("File Error");

QString text(const std::string& s) { return QString::fromStdString(s); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString cycleText(const std::string& cycle) {
    const std::optional<float> seconds = parseNumber(cycle);
    return text(seconds ? formatNumber(*seconds) : cycle);
}

// Rows sort by this role: INTIDs and cycles as numbers, the other columns as text.
constexpr int kSortRole = Qt::UserRole + 1;
// Text columns wider than this are cut in the list; their tooltip holds the whole text.
constexpr int kWidestTextColumn = 220;

const QString kLayoutName = QStringLiteral("networkDialog");
const QString kColumnsName = QStringLiteral("networkDialogColumns");

}  // namespace

ImportNetwork::ImportNetwork(ShowTimingWindow showTimingWindow, ShowStatusLine showStatusLine, QWidget* parent)
    : QDialog(parent), showTimingWindow_(std::move(showTimingWindow)), showStatusLine_(std::move(showStatusLine)) {
    setObjectName(QStringLiteral("ImportNetwork"));
    setWindowTitle(kTitle);
    useArial(this);

    networkFile_ = new QLineEdit(this);
    networkFile_->setObjectName(QStringLiteral("networkFile"));
    networkFile_->setToolTip(QStringLiteral("Combined UTDF file of a whole network."));
    networkFile_->setMinimumWidth(420);
    // A typed path is read when the box is left; Enter there reads it too, but does
    // not go on to Load an intersection the user has not seen yet.
    connect(networkFile_, &QLineEdit::editingFinished, this, [this] {
        if (networkFile_->isModified()) readNetworkFile();
        networkFile_->setModified(false);
    });
    networkFile_->installEventFilter(this);
    browseNetwork_ = makeButton(this, "browseNetwork", QStringLiteral("Browse..."));
    connect(browseNetwork_, &QPushButton::clicked, this, &ImportNetwork::browseNetwork_Click);

    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("networkFilter"));
    filter_->setPlaceholderText(QStringLiteral("Filter by INTID, street or reason"));
    filter_->setClearButtonEnabled(true);
    filter_->setToolTip(QStringLiteral("Shows only the intersections whose row holds this text."));

    model_ = new QStandardItemModel(0, Columns, this);
    model_->setHorizontalHeaderLabels({QStringLiteral("INTID"), QStringLiteral("Description"),
                                       QStringLiteral("Control Type"), QStringLiteral("Cycle"),
                                       QStringLiteral("Left Turns"), QStringLiteral("Import"),
                                       QStringLiteral("Force-offs")});
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(model_);
    shown_->setSortRole(kSortRole);
    shown_->setSortCaseSensitivity(Qt::CaseInsensitive);
    shown_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    shown_->setFilterKeyColumn(-1);  // every column: INTID, streets, reason, verdict
    connect(filter_, &QLineEdit::textChanged, shown_, &QSortFilterProxyModel::setFilterFixedString);

    intersections_ = new QTableView(this);
    intersections_->setObjectName(QStringLiteral("intersections"));
    intersections_->setModel(shown_);
    intersections_->setSortingEnabled(true);
    intersections_->sortByColumn(IntId, Qt::AscendingOrder);
    intersections_->setWordWrap(false);
    intersections_->setTextElideMode(Qt::ElideRight);
    intersections_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows: a corridor chosen below selects all its intersections.
    intersections_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    intersections_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    intersections_->verticalHeader()->hide();
    intersections_->horizontalHeader()->setStretchLastSection(true);
    intersections_->verticalHeader()->setDefaultSectionSize(intersections_->fontMetrics().height() + 8);
    intersections_->setMinimumSize(860, 180);
    connect(intersections_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ImportNetwork::presetChoices);
    connect(intersections_, &QTableView::doubleClicked, this, [this] { Load_Click(); });

    corridorPanel_ = new CorridorPanel([this] { return selectedIds(); },
                                       [this](const std::vector<std::string>& ids) { selectIds(ids); }, this);
    // The intersections above, the corridors and the route below; the engineer sets the share.
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("networkSplit"));
    split->setChildrenCollapsible(false);
    split->addWidget(intersections_);
    split->addWidget(corridorPanel_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    choices_ = makeImportChoices(this);
    connect(choices_.load, &QPushButton::clicked, this, &ImportNetwork::Load_Click);
    connect(choices_.cancel, &QPushButton::clicked, this, &ImportNetwork::Cancel_Click);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(makeLabel(this, "networkLabel", QStringLiteral("UTDF Network File")), 0, 0, 1, 2);
    grid->addWidget(networkFile_, 1, 0);
    grid->addWidget(browseNetwork_, 1, 1);
    grid->addWidget(filter_, 2, 0, 1, 2);
    grid->addWidget(split, 3, 0, 1, 2);
    auto* bottom = makeRow(grid);
    bottom->addWidget(choices_.controller.frame);
    bottom->addWidget(choices_.mode.frame);
    bottom->addStretch();
    bottom->addWidget(choices_.load, 0, Qt::AlignBottom);
    bottom->addWidget(choices_.cancel, 0, Qt::AlignBottom);
    grid->addLayout(bottom, 4, 0, 1, 2);

    // Room for a screenful of rows and the verdict beside them; a remembered size wins.
    resize(960, 620);

    setKeyboardOrder({networkFile_, browseNetwork_, filter_, intersections_, choices_.controller.first,
                      choices_.controller.second, choices_.mode.first, choices_.mode.second, choices_.load,
                      choices_.cancel});
    // The corridors and the route come between the list and the import choices.
    QWidget* previous = intersections_;
    for (QWidget* next : corridorPanel_->keyboardOrder()) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    QWidget::setTabOrder(previous, choices_.controller.first);
}

void ImportNetwork::setShowCorridor(ShowCorridor showCorridor) { corridorPanel_->setShowCorridor(std::move(showCorridor)); }

std::vector<std::string> ImportNetwork::selectedIds() const {
    std::vector<int> rows;
    for (const QModelIndex& index : intersections_->selectionModel()->selectedRows(IntId)) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> ids;
    for (int row : rows) ids.push_back(cellText(row, IntId).toStdString());
    return ids;
}

void ImportNetwork::selectIds(const std::vector<std::string>& ids) {
    QItemSelection rows;
    QModelIndex first;
    for (const std::string& id : ids) {
        const int row = rowOf(QString::fromStdString(id));
        if (row < 0) continue;  // filtered out of the list
        const QModelIndex index = shown_->index(row, IntId);
        rows.select(index, shown_->index(row, Columns - 1));
        if (!first.isValid()) first = index;
    }
    if (!first.isValid()) return;
    // The current row first: the import choices are preset from it when the selection changes.
    intersections_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    intersections_->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    intersections_->scrollTo(first, QAbstractItemView::PositionAtTop);
}

// QDialog's destructor hides the dialog, and the path box losing the focus then
// reports editingFinished: by then this dialog's own members are gone.
ImportNetwork::~ImportNetwork() {
    disconnect(networkFile_, nullptr, this, nullptr);
    networkFile_->removeEventFilter(this);
}

void ImportNetwork::rememberLayout() {
    ui::rememberLayout(kLayoutName, saveGeometry());
    if (model_->rowCount() > 0) ui::rememberLayout(kColumnsName, intersections_->horizontalHeader()->saveState());
}

// The file, the size and the columns of the last time: an engineer goes through one
// network's intersections over many sessions.
void ImportNetwork::restoreLastFile() {
    const QByteArray geometry = rememberedLayout(kLayoutName);
    if (!geometry.isEmpty()) restoreGeometry(geometry);
    const QString path = rememberedNetworkFile();
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    networkFile_->setText(path);
    networkFile_->setModified(false);
    readNetworkFile();
}

QString ImportNetwork::cellText(int row, Column column) const {
    return shown_->index(row, column).data().toString();
}

int ImportNetwork::rowOf(const QString& id) const {
    for (int row = 0; row < shown_->rowCount(); ++row)
        if (cellText(row, IntId) == id) return row;
    return -1;
}

int ImportNetwork::rowCount() const { return shown_->rowCount(); }

void ImportNetwork::selectRow(int row) {
    intersections_->selectRow(row);
    // Type-to-find searches the current column: keep it on the INTID.
    intersections_->selectionModel()->setCurrentIndex(shown_->index(row, IntId), QItemSelectionModel::NoUpdate);
}

int ImportNetwork::sourceRow(int row) const {
    const QModelIndex index = shown_->mapToSource(shown_->index(row, IntId));
    return index.isValid() ? index.row() : -1;
}

bool ImportNetwork::eventFilter(QObject* watched, QEvent* event) {
    if (watched == networkFile_ && event->type() == QEvent::KeyPress) {
        if (isEnterKey(static_cast<QKeyEvent*>(event))) {
            networkFile_->setModified(false);
            readNetworkFile();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ImportNetwork::browseNetwork_Click() {
    const QString path = dialogs().openFileNameIn(this, kNetworkFilter, lastFolder_);
    if (path.isEmpty()) return;  // Cancel: the list stays as it was
    lastFolder_ = QFileInfo(path).absolutePath();
    networkFile_->setText(path);
    networkFile_->setModified(false);
    readNetworkFile();
}

void ImportNetwork::readNetworkFile() {
    corridorPanel_->setNetwork(nullptr);
    model_->removeRows(0, model_->rowCount());
    standings_.clear();
    network_.reset();
    if (networkFile_->text().trimmed().isEmpty()) return;
    auto read = readUtdfNetwork(localPath(networkFile_->text()));
    if (const auto* error = std::get_if<UtdfError>(&read)) {
        tell(this, text(error->message), kFileError, Icon::Critical);
        return;
    }
    network_ = std::make_unique<UtdfNetwork>(std::move(std::get<UtdfNetwork>(read)));
    networkPath_ = networkFile_->text();
    rememberNetworkFile(networkFile_->text());

    QString firstHoldable;
    intersections_->setSortingEnabled(false);  // rows go in whole, then sort once
    for (const NetworkIntersection& x : network_->intersections) {
        if (!x.hasTimeplan) continue;  // a node without a signal
        const NetworkStanding& standing = standings_.emplace_back(standingOf(x));
        const auto& placement = standing.placement;
        // Load still takes a plan the grid cannot hold, to a plan window of its own.
        const QString holdable = text(standing.holdability()) +
                                 (standing.planWindow && !standing.placement && showPlanWindow_
                                      ? QStringLiteral(": opens in a plan window")
                                      : QString());
        if (standing.importable() && firstHoldable.isEmpty()) firstHoldable = text(x.id);
        const QString cells[Columns] = {text(x.id),
                                        text(networkDescription(x)),
                                        text(controlTypeName(x.controlType)),
                                        cycleText(x.cycleLength),
                                        placement ? QStringLiteral("Dual ") + text(placement->arrangement) : QString(),
                                        holdable,
                                        QString()};
        QList<QStandardItem*> row;
        for (int column = 0; column < Columns; ++column) {
            auto* item = new QStandardItem(cells[column]);
            item->setToolTip(cells[column]);
            item->setEditable(false);
            item->setData(cells[column], kSortRole);
            row.append(item);
        }
        row[IntId]->setData(QVariant::fromValue(x.number), kSortRole);
        if (const auto cycle = parseNumber(x.cycleLength)) row[Cycle]->setData(static_cast<double>(*cycle), kSortRole);
        model_->appendRow(row);
    }
    intersections_->setSortingEnabled(true);
    fitColumns();
    corridorPanel_->setNetwork(network_.get());
    if (model_->rowCount() == 0) {
        tell(this, QStringLiteral("The UTDF file \"%1\" has no intersection with a timing plan.").arg(networkFile_->text()),
             kFileError, Icon::Information);
        return;
    }
    selectRow(firstHoldable.isEmpty() ? 0 : std::max(0, rowOf(firstHoldable)));
    intersections_->scrollTo(shown_->index(intersections_->currentIndex().row(), IntId));
}

void ImportNetwork::fitColumns() {
    QHeaderView* header = intersections_->horizontalHeader();
    const QByteArray remembered = rememberedLayout(kColumnsName);
    if (!remembered.isEmpty() && header->restoreState(remembered)) return;
    intersections_->resizeColumnsToContents();
    // Long descriptions and reasons are cut, so the verdict stays in view; the
    // tooltip holds them whole.
    for (int column : {Description, Holdable})
        if (intersections_->columnWidth(column) > kWidestTextColumn) intersections_->setColumnWidth(column, kWidestTextColumn);
    // The agreement column takes the room that is left; it is empty until a Load.
    header->setStretchLastSection(false);
    header->setStretchLastSection(true);
}

const NetworkStanding* ImportNetwork::standingAt(int row) const {
    // The model holds the rows in the order of their standings.
    const int source = network_ && row >= 0 ? sourceRow(row) : -1;
    return source >= 0 && static_cast<std::size_t>(source) < standings_.size()
               ? &standings_[static_cast<std::size_t>(source)]
               : nullptr;
}

void ImportNetwork::presetChoices() {
    if (const NetworkStanding* standing = standingAt(intersections_->currentIndex().row())) choices_.presetFor(defaultControllerOf(*standing->intersection));
}

void ImportNetwork::Load_Click() {
    const int row = intersections_->currentIndex().row();
    const NetworkStanding* listed = standingAt(row);
    if (!listed) {
        tell(this, QStringLiteral("Choose a UTDF network file and an intersection first."), kTitle, Icon::Information);
        return;
    }
    // A copy: the network may be read again while a question is open.
    const NetworkStanding standing = *listed;
    const int listedAt = sourceRow(row);
    const UtdfNetwork* network = network_.get();
    const NetworkIntersection& x = *standing.intersection;
    const QString name = text(networkDescription(x));

    if (!standing.placement && standing.planWindow && showPlanWindow_) {
        loadPlan(standing, listedAt);
        return;
    }
    // Every check comes before the timing window is touched.
    auto imported = networkSignal(standing, choices_.controllerTag(), choices_.modeTag());
    if (!mayImport(standing, name, std::get_if<std::string>(&imported))) return;

    QPointer<ImportNetwork> self(this);
    QPointer<Form1> form = showTimingWindow_ ? showTimingWindow_() : nullptr;
    if (!form) return;
    form->importNetworkSignal(std::get<WindowState>(imported));
    if (!self || !form || network_.get() != network) return;

    // The window has calculated the signal; the same run gives the verdict's numbers
    // and the warnings its fields show.
    WindowState state = form->state();
    const CheckedRun run = calculateAndCheckWindow(state);
    const NetworkVerdict verdict = verdictOf(standing, runFailure(run.outcome), forceOffsOf(run.outcome),
                                             state.plan.controller == tag::kType170);
    showVerdict(listedAt, name, text(verdict.note), run.warnings.size());
}

bool ImportNetwork::mayImport(const NetworkStanding& standing, const QString& name, const std::string* refusal) {
    if (refusal) {
        tell(this, QStringLiteral("Intersection %1 cannot be imported: %2.").arg(name, text(*refusal)), kTitle,
             Icon::Warning);
        return false;
    }
    if (const auto& unusual = standing.notCoordinated) {
        const Message ask{QStringLiteral("Intersection %1: %2. Tavimo times actuated-coordinated plans. "
                                         "Import it all the same?")
                              .arg(name, text(*unusual)),
                          kTitle, Icon::Warning, Buttons::OkCancel};
        return dialogs().ask(this, ask) == Answer::Ok;
    }
    return true;
}

void ImportNetwork::loadPlan(const NetworkStanding& standing, int listedAt) {
    const NetworkIntersection& x = *standing.intersection;
    const QString name = text(networkDescription(x));
    const bool type170 = choices_.controllerTag() == tag::kType170;
    auto built = networkPlan(x, type170 ? Controller::Type170 : Controller::NemaTs2,
                             choices_.modeTag() == tag::kYield ? SignalMode::Yield : SignalMode::Permissive);
    if (!mayImport(standing, name, std::get_if<std::string>(&built))) return;
    const Signal signal = std::get<Signal>(built);
    QPointer<ImportNetwork> self(this);
    showPlanWindow_(signal, x.id);
    if (!self) return;

    // The verdict of the plan window's first calculation, as the calculator gives it.
    const PlanCalculation plan = calculatePlan(signal);
    QString line = QStringLiteral("opened in a plan window");
    std::size_t warnings = 0;
    if (plan.stop == PlanStop::Completed && signal.cycle.seconds) {
        std::vector<std::pair<int, float>> forceOffs;
        for (const PlanPhaseResult& p : plan.phases) forceOffs.emplace_back(p.number, p.forceOff);
        line = text(planAgreementWith(x, signal.coordinated, *signal.cycle.seconds, forceOffs, type170).line);
        warnings = checkPlan(signal, plan).size();
    }
    showVerdict(listedAt, name, line, warnings);
}

void ImportNetwork::showVerdict(int listedAt, const QString& name, const QString& line, std::size_t warnings) {
    if (QStandardItem* cell = model_->item(listedAt, Agreement)) {
        cell->setText(line);
        cell->setToolTip(line);
        cell->setData(line, kSortRole);
        const int wanted = intersections_->fontMetrics().horizontalAdvance(line) + 16;
        if (intersections_->columnWidth(Agreement) < wanted) intersections_->setColumnWidth(Agreement, wanted);
        intersections_->scrollTo(shown_->mapFromSource(cell->index()));
    }
    const QString counted = warnings == 0   ? QStringLiteral("no timing warnings")
                            : warnings == 1 ? QStringLiteral("1 timing warning")
                                            : QStringLiteral("%1 timing warnings").arg(warnings);
    if (showStatusLine_) showStatusLine_(QStringLiteral("Intersection %1: %2; %3").arg(name, line, counted));
}

void ImportNetwork::Cancel_Click() { unload(); }

void ImportNetwork::reject() { Cancel_Click(); }

void ImportNetwork::unload() {
    rememberLayout();
    hide();
    deleteLater();
}

}  // namespace tavimo::ui
