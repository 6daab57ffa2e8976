#pragma once
// Tile-coded themes made in the tests: every tile and every frame of every picture is one solid
// colour of its own, so a pixel of a drawing names the tile and frame it came from. Tiles and
// sprites that are drawn masked have a white 4 x 4 corner at their top left (the transparent
// colour), so a masked draw shows what lay beneath there.

#include "platform/surface.h"
#include "render/blocktiles.h"
#include "render/previewpictures.h"
#include "render/themeimages.h"
#include "render/themerecord.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace kalvon::testing {

// Solid pictures, by what they are; the value is the colour's blue part.
enum class Area : int {
    LargeTile = 0x10,
    SmallTile = 0x20,
    SkinLargeTile = 0x30,
    SkinSmallTile = 0x40,
    Background = 0x50,
    InternetBackground = 0x51,
    NextWindow = 0x52,
    SpecialWindow = 0x53,
    Explosion = 0x54,
    Bomb = 0x55,
    GameOver = 0x56,
    Warning = 0x57,
    HeightLed = 0x58,
    Glyph = 0x59,
    SkinField = 0x5a,
    SkinBoard = 0x5b,
    SkinNext = 0x5c,
    InternetDoor = 0x5d,
    LeftDoor = 0x61,
    RightDoor = 0x62,
};

// Tiles: red 0x20 + tile, green 0x40 + frame. Other areas: red + 256 (green - 0x80) is the
// index (a frame, a glyph's byte, a door's column, a row).
inline QRgb tileColor(Area kind, int tile, int frame = 0)
{
    return qRgb(0x20 + tile, 0x40 + frame, int(kind));
}
inline QRgb areaColor(Area area, int index = 0)
{
    return qRgb(index & 0xff, 0x80 + (index >> 8), int(area));
}

// What a pixel shows: "T5f1" (16 x 16 tile 5 of frame 1), "t5f1" (8 x 8), "S5"/"s5" (a skin's
// tiles), "Background2", "LeftDoor40" (index as given to areaColor), "W" white, "B" black,
// else the hex value.
inline std::string pixelName(QRgb pixel)
{
    const int red = qRed(pixel), green = qGreen(pixel), blue = qBlue(pixel);
    char text[32];
    if (pixel == kWhitePixel)
        return "W";
    if ((pixel & 0xffffff) == 0)
        return "B";
    const int tile = red - 0x20, frame = green - 0x40;
    switch (Area(blue)) {
    case Area::LargeTile: std::snprintf(text, sizeof text, "T%df%d", tile, frame); return text;
    case Area::SmallTile: std::snprintf(text, sizeof text, "t%df%d", tile, frame); return text;
    case Area::SkinLargeTile: std::snprintf(text, sizeof text, "S%d", tile); return text;
    case Area::SkinSmallTile: std::snprintf(text, sizeof text, "s%d", tile); return text;
    default: break;
    }
    static const std::pair<Area, const char*> areas[] = {
        { Area::Background, "Background" },
        { Area::InternetBackground, "InternetBackground" },
        { Area::NextWindow, "NextWindow" },
        { Area::SpecialWindow, "SpecialWindow" },
        { Area::Explosion, "Explosion" },
        { Area::Bomb, "Bomb" },
        { Area::GameOver, "GameOver" },
        { Area::Warning, "Warning" },
        { Area::HeightLed, "HeightLed" },
        { Area::Glyph, "Glyph" },
        { Area::SkinField, "SkinField" },
        { Area::SkinBoard, "SkinBoard" },
        { Area::SkinNext, "SkinNext" },
        { Area::InternetDoor, "InternetDoor" },
        { Area::LeftDoor, "LeftDoor" },
        { Area::RightDoor, "RightDoor" },
    };
    for (const auto& [area, name] : areas) {
        if (blue == int(area) && green >= 0x80)
            return name + std::to_string(red + 256 * (green - 0x80));
    }
    std::snprintf(text, sizeof text, "#%06x", pixel & 0xffffff);
    return text;
}

