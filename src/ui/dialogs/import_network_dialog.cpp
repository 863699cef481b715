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
#include <QTableWidget>
#include <variant>

#include "calc/window_calculation.h"
#include "io/network_signal.h"
#include "io/signal_arrival.h"
#include "io/utdf_network.h"
#include "model/number_text.h"
#include "ui/common/dialogs.h"
#include "ui/common/key_button.h"
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

    intersections_ = new QTableWidget(0, Columns, this);
    intersections_->setObjectName(QStringLiteral("intersections"));
    intersections_->setHorizontalHeaderLabels({QStringLiteral("INTID"), QStringLiteral("Description"),
                                               QStringLiteral("Control Type"), QStringLiteral("Cycle"),
                                               QStringLiteral("Left Turns"), QStringLiteral("Import"),
                                               QStringLiteral("Force-offs")});
    intersections_->setSelectionBehavior(QAbstractItemView::SelectRows);
    intersections_->setSelectionMode(QAbstractItemView::SingleSelection);
    intersections_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    intersections_->verticalHeader()->hide();
    intersections_->horizontalHeader()->setStretchLastSection(true);
    intersections_->verticalHeader()->setDefaultSectionSize(intersections_->fontMetrics().height() + 8);
    intersections_->setMinimumSize(860, 260);
    connect(intersections_, &QTableWidget::itemSelectionChanged, this, &ImportNetwork::presetChoices);
    connect(intersections_, &QTableWidget::cellDoubleClicked, this, [this] { Load_Click(); });

    choices_ = makeImportChoices(this);
    connect(choices_.load, &QPushButton::clicked, this, &ImportNetwork::Load_Click);
    connect(choices_.cancel, &QPushButton::clicked, this, &ImportNetwork::Cancel_Click);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(makeLabel(this, "networkLabel", QStringLiteral("UTDF Network File")), 0, 0, 1, 2);
    grid->addWidget(networkFile_, 1, 0);
    grid->addWidget(browseNetwork_, 1, 1);
    grid->addWidget(intersections_, 2, 0, 1, 2);
    auto* bottom = makeRow(grid);
    bottom->addWidget(choices_.controller.frame);
    bottom->addWidget(choices_.mode.frame);
    bottom->addStretch();
    bottom->addWidget(choices_.load, 0, Qt::AlignBottom);
    bottom->addWidget(choices_.cancel, 0, Qt::AlignBottom);
    grid->addLayout(bottom, 3, 0, 1, 2);

    setKeyboardOrder({networkFile_, browseNetwork_, intersections_, choices_.controller.first,
                      choices_.controller.second, choices_.mode.first, choices_.mode.second, choices_.load,
                      choices_.cancel});
}

// QDialog's destructor hides the dialog, and the path box losing the focus then
// reports editingFinished: by then this dialog's own members are gone.
ImportNetwork::~ImportNetwork() {
    disconnect(networkFile_, nullptr, this, nullptr);
    networkFile_->removeEventFilter(this);
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
    intersections_->setRowCount(0);
    standings_.clear();
    network_.reset();
    if (networkFile_->text().trimmed().isEmpty()) return;
    auto read = readUtdfNetwork(localPath(networkFile_->text()));
    if (const auto* error = std::get_if<UtdfError>(&read)) {
        tell(this, text(error->message), kFileError, Icon::Critical);
        return;
    }
    network_ = std::make_unique<UtdfNetwork>(std::move(std::get<UtdfNetwork>(read)));

    int firstHoldable = -1;
    for (const NetworkIntersection& x : network_->intersections) {
        if (!x.hasTimeplan) continue;  // a node without a signal
        const int row = intersections_->rowCount();
        intersections_->insertRow(row);
        const NetworkStanding& standing = standings_.emplace_back(standingOf(x));
        const auto& placement = standing.placement;
        const QString holdable = text(standing.holdability());
        if (standing.importable() && firstHoldable < 0) firstHoldable = row;
        const QString cells[Columns] = {text(x.id),
                                        text(networkDescription(x)),
                                        text(controlTypeName(x.controlType)),
                                        cycleText(x.cycleLength),
                                        placement ? QStringLiteral("Dual ") + text(placement->arrangement) : QString(),
                                        holdable,
                                        QString()};
        for (int column = 0; column < Columns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            intersections_->setItem(row, column, item);
        }
        intersections_->item(row, IntId)->setData(Qt::UserRole, static_cast<int>(standings_.size() - 1));
    }
    intersections_->resizeColumnsToContents();
    // The agreement column takes the room that is left; it is empty until a Load.
    intersections_->horizontalHeader()->setStretchLastSection(false);
    intersections_->horizontalHeader()->setStretchLastSection(true);
    if (intersections_->rowCount() == 0) {
        tell(this, QStringLiteral("The UTDF file \"%1\" has no intersection with a timing plan.").arg(networkFile_->text()),
             kFileError, Icon::Information);
        return;
    }
    intersections_->selectRow(firstHoldable >= 0 ? firstHoldable : 0);
}

