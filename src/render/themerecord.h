#pragma once
// The theme record: everything a theme file says, as the loader stored it, plus the run-time
// state of its animated frame sets (current frame and time of the last step). Two records
// exist, the current theme and the theme page's preview (see Themes). Fields filled from one
// key of the theme file bear that key's name. Texts are Windows-1252 bytes; paths are kept as
// the theme wrote them, joined to the theme folder where the theme has a resource archive.

#include "common/bytes.h"
#include "common/themefile/themekeys.h"

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace kalvon {

struct ThemeRecord {
    int16_t themetype = 0; // 0: one skin bitmap; 1: resource archive with frame sets
    Bytes skinfile;

    // Interface images. Every load writes them into the current theme (see Themes).
    Bytes ifacemain, ifaceoptions, ifacemisc, ifaceserver, ifacethemes, ifaceconnect, ifacechat,
        ifacehighscore;
    bool ifacemenutransparent = false;
    Bytes ifacemenu, ifaceinet;

    // Field background frames.
    int16_t bgstillframe = 0;
    Bytes bgfilename, bgextension;
    bool bganimated = false;
    int16_t bgframecount = 0;
    int16_t bgcurrentframe = 0;
    bool bgreverseanimation = false;
    int16_t bgstartingframe = 0;
    int32_t bgdelaybetweenframes = 0;
    int64_t bglaststeptime = 0;

    // Internet field background frames.
    int16_t inetbgstillframe = 0;
    Bytes inetbgfilename, inetbgextension;
    bool inetbganimated = false;
    int16_t inetbgframecount = 0;
    int16_t inetbgcurrentframe = 0;
    bool inetbgreverseanimation = false;
    int16_t inetbgstartingframe = 0;
    int32_t inetbgdelaybetweenframes = 0;
    int64_t inetbglaststeptime = 0;

    // Line explosion frames.
    bool explodetransparency = false;
    int32_t explodedelaybetweenframes = 0;
    int64_t explodelaststeptime = 0;
    Bytes explodefilename;
    int16_t explodeframecount = 0;
    Bytes explodefileextension;

    Bytes heightled, door1, door2, internetdoor, warning;

    Bytes developer, version, name;
    Bytes resourcefile; // full path of the archive
    Bytes themefolder; // the folder the archive is unpacked into

    // Bomb frames.
    int32_t bombdelaybetweenframes = 0;
    bool bombtransparency = false;
    Bytes bombfilename, bombfileextension;
    int16_t bombframecount = 0;

    // Block frames: 16 x 16 tiles and 8 x 8 internet cells.
    bool animateblocks = false, animatespecials = false, animateinetblocks = false,
         animateinetspecials = false;
    bool blktransparency = false; // for a type-0 theme the skin's ("skintransparency")
    int16_t blkstillframe = 0;
    bool blkreverseanimation = false;
    int16_t blkstartingframe = 0;
    Bytes blkfilename, blkextension;
    int64_t blklaststeptime = 0;
    int16_t blkdelaybetweenframes = 0;
    int16_t blkframecount = 0;
    int16_t blkcurrentframe = 0;

    // Next-piece window frames.
    int16_t nextblkframecount = 0;
    int16_t nextblkcurrentframe = 0;
    Bytes nextblkfilename, nextblkextension;
    int64_t nextblklaststeptime = 0;
    int16_t nextblkdelaybetweenframes = 0;
    int16_t nextblkstartingframe = 0;
    int16_t nextblkstillframe = 0;
    bool nextblkanimated = false;
    bool nextblkreverseanimation = false;

    // Special window frames.
    Bytes specialwindowfilename;
    int16_t specialwindowframecount = 0;
    int16_t specialwindowcurrentframe = 0;
    Bytes specialwindowextension;
    int32_t specialwindowdelaybetweenframes = 0;
    int64_t specialwindowlaststeptime = 0;
    int16_t specialwindowstartingframe = 0;
    int16_t specialwindowstillframe = 0;
    bool specialwindowanimated = false;
    bool specialwindowreverseanimation = false;

    // Type 0: the skin also holds a special-window / next-piece picture.
    bool specialwindowpic = false;
    bool nextblockpic = false;

    Bytes winimg;
    bool wintransparent = false;
    Bytes inetwinimg;
    bool inetwintransparent = false;

    Bytes teamfont;
};

// Sound paths by slot: 0 drop, 1 rotate, 2 explode, 3 lineclear, 4 startgame, 5 lose, 6 win,
// 7 quad, 8 chat, 9 none (never filled or played), 10 click, 11 holyshield.
using SoundTable = std::array<Bytes, 12>;
enum class ThemeSound {
    Drop = 0,
    Rotate = 1,
    Explode = 2,
    LineClear = 3,
    StartGame = 4,
    Lose = 5,
    Win = 6,
    Quad = 7,
    Chat = 8,
    Click = 10,
    HolyShield = 11
};

// Colours as red + 256 green + 65536 blue, by index: 0 title, 1 theme page, 2 fields page,
// 3 options page, 4 server page, 5 connect page, 6 internet, 7 high-score title, 8 first,
// 9 second, 10 third, 11 normal high-score rows.
using ColorTable = std::array<int32_t, 12>;

// The theme state of the game: the current and the preview theme with their sound tables, and
// what exists once, for the current theme: colours and music (and the interface images inside
// CurrentTheme), which every load writes, a preview load too.
struct Themes {
    ThemeRecord CurrentTheme;
    ThemeRecord PreviewTheme;
    SoundTable ThemeSounds;
    SoundTable PreviewSounds;
    ColorTable ThemeColors{};
    Bytes ThemeMusic;
};

// Where the game keeps the value of a theme file key: a field of the theme record (the field
// that bears the key's name; "skintransparency" fills blktransparency), an entry of the colour
// table, or a slot of the sound table. "midi" fills ThemeMusic.
using RecordField
    = std::variant<bool ThemeRecord::*, int16_t ThemeRecord::*, int32_t ThemeRecord::*, Bytes ThemeRecord::*>;
std::optional<RecordField> recordField(themefile::ThemeKey key);
std::optional<size_t> colorIndex(themefile::ThemeKey key);
std::optional<ThemeSound> soundSlot(themefile::ThemeKey key);

// Frames of a set stack downwards in one sheet whose height, frames x frame height + 5, must
// fit a 16-bit signed number: the most frames a set of that frame height can have (93 field
// backgrounds, 186 internet backgrounds, 409 block frames, 425 next-piece windows, 511
// explosions or bombs, 2047 special windows).
constexpr int maxFramesForHeight(int frameHeight)
{
    return (32767 - 5) / frameHeight;
}

// The sheet of a frame set: its width, and the size of one frame.
struct FrameGeometry {
    int sheetWidth;
    int frameWidth;
    int frameHeight;
    constexpr int maxFrames() const { return maxFramesForHeight(frameHeight); }
};
inline constexpr FrameGeometry kBackgroundFrames{ 193, 192, 352 };
inline constexpr FrameGeometry kInternetBackgroundFrames{ 101, 96, 176 };
inline constexpr FrameGeometry kBlockFrames{ 112, 96, 80 };
inline constexpr FrameGeometry kNextPieceFrames{ 90, 77, 77 };
inline constexpr FrameGeometry kSpecialWindowFrames{ 160, 160, 16 };
inline constexpr FrameGeometry kExplodeFrames{ 197, 192, 64 };
inline constexpr FrameGeometry kBombFrames{ 64, 64, 64 };

// A frame count as a sheet can hold it: 0 to the set's maximum.
int16_t clampFrameCount(int count, const FrameGeometry& geometry);

} // namespace kalvon