inline void fillRect(Surface& surface, int x, int y, int w, int h, QRgb color, bool whiteCorner = false)
{
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            const bool corner = whiteCorner && row < 4 && column < 4;
            surface.setPixel(x + column, y + row, corner ? kWhitePixel : color);
        }
    }
}

// The exact mask of a picture (white where transparent turns black, all else white).
inline Sheet maskOf(const Surface& picture)
{
    auto mask = std::make_shared<Surface>(picture.width(), picture.height());
    BuildMask(*mask, picture, 0, 0, picture.width() + 1, picture.height() + 1);
    return mask;
}

// The interface sheets, coded by position: every pixel of the tile sheet (ifacemisc, 576 x 470)
// and of the menu sheet (ifacemenu, 298 x 160) names its own place, so a copy equals its sheet
// rectangle only when the right rectangle went to the right place. The menu sheet's row images
// have a white 4 x 4 corner at their top left, which a transparent menu lets the menu show
// through.
enum class InterfaceSheet { Tiles = 0x70, Menu = 0x78 };

// Red and green the low bytes of x and y, blue the sheet and the high bits: never white or black.
inline QRgb interfacePixel(InterfaceSheet sheet, int x, int y)
{
    return qRgb(x & 0xff, y & 0xff, int(sheet) + ((x >> 8) << 1) + (y >> 8));
}

inline Sheet positionCodedSheet(InterfaceSheet sheet, int width, int height)
{
    auto surface = std::make_shared<Surface>(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            surface->setPixel(x, y, interfacePixel(sheet, x, y));
    }
    return surface;
}

// The top-left corners of the menu sheet's row images: the File menu's seven, the game-mode
// menu's hover and current images, the Help menu's two.
inline const std::vector<QPoint>& menuRowImages()
{
    static const std::vector<QPoint> corners
        = { { 0, 0 }, { 149, 0 }, { 0, 20 }, { 149, 20 }, { 0, 40 }, { 149, 40 }, { 0, 60 }, { 0, 80 },
              { 104, 80 }, { 0, 100 }, { 104, 100 }, { 0, 120 }, { 104, 120 }, { 0, 140 }, { 104, 140 } };
    return corners;
}

inline void makeInterfaceSheets(ThemeImages& images)
{
    images.interfaceMisc = positionCodedSheet(InterfaceSheet::Tiles, 576, 470);
    images.menu = positionCodedSheet(InterfaceSheet::Menu, 298, 160);
    for (const QPoint& corner : menuRowImages())
        fillRect(*images.menu, corner.x(), corner.y(), 4, 4, kWhitePixel);
    images.menuMask = maskOf(*images.menu);
}

// A type-1 block sheet: per 96 x 80 frame the 22 large and 22 small tiles.
inline Sheet blockSheet(int frames, bool whiteCorners)
{
    auto sheet = std::make_shared<Surface>(112, frames * kBlockFrameHeight + 5);
    for (int frame = 0; frame < frames; ++frame) {
        for (int tile = 0; tile < 22; ++tile) {
            const TileSpot large = *blockTile(tile, TileSize::Large, frame);
            fillRect(*sheet, large.x, large.y, 16, 16, tileColor(Area::LargeTile, tile, frame), whiteCorners);
            const TileSpot small = *blockTile(tile, TileSize::Small, frame);
            fillRect(*sheet, small.x, small.y, 8, 8, tileColor(Area::SmallTile, tile, frame), whiteCorners);
        }
    }
    return sheet;
}

// A type-0 skin: field background, board background, next-piece picture and both tile sets.
inline Sheet skinSheet(bool whiteCorners)
{
    auto sheet = std::make_shared<Surface>(291, 355);
    fillRect(*sheet, 0, 0, 192, 352, areaColor(Area::SkinField));
    fillRect(*sheet, 192, 0, 96, 176, areaColor(Area::SkinBoard));
    fillRect(*sheet, 192, 256, 77, 77, areaColor(Area::SkinNext));
    for (int tile = 0; tile < 22; ++tile) {
        const TileSpot large = *skinTile(tile, TileSize::Large);
        fillRect(*sheet, large.x, large.y, 16, 16, tileColor(Area::SkinLargeTile, tile), whiteCorners);
        const TileSpot small = *skinTile(tile, TileSize::Small);
        fillRect(*sheet, small.x, small.y, 8, 8, tileColor(Area::SkinSmallTile, tile), whiteCorners);
    }
    return sheet;
}

