// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/plan_calculation.h"
#include "model/signal.h"
#include "model/window_state.h"
#include "output/results_forms.h"

namespace tavimo {

// In calc/signal_offsets.h, which windows need not include: it brings the corridor's
// "signals", a word Qt takes for itself.
struct SignalOffsets;

// A signal's offset in each reference as every result view shows it: seconds with at
// most two decimals, the plan's own reference marked. A signal without an offset has
// none shown, and none is made up.

// "ts2 12, last_green 12 (own), type170 80, red 84"; "12 to last_green (not
// calculated)" where the plan could not be placed; "none" without an offset.
std::string offsetFigures(const std::optional<SignalOffsets>& offsets);
// The same after "Offset: ".
std::string offsetLine(const std::optional<SignalOffsets>& offsets);

// The offset line of the timing window's signal: "" without an offset; its figures in
// every reference where `calculated`, else the offset as given.
std::string windowOffsetLine(const WindowState& window, bool calculated = true);

// The offset line of a plan of any structure: "" without an offset; its figures in
// every reference where `plan` completed, else the offset as given.
std::string planOffsetLine(const Signal& signal, const PlanCalculation* plan);

// The csv columns appended after the others, with a leading comma, and one row's
// fields: Referenced To as its code, the offset as given, and the offset in each
// reference; all empty without an offset.
extern const char* const kOffsetCsvHead;
std::string offsetCsvFields(const std::optional<SignalOffsets>& offsets);

// Adds "referenced_to" (the code) and "offset" (an object of the offset in each
// reference: "ts2", "last_green", "type170", "red" and, with pedestrian timing,
// "flashing_dont_walk"; only the plan's own where it could not be placed), both null
// without an offset.
void addOffsetJson(Json& object, const std::optional<SignalOffsets>& offsets);

// Label and value pairs for a results table's context: the reference, then one line a
// reference. Nothing without an offset.
std::vector<std::pair<std::string, std::string>> offsetContext(const std::optional<SignalOffsets>& offsets);

}  // namespace tavimo
