#pragma once
// Where the tile of a cell code lies in a theme's pictures. A type-1 theme's block sheet holds,
// per 96 x 80 frame, the 16 x 16 tiles six to a row from the top and the 8 x 8 tiles twelve to
// a row from y 64; a type-0 skin holds one set of each at (192, 176) and (192, 240). Codes
// 0..21 (colours, then the specials) use their own tile, codes 90..95 (the falling piece) the
// colour tile of code - 90; any other code has no tile.

#include <optional>

namespace kalvon {

inline constexpr int kTileSize = 16; // a local field's cell
inline constexpr int kSmallTileSize = 8; // an internet board's cell
inline constexpr int kBlockFrameHeight = 80;

enum class TileSize { Large, Small };

struct TileSpot {
    int x = 0;
    int y = 0;
    friend bool operator==(const TileSpot&, const TileSpot&) = default;
};

// The tile number of a cell code, or nothing.
std::optional<int> tileIndex(int code);
// Codes 6..21: special blocks, animated by the specials switch rather than the blocks switch.
bool isSpecialCode(int code);

// The tile in a type-1 block sheet, frame counted from 0.
std::optional<TileSpot> blockTile(int code, TileSize size, int frame);
// The tile in a type-0 skin.
std::optional<TileSpot> skinTile(int code, TileSize size);

} // namespace kalvon