// Frames of one size stacked downwards, frame f (from 1) in areaColor(area, f), with a spare
// 5 rows as the loaders make them.
inline Sheet frameStrip(Area area, int width, int height, int frames, bool whiteCorners = false)
{
    auto sheet = std::make_shared<Surface>(width, frames * height + 5);
    for (int frame = 1; frame <= frames; ++frame)
        fillRect(*sheet, 0, (frame - 1) * height, width, height, areaColor(area, frame), whiteCorners);
    return sheet;
}

// A picture in one colour (areaColor(area, index)).
inline Sheet solidPicture(Area area, int width, int height, int index = 0, bool whiteCorner = false)
{
    auto sheet = std::make_shared<Surface>(width, height);
    fillRect(*sheet, 0, 0, width, height, areaColor(area, index), whiteCorner);
    return sheet;
}

// A door whose pixels name their column (as areaColor(door, x)); the left door is opaque in
// its left half and white (transparent) in its right half, the right door the mirror.
inline Sheet doorPicture(Area door)
{
    auto sheet = std::make_shared<Surface>(193, 353);
    for (int x = 0; x < 192; ++x) {
        const bool opaque = (x < 96) == (door == Area::LeftDoor);
        fillRect(*sheet, x, 0, 1, 352, opaque ? areaColor(door, x) : kWhitePixel);
    }
    return sheet;
}

// A team font: each byte's 8 x 8 glyph in areaColor(Glyph, byte), its right column white.
inline Sheet teamFont()
{
    auto sheet = std::make_shared<Surface>(128, 128);
    for (int c = 0; c < 256; ++c) {
        fillRect(*sheet, 8 * (c % 16), 8 * (c / 16), 7, 8, areaColor(Area::Glyph, c));
        fillRect(*sheet, 8 * (c % 16) + 7, 8 * (c / 16), 1, 8, kWhitePixel);
    }
    return sheet;
}

// The frame counts of the generated type-1 theme.
inline constexpr int kBlockFrames = 2;
inline constexpr int kBackgroundFrames = 3;
inline constexpr int kBoardFrames = 2;
inline constexpr int kNextFrames = 4;
inline constexpr int kSpecialFrames = 2;
inline constexpr int kExplosionFrames = 5;
inline constexpr int kBombFrames = 17;

