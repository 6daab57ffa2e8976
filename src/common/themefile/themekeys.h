#pragma once
// The keys of a theme file (.kvx): the one table both programs read and the editor writes.
// Each key has its name as the editor writes it (readers match names case-blind), the kind of
// its value, what a reader takes when it is missing, and the group of the file it belongs to.
// The keys are listed group by group in the order the editor writes them.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace kalvon::themefile {

inline constexpr std::string_view kThemeSection = "Theme Info";
inline constexpr std::string_view kUnknownText = "Unknown";
inline constexpr std::string_view kWhiteColorText = "255,255,255";

// clang-format off
enum class ThemeKey {
    // Identity and type.
    Name, Developer, Version, ResourceFile, ThemeType,
    // Interface.
    IfaceMain, IfaceOptions, IfaceChat, IfaceConnect, IfaceServer, IfaceThemes, IfaceMisc,
    IfaceHighScore, IfaceInet, IfaceMenu, IfaceMenuTransparent,
    // The skin of a type-0 theme.
    SkinFile, SkinTransparency, SpecialWindowPic, NextBlockPic,
    // Background.
    BgAnimated, BgFilename, BgExtension, BgFrameCount, BgStartingFrame, BgStillFrame,
    BgReverseAnimation, BgDelayBetweenFrames,
    // Blocks.
    AnimateBlocks, AnimateSpecials, AnimateInetBlocks, AnimateInetSpecials, BlkTransparency,
    BlkFilename, BlkExtension, BlkFrameCount, BlkStartingFrame, BlkStillFrame, BlkReverseAnimation,
    BlkDelayBetweenFrames,
    // Internet background.
    InetBgAnimated, InetBgFilename, InetBgExtension, InetBgFrameCount, InetBgStartingFrame,
    InetBgStillFrame, InetBgReverseAnimation, InetBgDelayBetweenFrames,
    // Special window.
    SpecialWindowAnimated, SpecialWindowFilename, SpecialWindowExtension, SpecialWindowFrameCount,
    SpecialWindowStartingFrame, SpecialWindowStillFrame, SpecialWindowReverseAnimation,
    SpecialWindowDelayBetweenFrames,
    // Next-block window.
    NextBlkAnimated, NextBlkFilename, NextBlkExtension, NextBlkFrameCount, NextBlkStartingFrame,
    NextBlkStillFrame, NextBlkReverseAnimation, NextBlkDelayBetweenFrames,
    // Block explosion.
    ExplodeTransparency, ExplodeFilename, ExplodeFileExtension, ExplodeFrameCount,
    ExplodeDelayBetweenFrames,
    // Block bomb.
    BombTransparency, BombFilename, BombFileExtension, BombFrameCount, BombDelayBetweenFrames,
    // Miscellaneous images.
    Door1, Door2, InternetDoor, WinImg, WinTransparent, InetWinImg, InetWinTransparent, HeightLed,
    Warning, TeamFont,
    // Colours.
    ColorTitle, ColorFields, ColorOptions, ColorTheme, ColorServer, ColorConnect, ColorInternet,
    ColorHighScoreTitle, ColorHighScoreNormal, ColorHighScoreFirst, ColorHighScoreSecond,
    ColorHighScoreThird,
    // Music and sounds.
    Midi, StartGame, Rotate, Drop, LineClear, Quad, Explode, Win, Lose, Chat, Click, HolyShield,
};
// clang-format on
inline constexpr size_t kThemeKeyCount = size_t(ThemeKey::HolyShield) + 1;

enum class ValueKind {
    Text, // as written
    FileName, // a file name inside the theme's resource folder
    Flag, // a number: 0 clear, any other set
    Int16, // a whole number of 16 bits
    Int32, // a whole number of 32 bits
    Color, // "r,g,b", each 0 to 255
};

// The groups of keys the editor writes under a title line, each when its include box is set.
// clang-format off
enum class ThemeGroup {
    Interface, Background, Blocks, InternetBackground, SpecialWindow, NextBlock, Explosion, Bomb,
    MiscImages, Colors, Music, Sounds,
};
// clang-format on
inline constexpr size_t kThemeGroupCount = size_t(ThemeGroup::Sounds) + 1;

struct KeyInfo {
    ThemeKey key;
    std::string_view name; // as the editor writes it
    ValueKind kind;
    std::optional<ThemeGroup> group;
    // What a reader takes for a missing key: the editor shows it in the key's box (a missing
    // flag is 0); the game falls back to it for the identity texts and the colours.
    std::string_view missingText = {};
    // A flag written only together with this key, right after it.
    std::optional<ThemeKey> parent = std::nullopt;
    // Written in the numeric print form: "= 1 " (the explosion and bomb transparency).
    bool padded = false;
};

