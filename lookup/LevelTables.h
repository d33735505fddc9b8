#pragma once
// The program's whole knowledge: the figures of each level of the two level
// tracks, compiled in. Values are display texts, handed to the labels byte
// for byte; several end in blanks that belong to them.

#include <span>
#include <string_view>

struct LevelRow {
    std::string_view key;     // the level as the user types it: "0", "7", "30"
    std::string_view first;   // shown in the panel's first result label
    std::string_view second;  // shown in the panel's second result label
};

// Ordered by ascending level; keys are unique and never empty.
using LevelTable = std::span<const LevelRow>;

// Adventure track: levels "0"-"30", courage value and HP.
extern const LevelTable AdventureTable;
// Competitive track: levels "1"-"30", rank title and total experience.
extern const LevelTable CompetitiveTable;
