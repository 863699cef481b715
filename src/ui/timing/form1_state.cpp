// SPDX-License-Identifier: MIT
// Reading the timing window into a WindowState and writing one back.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

#include "calc/calculated_signal.h"
#include "output/offset_results.h"
#include "ui/timing/chart_view.h"
#include "ui/timing/field_text.h"
#include "ui/timing/form1.h"
#include "ui/timing/form1_geometry.h"
#include "ui/timing/pick_list.h"
#include "ui/timing/pictures.h"
#include "ui/common/twips.h"

namespace tavimo::ui {

namespace {

using namespace form1;

std::string textOf(const QLineEdit* e) { return e->text().toStdString(); }
QString q(const std::string& s) { return QString::fromStdString(s); }

void moveField(QWidget* w, double left, double top) {
    w->setGeometry(twipsRect(left, top, kFieldWidth, kFieldHeight));
}

}  // namespace

WindowState Form1::state() const {
    // What only the program changes (tags, lists, enabled states, geometry to the
    // twip) comes from the last state written; what the user edits, from the controls.
    WindowState s = state_;
    SignalPlan& p = s.plan;
    p.description = textOf(intDes_);
    p.cycleLength = textOf(cycleLength_);
    p.controlText = control_->text().toStdString();
    for (int k = 1; k <= kPositions; ++k) {
        Position& pos = p.at(k);
        const Column& c = columns_[k - 1];
        pos.phase = phase_[k - 1]->text().toStdString();
        pos.movementIndex = c.movement->currentIndex();
        pos.split = textOf(c.split);
        pos.green = textOf(c.green);
        pos.amber = textOf(c.amber);
        pos.red = textOf(c.red);
        pos.walk = textOf(c.walk);
        pos.flash = textOf(c.flash);
        pos.force = textOf(c.force);
        pos.pps = textOf(c.pps);
        pos.ppe = textOf(c.ppe);
    }
    s.chart.scrollValue = static_cast<float>(scroll_->value());
    return s;
}

void Form1::setState(const WindowState& s) {
    const bool wasApplying = applying_;
    applying_ = true;
    state_ = s;
    const SignalPlan& p = s.plan;
    const ChartLayout& chart = s.chart;

    showFieldText(intDes_, q(p.description));
    showFieldText(cycleLength_, q(p.cycleLength));
    control_->setText(q(p.controlText));

    // The option whose caption is the mode is set; a mode that is neither leaves both
    // options clear.
    const bool permissive = p.mode == tag::kPermissive, yield = p.mode == tag::kYield;
    if (!permissive && !yield) {
        for (QRadioButton* r : mode_) {
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        }
    } else {
        mode_[1]->setChecked(permissive);
        mode_[0]->setChecked(yield);
    }

    for (int k = 1; k <= kPositions; ++k) {
        const Position& pos = p.at(k);
        const Column& c = columns_[k - 1];
        const float column = chart.columnLeft[k - 1];

        PickList* phase = phase_[k - 1];
        QList<PickList::Entry> phaseEntries;
        for (const std::string& e : pos.phaseList) phaseEntries.append({q(e), {}});
        phase->setEntries(phaseEntries);
        phase->setText(q(pos.phase));
        phase->setEnabled(pos.phaseEnabled);
        phase->setLocked(pos.phaseLocked);
        phase->setGeometry(twipsRect(chart.phaseLeft[k - 1], k <= 4 ? layout::kRing1Top : layout::kRing2Top,
                                     kPhaseWidth, layout::kBarHeight));
        phase->setHidden(!pos.phaseVisible);

        QList<PickList::Entry> movements;
        for (const MovementEntry& e : pos.movementList) movements.append({q(e.code), movementIcon(e.picture)});
        c.movement->setEntries(movements);
        c.movement->select(pos.movementIndex);
        c.movement->setEnabled(pos.movementEnabled);
        c.movement->setLocked(pos.movementLocked);
        c.movement->setToolTip(q(pos.movementNote));
        c.movement->setGeometry(twipsRect(column, kMovementTop, kMovementWidth, kMovementHeight));
        c.movement->setHidden(!pos.rowVisible);

        const std::string* inputs[6] = {&pos.split, &pos.green, &pos.amber, &pos.red, &pos.walk, &pos.flash};
        const auto timing = c.timing();
        for (int i = 0; i < 6; ++i) {
            showFieldText(timing[i], q(*inputs[i]));
            timing[i]->setEnabled(pos.timingEnabled);
            moveField(timing[i], column, kInputTops[i]);
            timing[i]->setHidden(!pos.rowVisible);
        }
        const std::string* outputs[3] = {&pos.force, &pos.pps, &pos.ppe};
        const auto results = c.results();
        for (int i = 0; i < 3; ++i) {
            showFieldText(results[i], q(*outputs[i]));
            moveField(results[i], column, kOutputTops[i]);
            results[i]->setHidden(!pos.rowVisible);
        }
    }

    // Locked movements (an opened or imported signal) come back only with "Reset";
    // emptying them here would leave pull-downs that cannot be chosen again.
    resetMove_->setEnabled(std::none_of(p.positions.begin(), p.positions.end(),
                                        [](const Position& pos) { return pos.movementLocked; }));

    for (int i = 0; i < 16; ++i) {
        QLabel* pic = pictures_[i];
        pic->setGeometry(twipsRect(chart.pictureLeft[i], i < 8 ? kOutputPictureTop : kInputPictureTop, kPictureWidth, kPictureHeight));
        pic->setHidden(!chart.pictureVisible[i]);
    }

    chart_->setChart(s);
    scroll_->setValue(static_cast<int>(chart.scrollValue));
    showOffsets(s);
    applying_ = wasApplying;
    if (applying_) return;
    // Values the program wrote itself (another signal, a calculation blanking a row
    // without a phase) are no edit to undo: the history before them ends.
    if (!sameEditables(edited_, state_.plan)) forgetEdits();
    refreshModified();
}

void Form1::showOffsets(const WindowState& s) {
    // The offset in other references is the calculated plan's: until the results shown
    // are those of the inputs, only the offset as given.
    offsets_->setText(s.plan.offset ? q(windowOffsetLine(s, calculatedSignal(s).has_value()))
                                    : QStringLiteral("Offset: none"));
}

}  // namespace tavimo::ui
