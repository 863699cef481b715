// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/signal.h"

namespace tavimo {

// Positions of the ring-and-barrier grid are numbered 1..8: 1-4 ring 1, 5-8 ring 2;
// 1, 2, 5, 6 lie before the middle barrier. Arrays below are indexed 0..7, so
// position k lives at index k - 1. A phase number is a value held at a position.
constexpr int kPositions = 8;

// Header values are the fixed texts the window keeps in its tags and the project
// file stores. They are kept as texts: a file may carry other values, and the
// calculation tests only for the texts below.
namespace tag {
inline constexpr const char* kNema = "Nema";
inline constexpr const char* kType170 = "one70";
inline constexpr const char* kPermissive = "Permissive";
inline constexpr const char* kYield = "Yield";
inline constexpr const char* kLead = "Lead";
inline constexpr const char* kLag = "Lag";
}  // namespace tag

// One entry of a movement pull-down: the direction code ("NB", "EB", "SB", "WB"),
// which is both key and text, and the picture number 1..8 of the arrow.
struct MovementEntry {
    std::string code;
    int picture = 0;
    bool operator==(const MovementEntry& o) const { return code == o.code && picture == o.picture; }
};

// Everything the timing window holds for one position of the grid.
struct Position {
    // Phase-order pull-down Phase k: its text ("" or "1".."8") and its list of
    // exactly eight entries (entry i is "i+1" or "" when another position holds it).
    std::string phase;
    std::array<std::string, 8> phaseList{"1", "2", "3", "4", "5", "6", "7", "8"};
    bool phaseEnabled = false;
    bool phaseLocked = false;
    bool phaseVisible = true;

    // Movement pull-down ImageCombo(k): its entries and the selected one (-1: none).
    std::vector<MovementEntry> movementList;
    int movementIndex = -1;
    bool movementEnabled = false;
    bool movementLocked = false;
    // Why an imported phase has no movement, shown as the pull-down's hint; else "".
    std::string movementNote;

    // Timing inputs as typed; the six fields are enabled together.
    std::string split, green, amber, red, walk, flash;
    bool timingEnabled = false;

    // Results written by the calculation.
    std::string force, pps, ppe;

    // The row's fields (timing, results, movement) are shown; a calculation hides
    // the row of a position without a phase, the form reset shows it again.
    bool rowVisible = true;

    // The text the movement pull-down shows: the selected entry's code or "".
    std::string movement() const;
};

// The record of one signal, exactly as the timing window holds it.
struct SignalPlan {
    std::string description;   // IntDes
    std::string cycleLength;   // cycleLength text
    std::string cycleCopy;     // tag of timer: kept equal to cycleLength
    std::string controller;    // tag of Calculate: "Nema" or "one70"
    std::string controlText;   // text shown by the controller pull-down
    std::string mode;          // tag of Phase1: "Permissive" or "Yield"
    std::string arrangement;   // tag of Phase5: "Lead" or "Lag"
    std::string projectFile;   // tag of Form1: the file last opened or saved
    // What the new-signal dialog or a network file gives besides the timing; a .tvm
    // file has no place for them, so an opened signal has neither.
    std::string createdBy;
    std::optional<Offset> offset;
    // The phases a network file's controller coordinates (its Reference Phase) where
    // they place its offset: the grid coordinates two phases of a plan that has one.
    std::vector<int> coordinatedByFile;
    std::array<Position, kPositions> positions;

    Position& at(int position) { return positions[position - 1]; }
    const Position& at(int position) const { return positions[position - 1]; }

    // Sets the cycle length and its copy together, as every edit of the field does.
    void setCycleLength(const std::string& text) { cycleLength = cycleCopy = text; }

    // Sets the controller tag and the text its pull-down shows: "170" for any tag but
    // "Nema", and for "Nema" the list item "NEMA" or the text "Nema" that an opened
    // file and an import have always shown (no list item, so leaving the pull-down
    // keeps the controller as it is).
    enum class NemaShown { ListItem, AsFiled };
    void setController(const std::string& tag, NemaShown shown);
};

// The controller tag of a list item of the controller pull-down: "Nema" for "NEMA",
// "one70" for "170", nothing for any other text.
std::optional<std::string> controllerOfListItem(const std::string& text);

// Kind of a position under an arrangement: under "Lead" the odd positions carry the
// left turns, under "Lag" the even ones.
bool isLeftTurnPosition(const std::string& arrangement, int position);

// The four entries of a movement list for a position under an arrangement, in the
// order NB, EB, SB, WB; empty when the arrangement is neither "Lead" nor "Lag".
std::vector<MovementEntry> movementListFor(const std::string& arrangement, int position);

// The controller type as engineers name it: "NEMA TS2", "Type 170"; another tag as it is.
std::string controllerName(const std::string& controller);

// Phase number 1..8 of a phase-order text, or 0 when the text is none of "1".."8".
int phaseNumber(const std::string& text);

// Entry index of a direction code in the standard lists: NB 0, EB 1, SB 2, WB 3, else -1.
int directionIndex(const std::string& code);

}  // namespace tavimo
