// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "io/utdf_network.h"

namespace tavimo::ui {

// The band figures of a route (INTIDs in the order driven), both ways, as lines for a
// message: band, efficiency and attainability per direction, or why there is no band.
// The route must be one the network can travel both ways; otherwise the reason.
QString corridorBandsText(const UtdfNetwork& network, const std::vector<std::string>& ids);

}  // namespace tavimo::ui
