// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <utility>

#include "model/signal.h"

// The words a project file writes for the signal's choices, shared by its writer and
// its reader so that the two can never drift apart.
namespace tavimo::planproject {

template <typename E, std::size_t N>
using Names = std::array<std::pair<E, const char*>, N>;

inline constexpr Names<Controller, 2> kControllers{{{Controller::NemaTs2, "nema-ts2"}, {Controller::Type170, "type-170"}}};
inline constexpr Names<SignalMode, 2> kModes{{{SignalMode::Permissive, "permissive"}, {SignalMode::Yield, "yield"}}};
inline constexpr Names<Arrangement, 3> kArrangements{
    {{Arrangement::None, "none"}, {Arrangement::DualLead, "dual-lead"}, {Arrangement::DualLag, "dual-lag"}}};
inline constexpr Names<Approach, 5> kApproaches{{{Approach::None, "none"},
                                                 {Approach::NB, "NB"},
                                                 {Approach::EB, "EB"},
                                                 {Approach::SB, "SB"},
                                                 {Approach::WB, "WB"}}};
inline constexpr Names<OffsetReference, 5> kReferences{{{OffsetReference::LastGreen, "last-green"},
                                                        {OffsetReference::Type170, "type-170"},
                                                        {OffsetReference::Red, "red"},
                                                        {OffsetReference::Ts2, "ts2"},
                                                        {OffsetReference::FlashingDontWalk, "flash-dont-walk"}}};

template <typename E, std::size_t N>
const char* nameOf(const Names<E, N>& names, E value) {
    for (const auto& [e, name] : names)
        if (e == value) return name;
    return names[0].second;
}

}  // namespace tavimo::planproject
