// SPDX-License-Identifier: MIT
#include "ui/plan/plan_window.h"

#include <QBrush>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "draw/chart_sheet.h"
#include "draw/plan_chart_scene.h"
#include "model/number_text.h"
#include "output/offset_results.h"
#include "output/plan_results.h"
#include "output/project_results.h"
#include "ui/common/dialogs.h"
#include "ui/timing/chart_view.h"

namespace tavimo::ui {

const QString PlanWindow::kTitle = QStringLiteral("Ring-Barrier Plan");

namespace {

const QString kPhaseDataTitle = QStringLiteral("Incorrect Phase Data");
const QString kStaleLine = QStringLiteral("Results are from before the last change: Calculate");
// Amber, as the timing window marks a field a warning points at.
const QColor kWarningAmber(0xff, 0xc0, 0x40);

// The timing table's columns: the phase, where it runs, then what can be edited.
enum TimingColumn { PhaseColumn, RingColumn, BarrierColumn, Split, MinGreen, Amber, AllRed, Walk, Flash, TimingColumns };
const char* const kTimingHeads[TimingColumns] = {"Phase", "Ring",  "Barrier", "Split",           "Min Green",
                                                 "Amber", "All Red", "Walk",  "Flash Don't Walk"};
// The field names as messages give them.
const char* const kFieldNames[TimingColumns] = {"", "", "", "Split Time", "Min Green", "Amber Time", "All Red Time",
                                                "Walk", "Flash Don't Walk"};

enum ResultColumn { ResultPhase, ResultRing, ResultBarrier, ForceOff, PermissiveStart, PermissiveEnd, ResultColumns };
const char* const kResultHeads[ResultColumns] = {"Phase",     "Ring", "Barrier", "Force Off", "Permissive Start",
                                                 "Permissive End"};

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString timeText(const std::optional<float>& t) { return t ? qs(formatNumber(*t)) : QString(); }
QString phaseName(int phase) { return QStringLiteral("\u03A6%1").arg(phase); }

QTableWidgetItem* fixedCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QTableWidgetItem* timeCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidget* table(QWidget* parent, const char* name, const char* const* heads, int columns) {
    auto* t = new QTableWidget(0, columns, parent);
    t->setObjectName(QLatin1String(name));
    QStringList labels;
    for (int c = 0; c < columns; ++c) labels << QLatin1String(heads[c]);
    t->setHorizontalHeaderLabels(labels);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

// A table as wide as its columns, so that the window opens showing all of them.
void fitWidth(QTableWidget* t) {
    t->resizeColumnsToContents();
    t->setMinimumWidth(t->horizontalHeader()->length() + 2 * t->frameWidth() +
                       t->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

// The phases of the plan in running order: ring by ring, barrier by barrier.
std::vector<std::pair<const RingBarrier*, int>> runningOrder(const Signal& s) {
    std::vector<const RingBarrier*> lanes;
    for (const RingBarrier& rb : s.sequence) lanes.push_back(&rb);
    std::stable_sort(lanes.begin(), lanes.end(), [](const RingBarrier* a, const RingBarrier* b) {
        return a->ring != b->ring ? a->ring < b->ring : a->barrier < b->barrier;
    });
    std::vector<std::pair<const RingBarrier*, int>> out;
    for (const RingBarrier* rb : lanes)
        for (int phase : rb->phases)
            if (std::none_of(out.begin(), out.end(), [&](const auto& o) { return o.second == phase; }))
                out.emplace_back(rb, phase);
    return out;
}

}  // namespace

PlanWindow::PlanWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PlanWindow"));
    buildWidgets();
    updateTitle();
}

void PlanWindow::buildWidgets() {
    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    auto button = [this](const char* name, const QString& text, void (PlanWindow::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };

    intersections_ = new QComboBox(this);
    intersections_->setObjectName(QStringLiteral("intersection"));
    intersections_->setToolTip(QStringLiteral("The intersection of the project shown"));
    connect(intersections_, qOverload<int>(&QComboBox::activated), this, &PlanWindow::showIntersection);
    description_ = new QLineEdit(this);
    description_->setObjectName(QStringLiteral("description"));
    cycle_ = new QLineEdit(this);
    cycle_->setObjectName(QStringLiteral("cycleLength"));
    cycle_->setMaximumWidth(80);
    controller_ = new QComboBox(this);
    controller_->setObjectName(QStringLiteral("controller"));
    controller_->addItems({QStringLiteral("NEMA TS2"), QStringLiteral("Type 170")});
    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("mode"));
    mode_->addItems({QStringLiteral("Permissive"), QStringLiteral("Yield")});
    coordinated_ = label("coordinated", {});
    for (QLineEdit* edit : {description_, cycle_}) connect(edit, &QLineEdit::textEdited, this, &PlanWindow::fieldEdited);
    for (QComboBox* box : {controller_, mode_})
        connect(box, qOverload<int>(&QComboBox::activated), this, &PlanWindow::fieldEdited);

    rings_ = new QTableWidget(0, 0, this);
    rings_->setObjectName(QStringLiteral("ringsAndBarriers"));
    rings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rings_->setSelectionMode(QAbstractItemView::NoSelection);
    rings_->setFocusPolicy(Qt::NoFocus);
    rings_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rings_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    timing_ = table(this, "timingTable", kTimingHeads, TimingColumns);
    timing_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    connect(timing_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) fieldEdited();
    });

