#pragma once
// The block occurrence dialog's number boxes as texts: seven shape boxes (PieceType order) and
// sixteen special boxes (SpecialType order), in BlockOccurancy's order. What the boxes start
// with, the correction a special box makes while it is typed in, the group totals, what "Reset
// to Defaults" puts in and what OK accepts. The widgets only show these texts.

#include "common/bytes.h"
#include "engine/types.h"

#include <array>
#include <optional>

namespace kalvon {

using OccurrenceTexts = std::array<Bytes, kOccurancyEntries>;

inline constexpr char kOccurrenceNumberMessage[] = "You need to enter a number for block percentage!";

// Captions of the special rows, in SpecialType order.
inline constexpr std::array<const char*, kSpecialTypes> kSpecialCaptions{ "Add Line", "Clear Line",
    "Nuke Field", "Clear Random", "Switch Field", "Clear Specials", "Gravity", "Block Quake", "Push Field",
    "Flash Screen", "Drop Block", "Give Line", "Tremor", "Vertical Clear", "Block Bomb", "Holy Shield" };

// The block colour (0..5) the sample tiles of each shape row show, in PieceType order.
inline constexpr std::array<int, kPieceTypes> kShapeSampleColors{ 1, 0, 2, 4, 5, 3, 2 };

// The stored percentages as the boxes show them.
OccurrenceTexts occurrenceTexts(const BlockOccurancy& percentages);
// "Reset to Defaults": each group adds up to 100 (not the values a missing settings key takes).
OccurrenceTexts defaultOccurrenceTexts();

// A special box's text after its correction: a number above 100, or a text that is no number
// (an empty box too), becomes "100"; a number below 0 becomes "0"; any other text stays.
Bytes correctedSpecialText(BytesView text);

// "Total Percent: " and the sum of the shape boxes, or of the special boxes. A box whose text
// is not a 16-bit number counts 0.
Bytes shapeTotalText(const OccurrenceTexts& texts);
Bytes specialTotalText(const OccurrenceTexts& texts);

// What OK stores: every box as a whole number, a fraction rounded half to even. Nothing when a
// box holds no number or a number outside 0..100 (the first such box in `badBox`, counting
// shapes then specials): the dialog then tells kOccurrenceNumberMessage and stores nothing.
std::optional<BlockOccurancy> readOccurrenceBoxes(const OccurrenceTexts& texts, int* badBox = nullptr);

// Whether the boxes can be edited: in one- and two-player play not while a game is active; in
// internet play always.
bool occurrenceBoxesEnabled(GameMode mode, bool gameActive);

} // namespace kalvon
