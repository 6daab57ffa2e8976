#include "render/blocktiles.h"

namespace kalvon {

namespace {

constexpr int kLargePerRow = 6;
constexpr int kSmallPerRow = 12;
constexpr int kSmallTilesTop = 64; // the 8 x 8 tiles start below the 16 x 16 ones
constexpr int kSkinLeft = 192;
constexpr int kSkinLargeTop = 176;
constexpr int kSkinSmallTop = 240;
constexpr int kLastTile = 21;
constexpr int kFirstFallingCode = 90;
constexpr int kLastFallingCode = 95;

TileSpot spotInGrid(int tile, TileSize size)
{
    if (size == TileSize::Large)
        return { kTileSize * (tile % kLargePerRow), kTileSize * (tile / kLargePerRow) };
    return { kSmallTileSize * (tile % kSmallPerRow), kSmallTileSize * (tile / kSmallPerRow) };
}

} // namespace

std::optional<int> tileIndex(int code)
{
    if (code >= 0 && code <= kLastTile)
        return code;
    if (code >= kFirstFallingCode && code <= kLastFallingCode)
        return code - kFirstFallingCode;
    return std::nullopt;
}

bool isSpecialCode(int code)
{
    return code >= 6 && code <= kLastTile;
}

std::optional<TileSpot> blockTile(int code, TileSize size, int frame)
{
    const std::optional<int> tile = tileIndex(code);
    if (!tile || frame < 0)
        return std::nullopt;
    TileSpot spot = spotInGrid(*tile, size);
    spot.y += kBlockFrameHeight * frame + (size == TileSize::Small ? kSmallTilesTop : 0);
    return spot;
}

std::optional<TileSpot> skinTile(int code, TileSize size)
{
    const std::optional<int> tile = tileIndex(code);
    if (!tile)
        return std::nullopt;
    TileSpot spot = spotInGrid(*tile, size);
    spot.x += kSkinLeft;
    spot.y += size == TileSize::Large ? kSkinLargeTop : kSkinSmallTop;
    return spot;
}

} // namespace kalvon
