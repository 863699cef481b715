// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>

#include "io/utdf_network.h"
#include "output/results_forms.h"

namespace tavimo::cli {

// tavimo-calc --list-corridors: each corridor of the network, its street, its signals in
// order and their cycle lengths (each length once, in the order met along the street).
void printCorridors(const UtdfNetwork& network, OutputFormat format, std::ostream& out);

}  // namespace tavimo::cli
