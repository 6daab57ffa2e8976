#pragma once
// The one-byte number encodings inside message payloads. Each number travels as the byte
// value + offset: PlayerChar (150) for player indices, slots, counts, levels and tallies;
// OptionChar (100) for game options; CellChar (colour + 90, 170 for an empty cell) for field
// cells; CoordChar (150) for a column or row. Encoders clamp a value to what one byte can
// carry; decoders give the raw value, which the caller range-checks before use.

#include "common/bytes.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace kalvon::wire {

inline constexpr int kPlayerOffset = 150;
inline constexpr int kOptionOffset = 100;
inline constexpr int kCellOffset = 90;
inline constexpr int kCoordOffset = 150;

// The decoded value of an empty cell (the byte 170 minus 90).
inline constexpr int kEmptyCell = 80;
inline constexpr int kEmptyCellByte = kEmptyCell + kCellOffset;
// Highest colour a cell may carry on the wire (0..5 normal blocks, 6..21 specials).
inline constexpr int kMaxWireColour = 21;

// The largest value one PlayerChar carries.
inline constexpr int kMaxPlayerValue = 255 - kPlayerOffset;

// The byte 150: the spectators, a free slot, "no game running".
inline constexpr char kPlayerNone = static_cast<char>(kPlayerOffset);
// The byte 149 (value -1): an empty slot in a field request.
inline constexpr char kPlayerEmptySlot = static_cast<char>(kPlayerOffset - 1);

namespace detail {
inline char offsetChar(int value, int offset)
{
    return byteChar(std::clamp(value + offset, 0, 255));
}
} // namespace detail

inline char PlayerChar(int n)
{
    return detail::offsetChar(n, kPlayerOffset);
}
inline char OptionChar(int v)
{
    return detail::offsetChar(v, kOptionOffset);
}
inline char CoordChar(int xy)
{
    return detail::offsetChar(xy, kCoordOffset);
}
// A filled cell of colour c, or an empty cell for kEmptyCell.
inline char CellChar(int c)
{
    return detail::offsetChar(c, kCellOffset);
}

inline int playerValue(char c)
{
    return byteCode(c) - kPlayerOffset;
}
inline int optionValue(char c)
{
    return byteCode(c) - kOptionOffset;
}
inline int coordValue(char c)
{
    return byteCode(c) - kCoordOffset;
}
inline int cellValue(char c)
{
    return byteCode(c) - kCellOffset;
}

// True for a cell value the wire may carry: a colour 0..21 or empty.
inline bool isWireCell(int value)
{
    return (value >= 0 && value <= kMaxWireColour) || value == kEmptyCell;
}

// The PlayerChar value at `pos` of a payload, nothing when the payload is shorter.
inline std::optional<int> playerAt(BytesView payload, std::size_t pos)
{
    if (pos >= payload.size())
        return std::nullopt;
    return playerValue(payload[pos]);
}

} // namespace kalvon::wire