    calculate_ = new QPushButton(QStringLiteral("&Calculate"), this);
    calculate_->setObjectName(QStringLiteral("Calculate"));
    connect(calculate_, &QPushButton::clicked, this, [this] { calculate(); });
    copy_ = button("copyResults", QStringLiteral("Copy Results"), &PlanWindow::copyResults);
    save_ = new QPushButton(QStringLiteral("Save"), this);
    save_->setObjectName(QStringLiteral("save"));
    connect(save_, &QPushButton::clicked, this, [this] { save(false); });
    saveAs_ = new QPushButton(QStringLiteral("Save As\u2026"), this);
    saveAs_->setObjectName(QStringLiteral("saveAs"));
    connect(saveAs_, &QPushButton::clicked, this, [this] { save(true); });
    report_ = button("report", QStringLiteral("Report\u2026"), &PlanWindow::printReport);
    export_ = button("exportChart", QStringLiteral("Export Chart\u2026"), &PlanWindow::exportChart);

    noteLabel_ = label("resultsNote", {});
    noteLabel_->setWordWrap(true);
    offsets_ = label("offsets", {});
    offsets_->setWordWrap(true);
    offsets_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    results_ = table(this, "resultsTable", kResultHeads, ResultColumns);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    warningList_ = new QListWidget(this);
    warningList_->setObjectName(QStringLiteral("warnings"));
    warningList_->setWordWrap(true);
    warningList_->setMaximumHeight(fontMetrics().height() * 5);
    chart_ = new ChartView(this);
    chart_->setMinimumSize(int(chartFrameRight()), 2160 / 15);

    auto* header = new QGridLayout;
    header->addWidget(label("intersectionLabel", QStringLiteral("Intersection")), 0, 0);
    header->addWidget(intersections_, 0, 1);
    header->addWidget(label("descriptionLabel", QStringLiteral("Description")), 0, 2);
    header->addWidget(description_, 0, 3, 1, 3);
    header->addWidget(label("cycleLabel", QStringLiteral("Cycle Length")), 1, 0);
    header->addWidget(cycle_, 1, 1);
    header->addWidget(controller_, 1, 2);
    header->addWidget(mode_, 1, 3);
    header->addWidget(coordinated_, 1, 4, 1, 2);
    header->setColumnStretch(5, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(header);
    left->addWidget(label("ringsLabel", QStringLiteral("Rings and barriers, phases in running order")));
    left->addWidget(rings_);
    left->addWidget(label("timingLabel", QStringLiteral("Timing, seconds")));
    left->addWidget(timing_, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {calculate_, copy_, save_, saveAs_, report_, export_}) buttons->addWidget(b);
    buttons->addStretch();
    left->addLayout(buttons);

    auto* right = new QVBoxLayout;
    right->addWidget(label("resultsLabel", QStringLiteral("Results, seconds of local time")));
    right->addWidget(results_, 1);
    right->addWidget(noteLabel_);
    right->addWidget(offsets_);
    right->addWidget(warningList_);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(right, 2);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top, 1);
    whole->addWidget(chart_, 0, Qt::AlignLeft);

