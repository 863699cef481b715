// SPDX-License-Identifier: MIT
#include "output/offset_results.h"

#include "calc/signal_offsets.h"
#include "model/number_text.h"

namespace tavimo {

namespace {

const OffsetReference kReferences[] = {OffsetReference::Ts2, OffsetReference::LastGreen, OffsetReference::Type170,
                                       OffsetReference::Red, OffsetReference::FlashingDontWalk};

// At most two decimals: the corridor's figures are written so.
std::string secondsText(double value) { return decimalsText(value, 2); }

std::string inReference(const SignalOffsets& offsets, OffsetReference reference) {
    if (!offsets.points) return reference == offsets.own.reference ? secondsText(offsets.own.seconds) : "";
    const std::optional<double> at = offsetIn(*offsets.points, reference);
    return at ? secondsText(*at) : "";
}

}  // namespace

const char* const kOffsetCsvHead =
    ",referenced_to,offset,offset_ts2,offset_last_green,offset_type170,offset_red,offset_flashing_dont_walk";

std::string offsetFigures(const std::optional<SignalOffsets>& offsets) {
    if (!offsets) return "none";
    const char* own = referenceName(offsets->own.reference);
    if (!offsets->points) return secondsText(offsets->own.seconds) + " to " + own + " (not calculated)";
    std::string figures;
    for (OffsetReference reference : kReferences) {
        const std::string at = inReference(*offsets, reference);
        if (at.empty()) continue;
        figures += (figures.empty() ? "" : ", ") + std::string(referenceName(reference)) + " " + at;
        if (reference == offsets->own.reference) figures += " (own)";
    }
    return figures;
}

std::string offsetLine(const std::optional<SignalOffsets>& offsets) { return "Offset: " + offsetFigures(offsets); }

std::string windowOffsetLine(const WindowState& window, bool calculated) {
    if (!window.plan.offset) return "";
    return offsetLine(calculated ? windowOffsetsOf(window) : SignalOffsets{*window.plan.offset, std::nullopt});
}

std::string planOffsetLine(const Signal& signal, const PlanCalculation* plan) {
    if (!signal.offset) return "";
    if (!plan || plan->stop != PlanStop::Completed) return offsetLine(SignalOffsets{*signal.offset, std::nullopt});
    return offsetLine(signalOffsetsOf(signal, *plan));
}

std::string offsetCsvFields(const std::optional<SignalOffsets>& offsets) {
    if (!offsets) return std::string(7, ',');
    std::string fields = "," + std::to_string(static_cast<int>(offsets->own.reference)) + "," +
                         secondsText(offsets->own.seconds);
    for (OffsetReference reference : kReferences) fields += "," + inReference(*offsets, reference);
    return fields;
}

void addOffsetJson(Json& object, const std::optional<SignalOffsets>& offsets) {
    if (!offsets) {
        object["referenced_to"] = nullptr;
        object["offset"] = nullptr;
        return;
    }
    object["referenced_to"] = static_cast<int>(offsets->own.reference);
    Json in = Json::object();
    for (OffsetReference reference : kReferences)
        if (const std::string at = inReference(*offsets, reference); !at.empty())
            in[referenceName(reference)] = jsonNumber(at);
    object["offset"] = std::move(in);
}

std::vector<std::pair<std::string, std::string>> offsetContext(const std::optional<SignalOffsets>& offsets) {
    if (!offsets) return {};
    std::vector<std::pair<std::string, std::string>> lines{{"Referenced To", referenceName(offsets->own.reference)}};
    for (OffsetReference reference : kReferences)
        if (const std::string at = inReference(*offsets, reference); !at.empty())
            lines.push_back({std::string("Offset ") + referenceName(reference), at});
    return lines;
}

}  // namespace tavimo
