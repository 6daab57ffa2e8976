#pragma once
// Inside the drawing library: the pictures a draw takes its tiles from, and which tile a cell
// code shows.

#include "render/drawinglibrary.h"
#include "render/sheetframes.h"

namespace kalvon {

// The pictures a draw takes its tiles from: opaque, or masked by a mask of the same layout.
struct DrawingLibrary::Sprites {
    const Surface* picture = nullptr;
    const Surface* mask = nullptr;
    bool masked = false;

    static Sprites opaque(const Surface* picture) { return { picture, nullptr, false }; }
    static Sprites transparent(const Surface* picture, const Surface* mask)
    {
        return { picture, mask, true };
    }
    // A masked draw without its mask has nothing to draw with.
    bool usable() const { return picture && (!masked || mask); }

    void put(Surface& dc, int dx, int dy, int w, int h, int sx, int sy) const
    {
        if (masked)
            dc.drawMasked(dx, dy, w, h, *picture, *mask, sx, sy);
        else
            dc.bitBlt(dx, dy, w, h, *picture, sx, sy);
    }
};

// Which tile a cell code shows: from a skin, or from the block frame its kind animates by.
struct DrawingLibrary::TileChoice {
    bool skin = false;
    TileSize size = TileSize::Large;
    int frame = 0;
    int still = 0;
    bool animateBlocks = false;
    bool animateSpecials = false;

    static TileChoice fromSkin(TileSize size) { return { true, size }; }
    static TileChoice fromBlocks(TileSize size, int frame, int still, int ab, int as)
    {
        return { false, size, frame, still, ab == 1, as == 1 };
    }
    static TileChoice oneFrame(TileSize size, int frame) { return { false, size, frame, frame }; }

    int cellSize() const { return size == TileSize::Large ? kTileSize : kSmallTileSize; }

    std::optional<TileSpot> spot(int code, const Surface& sheet) const
    {
        if (skin)
            return skinTile(code, size);
        const bool animated = isSpecialCode(code) ? animateSpecials : animateBlocks;
        const int shown = animated ? frame : still;
        if (!frameInSheet(sheet, shown, kBlockFrameHeight))
            return std::nullopt;
        return blockTile(code, size, shown);
    }
};

} // namespace kalvon
