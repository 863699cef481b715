// SPDX-License-Identifier: MIT
#include "concurrent_rows.h"

namespace tavimo {

namespace {

// Both take the smaller value. A window never assigned counts as 0, the value every
// unassigned result holds, and is copied as it is.
void join(std::optional<float>& a, std::optional<float>& b) {
    if (a.value_or(0.f) >= b.value_or(0.f)) a = b;
    else b = a;
}

void joinRows(PlanResults& r, int startA, int startB, int endA, int endB) {
    join(r.ps[startA], r.ps[startB]);
    join(r.pe[endA], r.pe[endB]);
}

}  // namespace

void joinConcurrentRows(const PlanTimes& t, PlanResults& r) {
    for (int n : {1, 5})
        if (r.pe[n] && *r.pe[n] > t.C) r.pe[n] = *r.pe[n] - t.C;

    const auto& on = t.phaseSet;
    if (t.lead && on[1] && on[5]) joinRows(r, 1, 5, 1, 5);
    if (t.lag && on[2] && on[6]) joinRows(r, 2, 6, 2, 6);

    if (t.code[0] == t.code[1]) {
        if (on[3] && on[7]) joinRows(r, 3, 7, 3, 7);
        if (on[4] && on[8]) joinRows(r, 4, 8, 4, 8);
        return;
    }
    // Different codes: the first side-street phases of the two rings share their
    // start and the last ones their end.
    const int set = (on[3] ? 8 : 0) | (on[4] ? 4 : 0) | (on[7] ? 2 : 0) | (on[8] ? 1 : 0);
    switch (set) {
    case 0b1010: joinRows(r, 3, 7, 3, 7); break;  // 3, 7
    case 0b1001: joinRows(r, 3, 8, 3, 8); break;  // 3, 8
    case 0b0110: joinRows(r, 4, 7, 4, 7); break;  // 4, 7
    case 0b0101: joinRows(r, 4, 8, 4, 8); break;  // 4, 8
    case 0b1110: joinRows(r, 3, 7, 4, 7); break;  // 3, 4, 7
    case 0b1011: joinRows(r, 3, 7, 3, 8); break;  // 3, 7, 8
    case 0b1101: joinRows(r, 3, 8, 4, 8); break;  // 3, 4, 8
    case 0b0111: joinRows(r, 4, 7, 4, 8); break;  // 4, 7, 8
    case 0b1111:
        join(r.ps[3], r.ps[7]);
        join(r.ps[4], r.ps[8]);
        join(r.pe[3], r.pe[7]);
        join(r.pe[4], r.pe[8]);
        break;
    default: break;
    }
}

}  // namespace tavimo
