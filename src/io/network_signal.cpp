// SPDX-License-Identifier: MIT
#include "io/network_signal.h"

#include "io/network_plan.h"

namespace tavimo {

std::string NetworkStanding::holdability() const {
    if (!placement) return unplacedReason;
    if (notCoordinated) return *notCoordinated;
    return "can be imported";
}

std::string NetworkStanding::window() const {
    if (placement) return "form";
    return planWindow ? "plan window" : "";
}

NetworkStanding standingOf(const NetworkIntersection& x) {
    NetworkStanding s;
    s.intersection = &x;
    auto placing = placeIntersection(x);
    if (auto* placed = std::get_if<NetworkPlacement>(&placing)) s.placement = std::move(*placed);
    else s.unplacedReason = std::move(std::get<std::string>(placing));
    s.notCoordinated = notCoordinatedReason(x);
    s.planWindow = !s.placement && !timeplanProblemOf(x) &&
                   std::holds_alternative<Signal>(networkPlan(x, Controller::NemaTs2, SignalMode::Permissive));
    return s;
}

NetworkVerdict verdictOf(const NetworkStanding& standing, const std::optional<std::string>& failure,
                         const std::array<std::optional<float>, 8>& forceOff, bool type170) {
    NetworkVerdict v;
    if (!standing.placement) {
        v.note = standing.unplacedReason;
        return v;
    }
    if (failure) {
        v.note = *failure;
        return v;
    }
    v.calculated = true;
    v.agreement = agreementWith(*standing.intersection, *standing.placement, forceOff, type170);
    v.note = standing.notCoordinated ? *standing.notCoordinated + "; " + v.agreement.line : v.agreement.line;
    return v;
}

}  // namespace tavimo
