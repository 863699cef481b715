// SPDX-License-Identifier: MIT
#include "model/signal_plan.h"

namespace tavimo {

std::string Position::movement() const {
    if (movementIndex < 0 || movementIndex >= static_cast<int>(movementList.size())) return {};
    return movementList[movementIndex].code;
}

std::string controllerName(const std::string& controller) {
    return controller == tag::kType170 ? "Type 170" : controller == tag::kNema ? "NEMA TS2" : controller;
}

void SignalPlan::setController(const std::string& tag, NemaShown shown) {
    controller = tag;
    controlText = tag != tag::kNema ? "170" : shown == NemaShown::ListItem ? "NEMA" : "Nema";
}

std::optional<std::string> controllerOfListItem(const std::string& text) {
    if (text == "NEMA") return std::string(tag::kNema);
    if (text == "170") return std::string(tag::kType170);
    return std::nullopt;
}

bool isLeftTurnPosition(const std::string& arrangement, int position) {
    const bool odd = position % 2 == 1;
    return arrangement == tag::kLead ? odd : !odd;
}

std::vector<MovementEntry> movementListFor(const std::string& arrangement, int position) {
    if (arrangement != tag::kLead && arrangement != tag::kLag) return {};
    // Pictures of the image list: 1 NB left, 2 NB through, 3 WB left, 4 WB through,
    // 5 SB left, 6 SB through, 7 EB left, 8 EB through.
    if (isLeftTurnPosition(arrangement, position))
        return {{"NB", 1}, {"EB", 7}, {"SB", 5}, {"WB", 3}};
    return {{"NB", 2}, {"EB", 8}, {"SB", 6}, {"WB", 4}};
}

int phaseNumber(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '8') return 0;
    return text[0] - '0';
}

int directionIndex(const std::string& code) {
    if (code == "NB") return 0;
    if (code == "EB") return 1;
    if (code == "SB") return 2;
    if (code == "WB") return 3;
    return -1;
}

}  // namespace tavimo