    setTabOrder(intersections_, description_);
    setTabOrder(description_, cycle_);
    setTabOrder(cycle_, controller_);
    setTabOrder(controller_, mode_);
    setTabOrder(mode_, timing_);
    setTabOrder(timing_, calculate_);
}

void PlanWindow::showProject(PlanProject project, const QString& path) {
    project_ = std::move(project);
    path_ = path;
    shown_ = 0;
    filling_ = true;
    intersections_->clear();
    for (const ProjectIntersection& x : project_.intersections) intersections_->addItem(qs(x.id));
    filling_ = false;
    intersections_->setEnabled(project_.intersections.size() > 1);
    fillFields();
    runCalculation();
    setModified(false);
}

const ProjectIntersection& PlanWindow::intersection() const {
    static const ProjectIntersection none;
    return shown_ >= 0 && std::size_t(shown_) < project_.intersections.size() ? project_.intersections[std::size_t(shown_)]
                                                                              : none;
}

void PlanWindow::showIntersection(int index) {
    if (index == shown_ || index < 0 || std::size_t(index) >= project_.intersections.size()) return;
    // The fields of the one shown go into the project first; a bad one keeps it shown.
    if (!applyFields()) {
        intersections_->setCurrentIndex(shown_);
        return;
    }
    shown_ = index;
    fillFields();
    runCalculation();
    updateTitle();
}

void PlanWindow::fillFields() {
    const Signal& s = intersection().signal;
    filling_ = true;
    description_->setText(qs(s.description));
    cycle_->setText(qs(s.cycle.text));
    controller_->setCurrentIndex(s.controller == Controller::Type170 ? 1 : 0);
    mode_->setCurrentIndex(s.mode == SignalMode::Yield ? 1 : 0);
    QStringList coordinated;
    for (int phase : s.coordinated) coordinated << phaseName(phase);
    coordinated_->setText(QStringLiteral("Coordinated: %1").arg(coordinated.isEmpty() ? QStringLiteral("none")
                                                                                      : coordinated.join(QStringLiteral(", "))));

    // Rings down, barriers across, each cell the ring's phases there in running order.
    std::vector<int> barriers;
    int rings = 1;
    for (const RingBarrier& rb : s.sequence) {
        if (std::find(barriers.begin(), barriers.end(), rb.barrier) == barriers.end()) barriers.push_back(rb.barrier);
        rings = std::max(rings, rb.ring);
    }
    std::sort(barriers.begin(), barriers.end());
    rings_->clear();
    rings_->setRowCount(rings);
    rings_->setColumnCount(int(barriers.size()));
    QStringList across, down;
    for (int b : barriers) across << QStringLiteral("Barrier %1").arg(b);
    for (int r = 1; r <= rings; ++r) down << QStringLiteral("Ring %1").arg(r);
    rings_->setHorizontalHeaderLabels(across);
    rings_->setVerticalHeaderLabels(down);
    for (const RingBarrier& rb : s.sequence) {
        const auto column = std::find(barriers.begin(), barriers.end(), rb.barrier) - barriers.begin();
        QStringList phases;
        for (int phase : rb.phases) phases << phaseName(phase);
        rings_->setItem(rb.ring - 1, int(column), fixedCell(phases.join(QStringLiteral(" \u2192 "))));
    }
    rings_->setFixedHeight(rings_->horizontalHeader()->sizeHint().height() +
                           rings * (rings_->fontMetrics().height() + 8) + 2 * rings_->frameWidth());

    const auto order = runningOrder(s);
    timing_->setRowCount(int(order.size()));
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int row = int(i);
        const SignalPhase* p = s.phase(order[i].second);
        const PhaseTiming* t = p && p->timing ? &*p->timing : nullptr;
        auto* phase = fixedCell(phaseName(order[i].second));
        phase->setData(Qt::UserRole, order[i].second);
        timing_->setItem(row, PhaseColumn, phase);
        timing_->setItem(row, RingColumn, fixedCell(QString::number(order[i].first->ring)));
        timing_->setItem(row, BarrierColumn, fixedCell(QString::number(order[i].first->barrier)));
        auto value = [&](float PhaseTiming::*field) { return t ? qs(formatNumber(t->*field)) : QString(); };
        timing_->setItem(row, Split, timeCell(value(&PhaseTiming::split)));
        timing_->setItem(row, MinGreen, timeCell(value(&PhaseTiming::minGreen)));
        timing_->setItem(row, Amber, timeCell(value(&PhaseTiming::amber)));
        timing_->setItem(row, AllRed, timeCell(value(&PhaseTiming::allRed)));
        timing_->setItem(row, Walk, timeCell(p ? timeText(p->walk) : QString()));
        timing_->setItem(row, Flash, timeCell(p ? timeText(p->flashDontWalk) : QString()));
    }
    fitWidth(timing_);
    filling_ = false;
}