namespace detail {
using K = ThemeKey;
using V = ValueKind;
using G = ThemeGroup;
// clang-format off
inline constexpr std::array<KeyInfo, kThemeKeyCount> kKeys = {{
    {K::Name, "name", V::Text, {}, kUnknownText},
    {K::Developer, "developer", V::Text, {}, kUnknownText},
    {K::Version, "version", V::Text, {}, kUnknownText},
    {K::ResourceFile, "resourcefile", V::Text, {}},
    {K::ThemeType, "themetype", V::Int16, {}},

    {K::IfaceMain, "ifacemain", V::FileName, G::Interface},
    {K::IfaceOptions, "ifaceoptions", V::FileName, G::Interface},
    {K::IfaceChat, "ifacechat", V::FileName, G::Interface},
    {K::IfaceConnect, "ifaceconnect", V::FileName, G::Interface},
    {K::IfaceServer, "ifaceserver", V::FileName, G::Interface},
    {K::IfaceThemes, "ifacethemes", V::FileName, G::Interface},
    {K::IfaceMisc, "ifacemisc", V::FileName, G::Interface},
    {K::IfaceHighScore, "ifacehighscore", V::FileName, G::Interface},
    {K::IfaceInet, "ifaceinet", V::FileName, G::Interface},
    {K::IfaceMenu, "ifacemenu", V::FileName, G::Interface},
    {K::IfaceMenuTransparent, "ifacemenutransparent", V::Flag, G::Interface, {}, K::IfaceMenu},

    {K::SkinFile, "skinfile", V::FileName, {}},
    {K::SkinTransparency, "skintransparency", V::Flag, {}, {}, K::SkinFile},
    {K::SpecialWindowPic, "specialwindowpic", V::Flag, {}, {}, K::SkinFile},
    {K::NextBlockPic, "nextblockpic", V::Flag, {}, {}, K::SkinFile},

    {K::BgAnimated, "bganimated", V::Flag, G::Background},
    {K::BgFilename, "bgfilename", V::Text, G::Background},
    {K::BgExtension, "bgextension", V::Text, G::Background},
    {K::BgFrameCount, "bgframecount", V::Int16, G::Background},
    {K::BgStartingFrame, "bgstartingframe", V::Int16, G::Background, "1"},
    {K::BgStillFrame, "bgstillframe", V::Int16, G::Background, "1"},
    {K::BgReverseAnimation, "bgreverseanimation", V::Flag, G::Background},
    {K::BgDelayBetweenFrames, "bgdelaybetweenframes", V::Int32, G::Background, "10"},

    {K::AnimateBlocks, "animateblocks", V::Flag, G::Blocks},
    {K::AnimateSpecials, "animatespecials", V::Flag, G::Blocks},
    {K::AnimateInetBlocks, "animateinetblocks", V::Flag, G::Blocks},
    {K::AnimateInetSpecials, "animateinetspecials", V::Flag, G::Blocks},
    {K::BlkTransparency, "blktransparency", V::Flag, G::Blocks},
    {K::BlkFilename, "blkfilename", V::Text, G::Blocks},
    {K::BlkExtension, "blkextension", V::Text, G::Blocks},
    {K::BlkFrameCount, "blkframecount", V::Int16, G::Blocks},
    {K::BlkStartingFrame, "blkstartingframe", V::Int16, G::Blocks, "1"},
    {K::BlkStillFrame, "blkstillframe", V::Int16, G::Blocks, "1"},
    {K::BlkReverseAnimation, "blkreverseanimation", V::Flag, G::Blocks},
    {K::BlkDelayBetweenFrames, "blkdelaybetweenframes", V::Int16, G::Blocks, "10"},

    // The internet background alone leaves its frames and delay empty when they are missing.
    {K::InetBgAnimated, "inetbganimated", V::Flag, G::InternetBackground},
    {K::InetBgFilename, "inetbgfilename", V::Text, G::InternetBackground},
    {K::InetBgExtension, "inetbgextension", V::Text, G::InternetBackground},
    {K::InetBgFrameCount, "inetbgframecount", V::Int16, G::InternetBackground},
    {K::InetBgStartingFrame, "inetbgstartingframe", V::Int16, G::InternetBackground},
    {K::InetBgStillFrame, "inetbgstillframe", V::Int16, G::InternetBackground},
    {K::InetBgReverseAnimation, "inetbgreverseanimation", V::Flag, G::InternetBackground},
    {K::InetBgDelayBetweenFrames, "inetbgdelaybetweenframes", V::Int32, G::InternetBackground},

    {K::SpecialWindowAnimated, "specialwindowanimated", V::Flag, G::SpecialWindow},
    {K::SpecialWindowFilename, "specialwindowfilename", V::Text, G::SpecialWindow},
    {K::SpecialWindowExtension, "specialwindowextension", V::Text, G::SpecialWindow},
    {K::SpecialWindowFrameCount, "specialwindowframecount", V::Int16, G::SpecialWindow},
    {K::SpecialWindowStartingFrame, "specialwindowstartingframe", V::Int16, G::SpecialWindow, "1"},
    {K::SpecialWindowStillFrame, "specialwindowstillframe", V::Int16, G::SpecialWindow, "1"},
    {K::SpecialWindowReverseAnimation, "specialwindowreverseanimation", V::Flag, G::SpecialWindow},
    {K::SpecialWindowDelayBetweenFrames, "specialwindowdelaybetweenframes", V::Int32, G::SpecialWindow, "10"},

    {K::NextBlkAnimated, "nextblkanimated", V::Flag, G::NextBlock},
    {K::NextBlkFilename, "nextblkfilename", V::Text, G::NextBlock},
    {K::NextBlkExtension, "nextblkextension", V::Text, G::NextBlock},
    {K::NextBlkFrameCount, "nextblkframecount", V::Int16, G::NextBlock},
    {K::NextBlkStartingFrame, "nextblkstartingframe", V::Int16, G::NextBlock, "1"},
    {K::NextBlkStillFrame, "nextblkstillframe", V::Int16, G::NextBlock, "1"},
    {K::NextBlkReverseAnimation, "nextblkreverseanimation", V::Flag, G::NextBlock},
    {K::NextBlkDelayBetweenFrames, "nextblkdelaybetweenframes", V::Int16, G::NextBlock, "10"},

    {K::ExplodeTransparency, "explodetransparency", V::Flag, G::Explosion, {}, {}, true},
    {K::ExplodeFilename, "explodefilename", V::Text, G::Explosion},
    {K::ExplodeFileExtension, "explodefileextension", V::Text, G::Explosion},
    {K::ExplodeFrameCount, "explodeframecount", V::Int16, G::Explosion},
    {K::ExplodeDelayBetweenFrames, "explodedelaybetweenframes", V::Int32, G::Explosion, "10"},

    // Four of the bomb keys are written with a capital B.
    {K::BombTransparency, "Bombtransparency", V::Flag, G::Bomb, {}, {}, true},
    {K::BombFilename, "Bombfilename", V::Text, G::Bomb},
    {K::BombFileExtension, "bombfileextension", V::Text, G::Bomb},
    {K::BombFrameCount, "Bombframecount", V::Int16, G::Bomb},
    {K::BombDelayBetweenFrames, "Bombdelaybetweenframes", V::Int32, G::Bomb, "10"},

    {K::Door1, "door1", V::FileName, G::MiscImages},
    {K::Door2, "door2", V::FileName, G::MiscImages},
    {K::InternetDoor, "internetdoor", V::FileName, G::MiscImages},
    {K::WinImg, "winimg", V::FileName, G::MiscImages},
    {K::WinTransparent, "wintransparent", V::Flag, G::MiscImages, {}, K::WinImg},
    {K::InetWinImg, "inetwinimg", V::FileName, G::MiscImages},
    {K::InetWinTransparent, "inetwintransparent", V::Flag, G::MiscImages, {}, K::InetWinImg},
    {K::HeightLed, "heightled", V::FileName, G::MiscImages},
    {K::Warning, "warning", V::FileName, G::MiscImages},
    {K::TeamFont, "teamfont", V::FileName, G::MiscImages},

    {K::ColorTitle, "colortitle", V::Color, G::Colors, kWhiteColorText},
    {K::ColorFields, "colorfields", V::Color, G::Colors, kWhiteColorText},
    {K::ColorOptions, "coloroptions", V::Color, G::Colors, kWhiteColorText},
    {K::ColorTheme, "colortheme", V::Color, G::Colors, kWhiteColorText},
    {K::ColorServer, "colorserver", V::Color, G::Colors, kWhiteColorText},
    {K::ColorConnect, "colorconnect", V::Color, G::Colors, kWhiteColorText},
    {K::ColorInternet, "colorinternet", V::Color, G::Colors, kWhiteColorText},
    {K::ColorHighScoreTitle, "colorhighscoretitle", V::Color, G::Colors, kWhiteColorText},
    {K::ColorHighScoreNormal, "colorhighscorenormal", V::Color, G::Colors, kWhiteColorText},
    {K::ColorHighScoreFirst, "colorhighscorefirst", V::Color, G::Colors, kWhiteColorText},
    {K::ColorHighScoreSecond, "colorhighscoresecond", V::Color, G::Colors, kWhiteColorText},
    {K::ColorHighScoreThird, "colorhighscorethird", V::Color, G::Colors, kWhiteColorText},

    {K::Midi, "midi", V::FileName, G::Music},

    {K::StartGame, "startgame", V::FileName, G::Sounds},
    {K::Rotate, "rotate", V::FileName, G::Sounds},
    {K::Drop, "drop", V::FileName, G::Sounds},
    {K::LineClear, "lineclear", V::FileName, G::Sounds},
    {K::Quad, "quad", V::FileName, G::Sounds},
    {K::Explode, "explode", V::FileName, G::Sounds},
    {K::Win, "win", V::FileName, G::Sounds},
    {K::Lose, "lose", V::FileName, G::Sounds},
    {K::Chat, "chat", V::FileName, G::Sounds},
    {K::Click, "click", V::FileName, G::Sounds},
    {K::HolyShield, "holyshield", V::FileName, G::Sounds},
}};
// clang-format on

constexpr bool keysInEnumOrder()
{
    for (size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i].key != ThemeKey(i))
            return false;
    }
    return true;
}
static_assert(keysInEnumOrder(), "the key table lists every key once, in the order of ThemeKey");
} // namespace detail

