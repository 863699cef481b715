// SPDX-License-Identifier: MIT
#include "model/phase_order.h"

namespace tavimo {

int coordinatedFocusPosition(const std::string& arrangement) {
    return arrangement == tag::kLead ? 2 : 1;
}

void phaseFocusGained(WindowState& state, int position) {
    // A text that is no phase number (a file may carry one) has nothing to release.
    const int v = phaseNumber(state.plan.at(position).phase);
    if (v == 0) return;
    state.chart.pictureVisible[v - 1] = false;
    state.chart.pictureVisible[v + 7] = false;
    // Inserting "v" at index v-1 and dropping the entry pushed down to index v leaves
    // exactly "v" at index v-1, whatever stood there.
    for (int k = 1; k <= kPositions; ++k)
        if (k != position) state.plan.at(k).phaseList[v - 1] = std::to_string(v);
}

void phaseFocusLost(WindowState& state, int position) {
    Position& here = state.plan.at(position);
    const int n = phaseNumber(here.phase);
    if (n != 0) {
        state.chart.pictureLeft[n - 1] = layout::kPictureLeft[position - 1];
        state.chart.pictureVisible[n - 1] = true;
        state.chart.pictureVisible[n + 7] = true;
    }
    // The inputs panel always repeats the picture places of the outputs panel.
    for (int i = 0; i < 8; ++i) state.chart.pictureLeft[i + 8] = state.chart.pictureLeft[i];

    if (here.phase.empty()) return;
    here.movementEnabled = true;
    // The selected entry of a pick list is the entry holding the text; by the list
    // invariant that is index n-1. A text found in no entry takes nothing.
    int j = -1;
    for (int i = 0; i < 8; ++i)
        if (here.phaseList[i] == here.phase) {
            j = i;
            break;
        }
    if (j < 0) return;
    for (int k = 1; k <= kPositions; ++k)
        if (k != position) state.plan.at(k).phaseList[j].clear();
}

void phaseChosen(WindowState& state, int position) {
    SignalPlan& plan = state.plan;
    const bool lead = plan.arrangement == tag::kLead;
    const bool lag = plan.arrangement == tag::kLag;
    auto enable = [&plan](std::initializer_list<int> positions) {
        for (int k : positions) plan.at(k).phaseEnabled = true;
    };
    if (position == 1 && lag) enable({2, 3, 4});
    if (position == 2 && lead) enable({1, 3, 4});
    if (position == 5 && lag) enable({6, 7, 8});
    if (position == 6 && lead) enable({5, 7, 8});
    plan.at(position).movementEnabled = true;
}

}  // namespace tavimo