std::optional<Signal> PlanWindow::signalOfFields() {
    Signal s = intersection().signal;
    auto refuse = [this](const QString& text, QWidget* field) {
        tell(this, text, kPhaseDataTitle, Icon::Warning);
        if (field) field->setFocus();
        return std::nullopt;
    };
    s.description = description_->text().toStdString();
    s.cycle.text = cycle_->text().trimmed().toStdString();
    s.cycle.seconds = parseNumber(s.cycle.text);
    if (!s.cycle.seconds) return refuse(QStringLiteral("Cycle Length is not a number!"), cycle_);
    if (!isTimeInRange(*s.cycle.seconds) || *s.cycle.seconds < 0)
        return refuse(QStringLiteral("Cycle Length is out of range!"), cycle_);
    s.controller = controller_->currentIndex() == 1 ? Controller::Type170 : Controller::NemaTs2;
    s.mode = mode_->currentIndex() == 1 ? SignalMode::Yield : SignalMode::Permissive;

    for (int row = 0; row < timing_->rowCount(); ++row) {
        const int number = timing_->item(row, PhaseColumn)->data(Qt::UserRole).toInt();
        auto phase = std::find_if(s.phases.begin(), s.phases.end(), [&](const SignalPhase& p) { return p.number == number; });
        if (phase == s.phases.end()) {
            s.phases.push_back(SignalPhase{number, {}, std::nullopt, std::nullopt, std::nullopt, 0});
            phase = s.phases.end() - 1;
        }
        std::optional<float> values[TimingColumns];
        for (int c = Split; c < TimingColumns; ++c) {
            const QString text = timing_->item(row, c)->text().trimmed();
            if (text.isEmpty()) continue;
            values[c] = parseNumber(text.toStdString());
            const QString where = QStringLiteral("%1 for %2").arg(QLatin1String(kFieldNames[c]), phaseName(number));
            auto focus = [&] {
                timing_->setCurrentCell(row, c);
                return refuse(where + QStringLiteral(" is not a number!"), timing_);
            };
            if (!values[c]) return focus();
            if (!isTimeInRange(*values[c]) || *values[c] < 0) {
                timing_->setCurrentCell(row, c);
                return refuse(where + QStringLiteral(" is out of range!"), timing_);
            }
        }
        // The four times that make a phase run come together, or not at all.
        const bool any = values[Split] || values[MinGreen] || values[Amber] || values[AllRed];
        for (int c = Split; c <= AllRed && any; ++c)
            if (!values[c]) {
                timing_->setCurrentCell(row, c);
                return refuse(QStringLiteral("%1 for %2 is empty: give split, min green, amber and all red together, "
                                             "or none of them")
                                  .arg(QLatin1String(kFieldNames[c]), phaseName(number)),
                              timing_);
            }
        phase->timing = any ? std::optional<PhaseTiming>(PhaseTiming{*values[Split], *values[MinGreen],
                                                                     *values[Amber], *values[AllRed]})
                            : std::nullopt;
        phase->walk = values[Walk];
        phase->flashDontWalk = values[Flash];
    }
    return s;
}

bool PlanWindow::applyFields() {
    const std::optional<Signal> s = signalOfFields();
    if (!s) return false;
    if (*s != intersection().signal) {
        project_.intersections[std::size_t(shown_)].signal = *s;
        setModified(true);
    }
    return true;
}

bool PlanWindow::calculate() {
    if (project_.intersections.empty()) return false;
    if (!applyFields()) return false;
    // The fields as read: "7.50" shows as 7.5 once calculated, as the timing window does.
    fillFields();
    runCalculation();
    return calculation_ && calculation_->stop == PlanStop::Completed;
}

void PlanWindow::runCalculation() {
    const ProjectIntersection& x = intersection();
    const ProjectRun run = runProjectIntersection(x.id, x.signal);
    calculation_ = run.calculation;
    note_ = run.note;
    warnings_ = run.calculated() ? checkPlan(x.signal, run.calculation) : std::vector<PlanWarning>{};
    stale_ = false;
    showResults();
}