constexpr const KeyInfo& keyInfo(ThemeKey key)
{
    return detail::kKeys[size_t(key)];
}
constexpr std::span<const KeyInfo, kThemeKeyCount> allKeys()
{
    return detail::kKeys;
}

// How the editor writes a group: every key (frame sets and colours, a missing value as the
// empty text, an empty colour as white), or only the keys whose value is not empty (each
// flag together with its parent key).
enum class GroupLayout { EveryKey, FilledKeys };

struct GroupInfo {
    ThemeGroup group;
    std::string_view title; // the comment line under which the group's keys stand
    GroupLayout layout;
};

inline constexpr std::array<GroupInfo, kThemeGroupCount> kGroups = { {
    { ThemeGroup::Interface, "//Graphical User Interface", GroupLayout::FilledKeys },
    { ThemeGroup::Background, "//Background", GroupLayout::EveryKey },
    { ThemeGroup::Blocks, "//Blocks", GroupLayout::EveryKey },
    { ThemeGroup::InternetBackground, "//Internet Background", GroupLayout::EveryKey },
    { ThemeGroup::SpecialWindow, "//Special Window", GroupLayout::EveryKey },
    { ThemeGroup::NextBlock, "//Next Block Window", GroupLayout::EveryKey },
    { ThemeGroup::Explosion, "//Block Explosion", GroupLayout::EveryKey },
    { ThemeGroup::Bomb, "//Block Bomb", GroupLayout::EveryKey },
    { ThemeGroup::MiscImages, "//Miscellaneous Images", GroupLayout::FilledKeys },
    { ThemeGroup::Colors, "//Colors", GroupLayout::EveryKey },
    { ThemeGroup::Music, "//Music", GroupLayout::FilledKeys },
    { ThemeGroup::Sounds, "//Sounds", GroupLayout::FilledKeys },
} };