// A complete type-1 theme: the record's sets and every sheet the drawing reads. Blocks,
// bombs, the explosion, the game-over picture and the warning are transparent.
inline void makeTypeOneTheme(ThemeRecord& theme, ThemeImages& images)
{
    theme = ThemeRecord();
    theme.themetype = 1;
    theme.blkframecount = kBlockFrames;
    theme.blkstillframe = 1;
    theme.blkcurrentframe = 2;
    theme.blktransparency = true;
    theme.animateblocks = true;
    theme.animatespecials = true;
    theme.bgframecount = kBackgroundFrames;
    theme.bgstillframe = 2;
    theme.bgcurrentframe = 1;
    theme.bganimated = true;
    theme.inetbgframecount = kBoardFrames;
    theme.inetbgstillframe = 1;
    theme.nextblkframecount = kNextFrames;
    theme.nextblkstillframe = 2;
    theme.nextblkcurrentframe = 1;
    theme.specialwindowframecount = kSpecialFrames;
    theme.specialwindowcurrentframe = 2;
    theme.explodeframecount = kExplosionFrames;
    theme.explodedelaybetweenframes = 100;
    theme.explodetransparency = true;
    theme.bombframecount = kBombFrames;
    theme.bombtransparency = true;
    theme.wintransparent = true;

    images = ThemeImages();
    images.blocks = blockSheet(kBlockFrames, true);
    images.blocksMask = maskOf(*images.blocks);
    images.background = frameStrip(Area::Background, 193, 352, kBackgroundFrames);
    images.internetBackground = frameStrip(Area::InternetBackground, 101, 176, kBoardFrames);
    images.nextPiece = frameStrip(Area::NextWindow, 90, 77, kNextFrames);
    images.specialWindow = frameStrip(Area::SpecialWindow, 160, 16, kSpecialFrames);
    images.explode = frameStrip(Area::Explosion, 197, 64, kExplosionFrames, true);
    images.explodeMask = maskOf(*images.explode);
    images.bomb = frameStrip(Area::Bomb, 64, 64, kBombFrames, true);
    images.bombMask = maskOf(*images.bomb);
    images.gameOver = solidPicture(Area::GameOver, 192, 352, 0, true);
    images.gameOverMask = maskOf(*images.gameOver);
    images.warning = solidPicture(Area::Warning, 192, 64, 0, true);
    images.warningMask = maskOf(*images.warning);
    images.heightLed = solidPicture(Area::HeightLed, 8, 352);
    images.teamFont = teamFont();
    images.door1 = doorPicture(Area::LeftDoor);
    images.door1Mask = maskOf(*images.door1);
    images.door2 = doorPicture(Area::RightDoor);
    images.door2Mask = maskOf(*images.door2);
    images.internetDoor = solidPicture(Area::InternetDoor, 97, 177);
    images.backBuffer = std::make_shared<Surface>(192, 64);
}

// A type-0 theme: the skin (opaque unless `transparent`) and its mask.
inline void makeTypeZeroTheme(ThemeRecord& theme, ThemeImages& images, bool transparent)
{
    makeTypeOneTheme(theme, images);
    theme.themetype = 0;
    theme.blktransparency = transparent;
    images.blocks.reset();
    images.background.reset();
    images.nextPiece.reset();
    images.specialWindow.reset();
    images.skin = skinSheet(transparent);
    images.blocksMask = maskOf(*images.skin);
}

// The theme page's preview pictures, made like the game's sheets: background frames as
// areaColor(Background, f), the block, internet, next-piece, special-window and bomb strips,
// the internet door, explosion and doors. The skin (picBlocks) is opaque; picMBlock is the
// block strip's mask.
inline void makePreviewPictures(PreviewPictures& preview)
{
    preview = PreviewPictures();
    for (int frame = 1; frame <= kBackgroundFrames; ++frame)
        preview.picBack.push_back(solidPicture(Area::Background, 192, 352, frame));
    preview.picBlocks = skinSheet(false);
    preview.picAniBlocks = blockSheet(kBlockFrames, true);
    preview.picMBlock = maskOf(*preview.picAniBlocks);
    preview.picNextBlk = frameStrip(Area::NextWindow, 81, 77, kNextFrames);
    preview.picSpecwin = frameStrip(Area::SpecialWindow, 160, 16, kSpecialFrames);
    preview.picBomb = frameStrip(Area::Bomb, 64, 64, kBombFrames, true);
    preview.picBombMask = maskOf(*preview.picBomb);
    preview.picInetBG = frameStrip(Area::InternetBackground, 96, 176, kBoardFrames);
    preview.picInetDoor = std::make_shared<Surface>(96, 176);
    // Each row of the small door names itself.
    for (int y = 0; y < 176; ++y)
        fillRect(*preview.picInetDoor, 0, y, 96, 1, areaColor(Area::InternetDoor, y));
    preview.picExplosion = frameStrip(Area::Explosion, 192, 64, kExplosionFrames, true);
    preview.picMExplode = maskOf(*preview.picExplosion);
    preview.picDoor = doorPicture(Area::LeftDoor);
    preview.picDoorMask = maskOf(*preview.picDoor);
    preview.picDoor2 = doorPicture(Area::RightDoor);
    preview.picDoorMask2 = maskOf(*preview.picDoor2);
}

} // namespace kalvon::testing
