#include "editor/model/themecontrols.h"

#include <span>

namespace kalvon::editor {

namespace {

using K = ThemeKey;
using G = ThemeGroup;

struct KeyControl {
    ThemeKey key;
    std::string_view control;
};

// clang-format off
constexpr KeyControl kControls[] = {
    {K::Name, "txtThemeName"}, {K::Developer, "txtAuthor"}, {K::Version, "txtVersion"},
    {K::ResourceFile, "txtResource"},

    {K::IfaceMain, "txtIMain"}, {K::IfaceOptions, "txtIOptions"}, {K::IfaceChat, "txtIChat"},
    {K::IfaceConnect, "txtIClient"}, {K::IfaceServer, "txtIServer"}, {K::IfaceThemes, "txtITheme"},
    {K::IfaceMisc, "txtIMisc"}, {K::IfaceHighScore, "txtIHighScore"}, {K::IfaceInet, "txtIInternet"},
    {K::IfaceMenu, "txtIMenu"}, {K::IfaceMenuTransparent, "chkIMenuTransparent"},

    {K::SkinFile, "txtSkinFile"}, {K::SkinTransparency, "chkSkinTransparent"},

    {K::BgAnimated, "chkBGAni"}, {K::BgFilename, "txtBGRoot"}, {K::BgExtension, "txtBGExt"},
    {K::BgFrameCount, "txtBGNum"}, {K::BgStartingFrame, "txtBGStart"}, {K::BgStillFrame, "txtBGStill"},
    {K::BgReverseAnimation, "chkBGReverse"}, {K::BgDelayBetweenFrames, "txtBGDelay"},

    {K::AnimateBlocks, "chkBlkAni"}, {K::AnimateSpecials, "chkSpecAni"},
    {K::AnimateInetBlocks, "chkInetBlkAni"}, {K::AnimateInetSpecials, "chkInetSpecAni"},
    {K::BlkTransparency, "chkBlkTrans"}, {K::BlkFilename, "txtBlkRoot"}, {K::BlkExtension, "txtBlkExt"},
    {K::BlkFrameCount, "txtBlkNum"}, {K::BlkStartingFrame, "txtBlkStartImage"},
    {K::BlkStillFrame, "txtBlkStill"}, {K::BlkReverseAnimation, "chkBlkReverse"},
    {K::BlkDelayBetweenFrames, "txtBlkDelay"},

    {K::InetBgAnimated, "chkIBGAni"}, {K::InetBgFilename, "txtIBGRoot"}, {K::InetBgExtension, "txtIBGExt"},
    {K::InetBgFrameCount, "txtIBGNum"}, {K::InetBgStartingFrame, "txtIBGStart"},
    {K::InetBgStillFrame, "txtIBGStill"}, {K::InetBgReverseAnimation, "chkIBGReverse"},
    {K::InetBgDelayBetweenFrames, "txtIBGDelay"},

    {K::SpecialWindowAnimated, "chkSWAni"}, {K::SpecialWindowFilename, "txtSWRoot"},
    {K::SpecialWindowExtension, "txtSWExt"}, {K::SpecialWindowFrameCount, "txtSWNum"},
    {K::SpecialWindowStartingFrame, "txtSWStart"}, {K::SpecialWindowStillFrame, "txtSWStill"},
    {K::SpecialWindowReverseAnimation, "chkSWReverse"}, {K::SpecialWindowDelayBetweenFrames, "txtSWDelay"},

    {K::NextBlkAnimated, "chkNextAni"}, {K::NextBlkFilename, "txtNextRoot"}, {K::NextBlkExtension, "txtNextExt"},
    {K::NextBlkFrameCount, "txtNextNum"}, {K::NextBlkStartingFrame, "txtNextStart"},
    {K::NextBlkStillFrame, "txtNextStill"}, {K::NextBlkReverseAnimation, "chkNextReverse"},
    {K::NextBlkDelayBetweenFrames, "txtNextDelay"},

    {K::ExplodeTransparency, "chkExplosionTrans"}, {K::ExplodeFilename, "txtExplosionRoot"},
    {K::ExplodeFileExtension, "txtExplosionExt"}, {K::ExplodeFrameCount, "txtExplosionNum"},
    {K::ExplodeDelayBetweenFrames, "txtExplosionDelay"},

    {K::BombTransparency, "chkBombTrans"}, {K::BombFilename, "txtBombRoot"},
    {K::BombFileExtension, "txtBombExt"}, {K::BombFrameCount, "txtBombNum"},
    {K::BombDelayBetweenFrames, "txtBombDelay"},

    {K::Door1, "txtMiscImage(0)"}, {K::Door2, "txtMiscImage(1)"}, {K::InternetDoor, "txtMiscImage(2)"},
    {K::WinImg, "txtMiscImage(3)"}, {K::WinTransparent, "chkWinTrans"}, {K::InetWinImg, "txtMiscImage(4)"},
    {K::InetWinTransparent, "chkWinInetTrans"}, {K::HeightLed, "txtMiscImage(5)"},
    {K::Warning, "txtMiscImage(6)"}, {K::TeamFont, "txtMiscImage(7)"},

    {K::ColorTitle, "txtColor(0)"}, {K::ColorFields, "txtColor(1)"}, {K::ColorOptions, "txtColor(2)"},
    {K::ColorTheme, "txtColor(3)"}, {K::ColorServer, "txtColor(4)"}, {K::ColorConnect, "txtColor(5)"},
    {K::ColorInternet, "txtColor(6)"}, {K::ColorHighScoreTitle, "txtColor(7)"},
    {K::ColorHighScoreNormal, "txtColor(8)"}, {K::ColorHighScoreFirst, "txtColor(9)"},
    {K::ColorHighScoreSecond, "txtColor(10)"}, {K::ColorHighScoreThird, "txtColor(11)"},

    {K::Midi, "txtMusic"},

    {K::StartGame, "txtStart"}, {K::Rotate, "txtRotate"}, {K::Drop, "txtDrop"}, {K::LineClear, "txtLine"},
    {K::Quad, "txtQuadSound"}, {K::Explode, "txtExplosionSound"}, {K::Win, "txtWinGame"},
    {K::Lose, "txtLose"}, {K::Chat, "txtChatSound"}, {K::Click, "txtClick"}, {K::HolyShield, "txtShieldSound"},
};
// clang-format on

struct GroupBoxes {
    ThemeGroup group;
    std::string_view includeBox;
    std::optional<FirstFrameBox> firstFrame;
};

constexpr GroupBoxes kGroupBoxes[] = {
    { G::Interface, "chkIface", std::nullopt },
    { G::Background, "chkBG", FirstFrameBox{ "txtBStart", K::BgFilename, K::BgExtension } },
    { G::Blocks, "chkBlk", FirstFrameBox{ "txtBlkStart", K::BlkFilename, K::BlkExtension } },
    { G::InternetBackground, "chkIBG",
        FirstFrameBox{ "txtIBGImage", K::InetBgFilename, K::InetBgExtension } },
    { G::SpecialWindow, "chkSW",
        FirstFrameBox{ "txtSWImage", K::SpecialWindowFilename, K::SpecialWindowExtension } },
    { G::NextBlock, "chkNext", FirstFrameBox{ "txtNextImage", K::NextBlkFilename, K::NextBlkExtension } },
    { G::Explosion, "chkExplosion",
        FirstFrameBox{ "txtExplosionImage", K::ExplodeFilename, K::ExplodeFileExtension } },
    { G::Bomb, "chkBomb", FirstFrameBox{ "txtBombImage", K::BombFilename, K::BombFileExtension } },
    { G::MiscImages, "chkMImg", std::nullopt },
    { G::Colors, "chkColor", std::nullopt },
    { G::Music, "chkMusic", std::nullopt },
    { G::Sounds, "chkSounds", std::nullopt },
};

// Every key a control can show has one control, a flag a check box and anything else a text
// box; every group has its include box, listed in the group order.
constexpr bool bindingIsWhole()
{
    for (const themefile::KeyInfo& info : themefile::allKeys()) {
        size_t controls = 0;
        for (const KeyControl& entry : kControls) {
            if (entry.key != info.key)
                continue;
            ++controls;
            const bool checkBox = entry.control.starts_with("chk");
            if (checkBox != (info.kind == themefile::ValueKind::Flag))
                return false;
        }
        const bool shown
            = info.key != K::ThemeType && info.key != K::SpecialWindowPic && info.key != K::NextBlockPic;
        if (controls != (shown ? 1u : 0u))
            return false;
    }
    for (size_t i = 0; i < std::size(kGroupBoxes); ++i) {
        if (kGroupBoxes[i].group != ThemeGroup(i))
            return false;
    }
    return std::size(kGroupBoxes) == themefile::kThemeGroupCount;
}
static_assert(bindingIsWhole(), "every key and group of the theme file has its control");

} // namespace

std::string_view controlOf(ThemeKey key)
{
    for (const KeyControl& entry : kControls) {
        if (entry.key == key)
            return entry.control;
    }
    return {};
}

std::string_view includeBoxOf(ThemeGroup group)
{
    return kGroupBoxes[size_t(group)].includeBox;
}

std::optional<FirstFrameBox> firstFrameBoxOf(ThemeGroup group)
{
    return kGroupBoxes[size_t(group)].firstFrame;
}

} // namespace kalvon::editor