constexpr const GroupInfo& groupInfo(ThemeGroup group)
{
    return kGroups[size_t(group)];
}

// The keys of a group, in the order the editor writes them.
constexpr std::span<const KeyInfo> groupKeys(ThemeGroup group)
{
    size_t first = 0;
    while (first < kThemeKeyCount && detail::kKeys[first].group != group)
        ++first;
    size_t end = first;
    while (end < kThemeKeyCount && detail::kKeys[end].group == group)
        ++end;
    return std::span<const KeyInfo>(detail::kKeys).subspan(first, end - first);
}

namespace detail {
constexpr bool groupsInOrderAndWhole()
{
    size_t keysInGroups = 0;
    for (size_t i = 0; i < kGroups.size(); ++i) {
        if (kGroups[i].group != ThemeGroup(i) || groupKeys(ThemeGroup(i)).empty())
            return false;
        keysInGroups += groupKeys(ThemeGroup(i)).size();
    }
    size_t grouped = 0;
    for (const KeyInfo& info : kKeys)
        grouped += info.group.has_value();
    return keysInGroups == grouped;
}
static_assert(groupsInOrderAndWhole(), "each group's keys stand together in the key table");
} // namespace detail

// The five frame sets of a type-1 theme, in the order the editor writes them.
inline constexpr ThemeGroup kTypeOneFrameSets[] = { ThemeGroup::Background, ThemeGroup::Blocks,
    ThemeGroup::InternetBackground, ThemeGroup::SpecialWindow, ThemeGroup::NextBlock };

} // namespace kalvon::themefile
