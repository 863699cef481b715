// SPDX-License-Identifier: MIT
#include "nema_timing.h"

namespace tavimo {

int configurationCode(float leftTurn, float side1, float side2, bool lead) {
    // A row is in use with a split above 0 and unused with a split of exactly 0; a
    // negative split is neither, and no code matches.
    auto state = [](float s) { return s > 0 ? 1 : s == 0 ? 0 : -1; };
    const int l = state(leftTurn), a = state(side1), b = state(side2);
    if (l < 0 || a < 0 || b < 0) return 1;
    int code = 0;
    if (l && a && b) code = 1;
    else if (l && a) code = 2;
    else if (l && b) code = 3;
    else if (a && b) code = 4;
    else if (a) code = 5;
    else if (b) code = 6;
    else if (l) code = 7;
    else return 1;
    return (lead ? 10 : 20) + code;
}

namespace {

// One ring's rows seen through their place in the ring: row(1) is the ring's first
// position (1 or 5). Ring 2 runs the ring-1 formulas with every row raised by 4.
struct Ring {
    const PlanTimes& t;
    PlanResults& r;
    int o;  // 0 for ring 1, 4 for ring 2

    float s(int n) const { return t.s[o + n]; }
    float g(int n) const { return t.g[o + n]; }
    float c(int n) const { return t.c[o + n]; }
    float& FO(int n) { return r.fo[o + n]; }
    std::optional<float>& PS(int n) { return r.ps[o + n]; }
    std::optional<float>& PE(int n) { return r.pe[o + n]; }
};

// Code 17: the leading left turn ends where the coordinated phase starts, the
// coordinated split before the barrier, one cycle on from local zero.
float leftTurnEnd17(const Ring& x, float B, float C) { return C + B - x.s(2); }

// Dual Lead: the ring runs coordinated, side street, side street, and the leading
// left turn closes the cycle. B is the time from local zero to the barrier, common to
// both rings because the longer coordinated split holds the barrier.
void leadRing(Ring x, int code, float B, float C) {
    switch (code) {
    case 11:
        x.FO(2) = B - x.c(2);
        x.FO(3) = B + x.s(3) - x.c(3);
        x.FO(4) = B + x.s(3) + x.s(4) - x.c(4);
        x.FO(1) = B + x.s(3) + x.s(4) + x.s(1) - x.c(1);
        x.PS(3) = x.FO(2);
        x.PE(3) = x.FO(3) - x.g(3) - x.c(2);
        x.PS(4) = x.FO(3);
        x.PE(4) = x.FO(4) - x.g(4) - x.c(3);
        x.PS(1) = x.FO(4);
        x.PE(1) = B + x.s(3) + x.s(4) + x.s(1) - x.c(4) - x.g(1) - x.c(1);
        break;
    case 12:
        x.FO(2) = B - x.c(2);
        x.FO(3) = B + x.s(3) - x.c(3);
        x.FO(1) = B + x.s(3) + x.s(1) - x.c(1);
        x.PS(3) = x.FO(2);
        x.PE(3) = x.FO(3) - x.g(3) - x.c(2);
        x.PS(1) = x.FO(3);
        x.PE(1) = B + x.s(3) + x.s(1) - x.c(1) - x.c(3) - x.g(1);
        break;
    case 13:
        x.FO(2) = B - x.c(2);
        x.FO(4) = B + x.s(4) - x.c(4);
        x.FO(1) = B + x.s(4) + x.s(1) - x.c(1);
        x.PS(4) = x.FO(2);
        x.PE(4) = x.FO(4) - x.g(4) - x.c(2);
        x.PS(1) = x.FO(4);
        x.PE(1) = B + x.s(4) + x.s(1) - x.c(1) - x.c(4) - x.g(1);
        break;
    case 14:
        x.FO(2) = x.s(2) - x.c(2);
        x.FO(3) = x.s(2) + x.s(3) - x.c(3);
        x.FO(4) = C - x.c(4);
        x.PS(3) = x.FO(2);
        x.PE(3) = x.FO(3) - x.g(3) - x.c(2);
        x.PS(4) = x.s(2) + x.s(3) - x.c(3);
        x.PE(4) = x.s(2) + x.s(3) + x.s(4) - x.c(4) - x.g(4) - x.c(3);
        break;
    case 15:
        x.FO(2) = x.s(2) - x.c(2);
        x.FO(3) = x.s(2) + x.s(3) - x.c(3);
        x.PS(3) = x.FO(2);
        x.PE(3) = x.FO(3) - x.g(3) - x.c(2);
        break;
    case 16:
        x.FO(2) = x.s(2) - x.c(2);
        x.FO(4) = C - x.c(4);
        x.PS(4) = x.FO(2);
        x.PE(4) = C - x.c(4) - x.g(4) - x.c(2);
        break;
    case 17:
        // No side street in this ring (a T-intersection): the coordinated phase holds
        // the barrier and the left turn runs up to its start in the next cycle. The
        // window depends on the other ring and is opened once both are timed.
        x.FO(2) = B - x.c(2);
        x.FO(1) = leftTurnEnd17(x, B, C) - x.c(1);
        break;
    default:
        break;
    }
    // The leading left turn's force-off falls after the cycle's end: fold it back.
    if ((code >= 11 && code <= 13) || code == 17) {
        if (x.FO(1) > C) x.FO(1) = x.FO(1) - C;
    }
}

// Dual Lag: the ring runs from local zero coordinated, lagging left turn, side street,
// side street.
void lagRing(Ring x, int code, float C) {
    switch (code) {
    case 21:
    case 22:
    case 23:
    case 27:
        x.FO(1) = x.s(1) - x.c(1);
        x.FO(2) = x.s(2) + x.s(1) - x.c(2);
        x.PS(2) = x.s(1) - x.c(1);
        if (code == 27)
            x.PE(2) = x.s(2) + x.s(1) - x.c(1) - x.g(2) - x.c(2);
        else
            x.PE(2) = x.s(2) + x.s(1) - x.c(1) - x.c(2) - x.g(2);
        break;
    case 24:
    case 25:
    case 26:
        x.FO(1) = x.s(1) - x.c(1);
        break;
    default:
        return;
    }
    switch (code) {
    case 21:
    case 22:
        x.FO(3) = x.s(2) + x.s(1) + x.s(3) - x.c(3);
        x.PS(3) = x.s(2) + x.s(1) - x.c(2);
        x.PE(3) = x.FO(3) - x.g(3) - x.c(2);
        if (code == 21) {
            x.FO(4) = x.s(2) + x.s(1) + x.s(3) + x.s(4) - x.c(4);
            x.PS(4) = x.s(2) + x.s(1) + x.s(3) - x.c(3);
            x.PE(4) = C - x.c(4) - x.g(4) - x.c(3);
        }
        break;
    case 23:
        x.FO(4) = x.s(2) + x.s(1) + x.s(4) - x.c(4);
        x.PS(4) = x.s(2) + x.s(1) - x.c(2);
        x.PE(4) = x.FO(4) - x.g(4) - x.c(2);
        break;
    case 24:
    case 25:
        x.FO(3) = x.s(1) + x.s(3) - x.c(3);
        x.PS(3) = x.s(1) - x.c(1);
        x.PE(3) = x.FO(3) - x.g(3) - x.c(1);
        if (code == 24) {
            x.FO(4) = x.s(1) + x.s(3) + x.s(4) - x.c(4);
            x.PS(4) = x.s(1) + x.s(3) - x.c(3);
            x.PE(4) = C - x.c(4) - x.g(4) - x.c(3);
        }
        break;
    case 26:
        x.FO(4) = x.s(1) + x.s(4) - x.c(4);
        x.PS(4) = x.s(1) - x.c(1);
        x.PE(4) = x.s(1) + x.s(4) - x.c(1) - x.c(4) - x.g(4);
        break;
    default:
        break;
    }
}

float barrierTime(const PlanTimes& t) { return t.s[2] >= t.s[6] ? t.s[2] : t.s[6]; }

}  // namespace

bool onlyCoordinatedInUse(const PlanTimes& t, int ring) {
    const int o = ring * 4;
    const int optional[3] = {o + (t.lead ? 1 : 2), o + 3, o + 4};
    for (int n : optional)
        if (t.s[n] != 0) return false;
    return t.coordinatedInUse(ring);
}

void computeNemaRing(const PlanTimes& t, int ring, PlanResults& r) {
    Ring x{t, r, ring * 4};
    const int code = t.code[ring];
    const float B = barrierTime(t);
    if (t.lead) r.B = B;
    if (code >= 11 && code <= 17) leadRing(x, code, B, t.C);
    else if (code >= 21 && code <= 27) lagRing(x, code, t.C);
    else if (code == 1 && onlyCoordinatedInUse(t, ring)) {
        if (t.lead) x.FO(2) = B - x.c(2);
        else x.FO(1) = x.s(1) - x.c(1);
    }
}

void openLeftTurnWindows17(const PlanTimes& t, PlanResults& r) {
    const float B = barrierTime(t);
    for (int ring = 0; ring < 2; ++ring) {
        if (t.code[ring] != 17) continue;
        Ring x{t, r, ring * 4};
        // The phase before the left turn is the last side street of the other ring,
        // which holds the barrier; without one, this ring's own coordinated phase.
        const int other = (1 - ring) * 4;
        const int before = t.s[other + 4] > 0 ? other + 4 : t.s[other + 3] > 0 ? other + 3 : ring * 4 + 2;
        x.PS(1) = r.fo[before];
        // From the left turn's end before it is folded into the cycle, as codes 11 to
        // 13 do; the wrap of the joining brings it back.
        x.PE(1) = leftTurnEnd17(x, B, t.C) - x.c(1) - x.g(1) - t.c[before];
    }
}

}  // namespace tavimo
