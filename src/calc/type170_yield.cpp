// SPDX-License-Identifier: MIT
#include "type170_yield.h"

#include <initializer_list>

#include "model/number_text.h"

#include "nema_timing.h"

namespace tavimo {

namespace {

enum Value { FO, PS, PE };
struct Item {
    Value v;
    int row;  // 1..4 within the ring
};

class Shifter {
public:
    Shifter(PlanResults& r, int o, float shift, bool round) : r_(r), o_(o), shift_(shift), round_(round) {}

    void operator()(std::initializer_list<Item> items) const {
        for (const Item& i : items) {
            const int n = o_ + i.row;
            if (i.v == FO) r_.fo[n] = moved(r_.fo[n]);
            else {
                std::optional<float>& v = i.v == PS ? r_.ps[n] : r_.pe[n];
                if (v) v = moved(*v);
            }
        }
    }

private:
    float moved(float value) const {
        const float m = value - shift_;
        return round_ ? roundToTenth(m) : m;
    }
    PlanResults& r_;
    int o_;
    float shift_;
    bool round_;
};

void shiftRing(const PlanTimes& t, PlanResults& r, int ring, float shift, float M) {
    const int o = ring * 4;
    const int code = t.code[ring];
    // Ring 1's fully used Lead ring is rounded to tenths; nothing of ring 2 is.
    const bool round = ring == 0 && code == 11;
    const Shifter minus{r, o, shift, round};
    const float sCoord = t.s[o + 2], cCoord = t.c[o + 2], cLeft = t.c[o + 1];

    // Under Dual Lead the coordinated phase forces off its clearance before the
    // larger coordinated clearance ends, and the leading left turn ends the cycle.
    auto leadCoordinated = [&](bool withLeftTurn) {
        const float fo = M - cCoord;
        r.fo[o + 2] = round ? roundToTenth(fo) : fo;
        if (withLeftTurn) r.fo[o + 1] = t.C - sCoord + M - cLeft;
    };

    switch (code) {
    case 11:
        leadCoordinated(true);
        minus({{PS, 1}, {PE, 1}, {FO, 3}, {FO, 4}, {PS, 3}, {PE, 3}, {PS, 4}, {PE, 4}});
        break;
    case 12:
        leadCoordinated(true);
        minus({{PS, 1}, {PE, 1}, {FO, 3}, {PS, 3}, {PE, 3}});
        break;
    case 13:
        leadCoordinated(true);
        minus({{PS, 1}, {PE, 1}, {FO, 4}, {PS, 4}, {PE, 4}});
        break;
    case 14:
        leadCoordinated(false);
        minus({{FO, 3}, {FO, 4}, {PS, 3}, {PE, 3}, {PS, 4}, {PE, 4}});
        break;
    case 15:
        leadCoordinated(false);
        minus({{FO, 3}, {PS, 3}, {PE, 3}});
        break;
    case 16:
        leadCoordinated(false);
        minus({{FO, 4}, {PS, 4}, {PE, 4}});
        break;
    case 21:
        minus({{FO, 1}, {FO, 2}, {PS, 2}, {PE, 2}, {FO, 3}, {FO, 4}, {PS, 3}, {PE, 3}, {PS, 4}, {PE, 4}});
        break;
    case 22:
        minus({{FO, 1}, {FO, 2}, {PS, 2}, {PE, 2}, {FO, 3}, {PS, 3}, {PE, 3}});
        break;
    case 23:
        minus({{FO, 1}, {FO, 2}, {PS, 2}, {PE, 2}, {FO, 4}, {PS, 4}, {PE, 4}});
        break;
    case 24:
        minus({{FO, 1}, {FO, 3}, {FO, 4}, {PS, 3}, {PE, 3}, {PS, 4}, {PE, 4}});
        break;
    case 25:
        minus({{FO, 1}, {FO, 3}, {PS, 3}, {PE, 3}});
        break;
    case 26:
        minus({{FO, 1}, {FO, 4}, {PS, 4}, {PE, 4}});
        break;
    case 17:
        // The T-intersection moves like code 12: its left turn closes the cycle.
        leadCoordinated(true);
        minus({{PS, 1}, {PE, 1}});
        break;
    case 27:
        minus({{FO, 1}, {FO, 2}, {PS, 2}, {PE, 2}});
        break;
    case 1:
        if (!onlyCoordinatedInUse(t, ring)) break;
        if (t.lead) leadCoordinated(false);
        else minus({{FO, 1}});
        break;
    default:
        break;
    }
}

// The coordinated row the reference and the yield point are taken from: the earlier
// of the two under comparison, or the only one in use.
int earlierCoordinated(const PlanTimes& t, const PlanResults& r) {
    const int a = t.coordinatedRow(0), b = t.coordinatedRow(1);
    if (t.coordinatedInUse(0) != t.coordinatedInUse(1)) return t.coordinatedInUse(0) ? a : b;
    return r.fo[a] >= r.fo[b] ? b : a;
}

}  // namespace

int moveToType170(const PlanTimes& t, PlanResults& r) {
    float shift = 0, M = 0;
    int later = 0;
    if (t.lead) {
        if (t.coordinatedInUse(0) != t.coordinatedInUse(1)) {
            // One coordinated phase: its own yellow is the local zero. The row without
            // one is returned so that the chart marks its partner's yellow.
            const int K = t.coordinatedInUse(0) ? 2 : 6;
            later = K == 2 ? 6 : 2;
            M = t.c[K];
            shift = r.fo[K] - M + t.c[K];
        } else {
            later = r.fo[2] > r.fo[6] ? 2 : 6;
            M = t.c[2] > t.c[6] ? t.c[2] : t.c[6];
            shift = r.fo[later] - M + t.c[later];
        }
    } else {
        shift = r.fo[earlierCoordinated(t, r)];
    }
    r.type170Shift = shift;
    shiftRing(t, r, 0, shift, M);
    shiftRing(t, r, 1, shift, M);
    return later;
}

void applyYieldPoint(const PlanTimes& t, PlanResults& r) {
    const int a = t.coordinatedRow(0), b = t.coordinatedRow(1);
    const float yieldPoint = r.fo[earlierCoordinated(t, r)];
    r.yieldPoint = yieldPoint;
    // The coordinated rows are skipped: 2 and 6 under Lead, 1 and 5 under Lag.
    for (int n = 1; n <= 8; ++n)
        if (n != a && n != b && t.s[n] > 0) r.ps[n] = yieldPoint;
}

}  // namespace tavimo
