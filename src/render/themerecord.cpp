#include "render/themerecord.h"

#include <algorithm>
#include <span>

namespace kalvon {

namespace {

using themefile::KeyInfo;
using themefile::ThemeKey;
using themefile::ValueKind;
using K = ThemeKey;
using R = ThemeRecord;

struct KeyField {
    ThemeKey key;
    RecordField field;
};

// clang-format off
constexpr KeyField kRecordFields[] = {
    {K::Name, &R::name}, {K::Developer, &R::developer}, {K::Version, &R::version},
    {K::ResourceFile, &R::resourcefile}, {K::ThemeType, &R::themetype},

    {K::IfaceMain, &R::ifacemain}, {K::IfaceOptions, &R::ifaceoptions}, {K::IfaceChat, &R::ifacechat},
    {K::IfaceConnect, &R::ifaceconnect}, {K::IfaceServer, &R::ifaceserver}, {K::IfaceThemes, &R::ifacethemes},
    {K::IfaceMisc, &R::ifacemisc}, {K::IfaceHighScore, &R::ifacehighscore}, {K::IfaceInet, &R::ifaceinet},
    {K::IfaceMenu, &R::ifacemenu}, {K::IfaceMenuTransparent, &R::ifacemenutransparent},

    {K::SkinFile, &R::skinfile}, {K::SkinTransparency, &R::blktransparency},
    {K::SpecialWindowPic, &R::specialwindowpic}, {K::NextBlockPic, &R::nextblockpic},

    {K::BgAnimated, &R::bganimated}, {K::BgFilename, &R::bgfilename}, {K::BgExtension, &R::bgextension},
    {K::BgFrameCount, &R::bgframecount}, {K::BgStartingFrame, &R::bgstartingframe},
    {K::BgStillFrame, &R::bgstillframe}, {K::BgReverseAnimation, &R::bgreverseanimation},
    {K::BgDelayBetweenFrames, &R::bgdelaybetweenframes},

    {K::AnimateBlocks, &R::animateblocks}, {K::AnimateSpecials, &R::animatespecials},
    {K::AnimateInetBlocks, &R::animateinetblocks}, {K::AnimateInetSpecials, &R::animateinetspecials},
    {K::BlkTransparency, &R::blktransparency}, {K::BlkFilename, &R::blkfilename},
    {K::BlkExtension, &R::blkextension}, {K::BlkFrameCount, &R::blkframecount},
    {K::BlkStartingFrame, &R::blkstartingframe}, {K::BlkStillFrame, &R::blkstillframe},
    {K::BlkReverseAnimation, &R::blkreverseanimation}, {K::BlkDelayBetweenFrames, &R::blkdelaybetweenframes},

    {K::InetBgAnimated, &R::inetbganimated}, {K::InetBgFilename, &R::inetbgfilename},
    {K::InetBgExtension, &R::inetbgextension}, {K::InetBgFrameCount, &R::inetbgframecount},
    {K::InetBgStartingFrame, &R::inetbgstartingframe}, {K::InetBgStillFrame, &R::inetbgstillframe},
    {K::InetBgReverseAnimation, &R::inetbgreverseanimation},
    {K::InetBgDelayBetweenFrames, &R::inetbgdelaybetweenframes},

    {K::SpecialWindowAnimated, &R::specialwindowanimated}, {K::SpecialWindowFilename, &R::specialwindowfilename},
    {K::SpecialWindowExtension, &R::specialwindowextension},
    {K::SpecialWindowFrameCount, &R::specialwindowframecount},
    {K::SpecialWindowStartingFrame, &R::specialwindowstartingframe},
    {K::SpecialWindowStillFrame, &R::specialwindowstillframe},
    {K::SpecialWindowReverseAnimation, &R::specialwindowreverseanimation},
    {K::SpecialWindowDelayBetweenFrames, &R::specialwindowdelaybetweenframes},

    {K::NextBlkAnimated, &R::nextblkanimated}, {K::NextBlkFilename, &R::nextblkfilename},
    {K::NextBlkExtension, &R::nextblkextension}, {K::NextBlkFrameCount, &R::nextblkframecount},
    {K::NextBlkStartingFrame, &R::nextblkstartingframe}, {K::NextBlkStillFrame, &R::nextblkstillframe},
    {K::NextBlkReverseAnimation, &R::nextblkreverseanimation},
    {K::NextBlkDelayBetweenFrames, &R::nextblkdelaybetweenframes},

    {K::ExplodeTransparency, &R::explodetransparency}, {K::ExplodeFilename, &R::explodefilename},
    {K::ExplodeFileExtension, &R::explodefileextension}, {K::ExplodeFrameCount, &R::explodeframecount},
    {K::ExplodeDelayBetweenFrames, &R::explodedelaybetweenframes},

    {K::BombTransparency, &R::bombtransparency}, {K::BombFilename, &R::bombfilename},
    {K::BombFileExtension, &R::bombfileextension}, {K::BombFrameCount, &R::bombframecount},
    {K::BombDelayBetweenFrames, &R::bombdelaybetweenframes},

    {K::Door1, &R::door1}, {K::Door2, &R::door2}, {K::InternetDoor, &R::internetdoor},
    {K::WinImg, &R::winimg}, {K::WinTransparent, &R::wintransparent}, {K::InetWinImg, &R::inetwinimg},
    {K::InetWinTransparent, &R::inetwintransparent}, {K::HeightLed, &R::heightled},
    {K::Warning, &R::warning}, {K::TeamFont, &R::teamfont},
};
// clang-format on

struct KeyColor {
    ThemeKey key;
    size_t index;
};
constexpr KeyColor kColorIndices[] = {
    { K::ColorTitle, 0 },
    { K::ColorTheme, 1 },
    { K::ColorFields, 2 },
    { K::ColorOptions, 3 },
    { K::ColorServer, 4 },
    { K::ColorConnect, 5 },
    { K::ColorInternet, 6 },
    { K::ColorHighScoreTitle, 7 },
    { K::ColorHighScoreFirst, 8 },
    { K::ColorHighScoreSecond, 9 },
    { K::ColorHighScoreThird, 10 },
    { K::ColorHighScoreNormal, 11 },
};

struct KeySound {
    ThemeKey key;
    ThemeSound slot;
};
constexpr KeySound kSoundSlots[] = {
    { K::StartGame, ThemeSound::StartGame },
    { K::Rotate, ThemeSound::Rotate },
    { K::Drop, ThemeSound::Drop },
    { K::LineClear, ThemeSound::LineClear },
    { K::Explode, ThemeSound::Explode },
    { K::Quad, ThemeSound::Quad },
    { K::Win, ThemeSound::Win },
    { K::Lose, ThemeSound::Lose },
    { K::Chat, ThemeSound::Chat },
    { K::Click, ThemeSound::Click },
    { K::HolyShield, ThemeSound::HolyShield },
};

template <typename Entry> constexpr const Entry* findKey(std::span<const Entry> table, ThemeKey key)
{
    for (const Entry& entry : table) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

// A field holds what its key's kind decodes to; every key of a frame set has a field, since a
// set is stored whole; every colour and sound key has its place.
constexpr bool bindingMatchesKeyTable()
{
    for (const KeyField& entry : kRecordFields) {
        const ValueKind kind = themefile::keyInfo(entry.key).kind;
        const size_t expected = kind == ValueKind::Flag ? 0
            : kind == ValueKind::Int16                  ? 1
            : kind == ValueKind::Int32                  ? 2
            : kind == ValueKind::Color                  ? 99
                                                        : 3;
        if (entry.field.index() != expected)
            return false;
    }
    for (const KeyInfo& info : themefile::allKeys()) {
        const bool frameSet = info.group
            && themefile::groupInfo(*info.group).layout == themefile::GroupLayout::EveryKey
            && info.kind != ValueKind::Color;
        if (frameSet && !findKey<KeyField>(kRecordFields, info.key))
            return false;
        if (info.kind == ValueKind::Color && !findKey<KeyColor>(kColorIndices, info.key))
            return false;
        if (info.group == themefile::ThemeGroup::Sounds && !findKey<KeySound>(kSoundSlots, info.key))
            return false;
    }
    return true;
}
static_assert(bindingMatchesKeyTable(), "every key the game reads has a place of its kind");

} // namespace

std::optional<RecordField> recordField(ThemeKey key)
{
    const KeyField* found = findKey<KeyField>(kRecordFields, key);
    return found ? std::optional<RecordField>(found->field) : std::nullopt;
}

std::optional<size_t> colorIndex(ThemeKey key)
{
    const KeyColor* found = findKey<KeyColor>(kColorIndices, key);
    return found ? std::optional<size_t>(found->index) : std::nullopt;
}

std::optional<ThemeSound> soundSlot(ThemeKey key)
{
    const KeySound* found = findKey<KeySound>(kSoundSlots, key);
    return found ? std::optional<ThemeSound>(found->slot) : std::nullopt;
}

int16_t clampFrameCount(int count, const FrameGeometry& geometry)
{
    return int16_t(std::clamp(count, 0, geometry.maxFrames()));
}

} // namespace kalvon
