// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>

#include "io/utdf_network.h"

namespace tavimo {

// Where one intersection of a network file stands, worked out once: placed on the
// grid or why not, and whether its plan is what Tavimo times. The network dialog and
// tavimo-calc read their list, their import and their agreement from it.
struct NetworkStanding {
    const NetworkIntersection* intersection = nullptr;
    std::optional<NetworkPlacement> placement;
    std::string unplacedReason;                 // why it cannot be placed
    std::optional<std::string> notCoordinated;  // why a placed plan is not actuated-coordinated
    // Not placed, but read whole as a ring-barrier plan: the plan window takes it.
    bool planWindow = false;

    // Placed and actuated-coordinated: what the dialog selects first.
    bool importable() const { return placement && !notCoordinated; }
    // The list's words: why it cannot be placed, why it is not coordinated, or "can be imported".
    std::string holdability() const;
    // Where an import opens it: "form" (the timing window), "plan window", or "" where
    // neither can.
    std::string window() const;
};

NetworkStanding standingOf(const NetworkIntersection& intersection);

// What the calculation of a placed intersection comes to, in the words the dialog and
// the calculator both show.
struct NetworkVerdict {
    bool calculated = false;     // the run completed
    NetworkAgreement agreement;  // of a calculated run
    // Why the run did not complete; or the agreement line, after what the user must
    // know besides (a plan that is not actuated-coordinated).
    std::string note;
};

// `failure` is why the run did not complete, none when it did; `forceOff` the
// calculated force-off at each position 1..8 (index 0..7); `type170` whether it was
// calculated for a Type 170 controller.
NetworkVerdict verdictOf(const NetworkStanding& standing, const std::optional<std::string>& failure,
                         const std::array<std::optional<float>, 8>& forceOff, bool type170);

}  // namespace tavimo