const NetworkStanding* ImportNetwork::standingAt(int row) const {
    const QTableWidgetItem* id = network_ && row >= 0 ? intersections_->item(row, IntId) : nullptr;
    if (!id) return nullptr;
    const int at = id->data(Qt::UserRole).toInt();
    return at >= 0 && static_cast<std::size_t>(at) < standings_.size() ? &standings_[static_cast<std::size_t>(at)]
                                                                        : nullptr;
}

void ImportNetwork::presetChoices() {
    const int row = intersections_->currentRow();
    if (const NetworkStanding* standing = standingAt(row)) choices_.presetFor(defaultControllerOf(*standing->intersection));
}

void ImportNetwork::Load_Click() {
    const int row = intersections_->currentRow();
    const NetworkStanding* listed = standingAt(row);
    if (!listed) {
        tell(this, QStringLiteral("Choose a UTDF network file and an intersection first."), kTitle, Icon::Information);
        return;
    }
    // A copy: the network may be read again while a question is open.
    const NetworkStanding standing = *listed;
    const NetworkIntersection& x = *standing.intersection;
    const QString name = text(networkDescription(x));

    // Every check comes before the timing window is touched.
    auto imported = networkSignal(standing, choices_.controllerTag(), choices_.modeTag());
    if (const auto* reason = std::get_if<std::string>(&imported)) {
        tell(this, QStringLiteral("Intersection %1 cannot be imported: %2.").arg(name, text(*reason)), kTitle,
             Icon::Warning);
        return;
    }
    if (const auto& unusual = standing.notCoordinated) {
        const Message ask{QStringLiteral("Intersection %1: %2. Tavimo times actuated-coordinated plans. "
                                         "Import it all the same?")
                              .arg(name, text(*unusual)),
                          kTitle, Icon::Warning, Buttons::OkCancel};
        if (dialogs().ask(this, ask) != Answer::Ok) return;
    }

    QPointer<ImportNetwork> self(this);
    QPointer<Form1> form = showTimingWindow_ ? showTimingWindow_() : nullptr;
    if (!form) return;
    form->importNetworkSignal(std::get<WindowState>(imported));
    if (!self || !form || !network_) return;

    // The window has calculated the signal; the same run gives the verdict's numbers.
    const CalcOutcome outcome = calculate(snapshotOf(form->state()));
    const NetworkVerdict verdict = verdictOf(standing, runFailure(outcome), forceOffsOf(outcome),
                                             form->state().plan.controller == tag::kType170);
    const QString line = text(verdict.note);
    if (auto* cell = intersections_->item(row, Agreement)) {
        cell->setText(line);
        cell->setToolTip(line);
        const int wanted = intersections_->fontMetrics().horizontalAdvance(line) + 16;
        if (intersections_->columnWidth(Agreement) < wanted) intersections_->setColumnWidth(Agreement, wanted);
    }
    if (showStatusLine_) showStatusLine_(QStringLiteral("Intersection %1: %2").arg(name, line));
}

void ImportNetwork::Cancel_Click() { unload(); }

void ImportNetwork::reject() { Cancel_Click(); }

void ImportNetwork::unload() {
    hide();
    deleteLater();
}

}  // namespace tavimo::ui