void PlanWindow::showResults() {
    const Signal& s = intersection().signal;
    results_->setRowCount(0);
    warningList_->clear();
    // Marking the phases is no edit.
    filling_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{filling_};
    for (int row = 0; row < timing_->rowCount(); ++row) {
        QTableWidgetItem* phase = timing_->item(row, PhaseColumn);
        phase->setBackground(QBrush());
        phase->setToolTip({});
    }
    const bool completed = calculation_ && calculation_->stop == PlanStop::Completed;
    noteLabel_->setText(stale_ ? kStaleLine : completed ? QString() : qs(note_));
    offsets_->setText(qs(planOffsetLine(s, completed && !stale_ ? &*calculation_ : nullptr)));
    if (!completed) {
        chart_->setItems({}, std::nullopt);
        return;
    }
    const std::vector<PlanRow> rows = planRows(s, *calculation_);
    results_->setRowCount(int(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PlanRow& r = rows[i];
        const int row = int(i);
        results_->setItem(row, ResultPhase, fixedCell(phaseName(calculation_->phases[i].number)));
        results_->setItem(row, ResultRing, fixedCell(QString::number(r.ring)));
        results_->setItem(row, ResultBarrier, fixedCell(QString::number(r.barrier)));
        results_->setItem(row, ForceOff, timeCell(qs(r.fields[7])));
        results_->setItem(row, PermissiveStart, timeCell(qs(r.fields[8])));
        results_->setItem(row, PermissiveEnd, timeCell(qs(r.fields[9])));
    }
    fitWidth(results_);
    // Each warning in the list and on the phases it names.
    for (const PlanWarning& w : warnings_) {
        const QString text = qs(w.text);
        warningList_->addItem(text);
        for (int row = 0; row < timing_->rowCount(); ++row) {
            QTableWidgetItem* phase = timing_->item(row, PhaseColumn);
            if (std::find(w.phases.begin(), w.phases.end(), phase->data(Qt::UserRole).toInt()) == w.phases.end())
                continue;
            phase->setBackground(kWarningAmber);
            phase->setToolTip(phase->toolTip().isEmpty() ? text : phase->toolTip() + QLatin1Char('\n') + text);
        }
    }
    const PlanChart chart = planChart(s, *calculation_);
    chart_->setItems(planChartItems(chart, chart_->font(), chart_, ChartEdges::PixelGrid), planChartClock(chart));
}

void PlanWindow::fieldEdited() {
    setModified(true);
    if (!stale_ && calculation_) {
        stale_ = true;
        noteLabel_->setText(kStaleLine);
        offsets_->setText(qs(planOffsetLine(intersection().signal, nullptr)));
    }
}

void PlanWindow::setModified(bool modified) {
    const bool changed = modified != modified_;
    modified_ = modified;
    updateTitle();
    if (changed) Q_EMIT modifiedChanged(modified);
}

void PlanWindow::updateTitle() {
    const QString name = path_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path_).fileName();
    // The intersection shown as well: a plan loaded from a network has no file yet.
    const std::string& id = intersection().id;
    const QString shown = id.empty() ? QString() : QStringLiteral("Intersection %1 - ").arg(qs(id));
    setWindowTitle(QStringLiteral("%1 - %2%3[*]").arg(kTitle, shown, name));
    setWindowModified(modified_);
}

bool PlanWindow::haveResults(const QString& nothingToDo) {
    if (stale_) {
        tell(this, QStringLiteral("Calculate first"));
        return false;
    }
    if (!calculation_ || calculation_->stop != PlanStop::Completed) {
        tell(this, nothingToDo);
        return false;
    }
    return true;
}

bool PlanWindow::maySetAside() {
    if (!modified_) return true;
    const QString name = path_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path_).fileName();
    const Answer answer = dialogs().ask(
        this, Message{QStringLiteral("Save changes to %1?").arg(name), {}, Icon::Warning, Buttons::SaveDiscardCancel});
    if (answer == Answer::Discard) {
        // Given up: the window goes without asking again.
        setModified(false);
        return true;
    }
    return answer == Answer::Save && save(false);
}

void PlanWindow::closeEvent(QCloseEvent* event) {
    if (!maySetAside()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tavimo::ui
