#include "render/themeloader.h"

#include "common/themefile/resourcepath.h"
#include "common/themefile/themefile.h"
#include "common/themefile/thememessages.h"
#include "render/themepaths.h"
#include "render/themewindow.h"

#include <algorithm>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

namespace kalvon {

using themefile::KeyInfo;
using themefile::ThemeFile;
using themefile::ThemeGroup;
using themefile::ThemeKey;

namespace {

// The key's value as its record field holds it; nothing when missing or when it does not
// convert. File names are joined to `prefix` where the key asks for it.
template <typename T> std::optional<T> fieldValue(const ThemeFile& file, ThemeKey key, const Bytes& prefix)
{
    if constexpr (std::is_same_v<T, Bytes>) {
        std::optional<Bytes> value = file.text(key);
        if (value && joinedToThemeFolder(key))
            value = prefix + *value;
        return value;
    } else if constexpr (std::is_same_v<T, bool>) {
        return file.flag(key);
    } else {
        // The key table gives 16-bit keys 16-bit fields, so the number fits.
        const std::optional<int32_t> number = file.number(key);
        return number ? std::optional<T>(T(*number)) : std::nullopt;
    }
}

// Reads `key` into its field of `record`; false (and the field untouched) when missing.
bool readKey(const ThemeFile& file, ThemeKey key, ThemeRecord& record, const Bytes& prefix)
{
    return std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(record.*member)>;
            std::optional<T> value = fieldValue<T>(file, key, prefix);
            if (!value)
                return false;
            record.*member = std::move(*value);
            return true;
        },
        *recordField(key));
}

// A picture whose flags belong to it: when the picture is named, each flag is read, a missing
// one as false; otherwise the picture and its flags keep their values.
void readWithFlags(const ThemeFile& file, ThemeKey picture, ThemeRecord& record, const Bytes& prefix)
{
    if (!readKey(file, picture, record, prefix))
        return;
    for (const KeyInfo& info : themefile::allKeys()) {
        if (info.parent == picture)
            record.*std::get<bool ThemeRecord::*>(*recordField(info.key))
                = file.flag(info.key).value_or(false);
    }
}

struct AnimationSwitch {
    bool ThemeRecord::*flag;
    AnimationBox box;
};

// A frame set: its group of keys, where its frames go, and the check boxes that its animate
// flags enable.
struct FrameSetReading {
    ThemeGroup group;
    const FrameGeometry& geometry;
    int16_t ThemeRecord::*framecount;
    std::span<int16_t ThemeRecord::*const> frameNumbers;
    std::span<const AnimationSwitch> switches;
};

using R = ThemeRecord;

int16_t R::*const kBackgroundFrameNumbers[] = { &R::bgstartingframe, &R::bgstillframe };
const AnimationSwitch kBackgroundSwitches[] = { { &R::bganimated, AnimationBox::chkBGAni } };
int16_t R::*const kSpecialWindowFrameNumbers[]
    = { &R::specialwindowstartingframe, &R::specialwindowstillframe };
const AnimationSwitch kSpecialWindowSwitches[] = { { &R::specialwindowanimated, AnimationBox::chkSpecWin } };
int16_t R::*const kInternetBackgroundFrameNumbers[] = { &R::inetbgstartingframe, &R::inetbgstillframe };
const AnimationSwitch kInternetBackgroundSwitches[] = { { &R::inetbganimated, AnimationBox::chkAniInetBG } };
int16_t R::*const kBlockFrameNumbers[] = { &R::blkstartingframe, &R::blkstillframe };
const AnimationSwitch kBlockSwitches[] = {
    { &R::animateblocks, AnimationBox::chkblkani },
    { &R::animatespecials, AnimationBox::chkAniSpec },
    { &R::animateinetblocks, AnimationBox::chkAniInetBlks },
    { &R::animateinetspecials, AnimationBox::chkInetSpec },
};
int16_t R::*const kNextPieceFrameNumbers[] = { &R::nextblkstartingframe, &R::nextblkstillframe };
const AnimationSwitch kNextPieceSwitches[] = { { &R::nextblkanimated, AnimationBox::chkNextBlk } };

// The sets of a type-1 theme, in the order they are read.
const FrameSetReading kTypeOneSets[] = {
    { ThemeGroup::Background, kBackgroundFrames, &R::bgframecount, kBackgroundFrameNumbers,
        kBackgroundSwitches },
    { ThemeGroup::SpecialWindow, kSpecialWindowFrames, &R::specialwindowframecount,
        kSpecialWindowFrameNumbers, kSpecialWindowSwitches },
    { ThemeGroup::InternetBackground, kInternetBackgroundFrames, &R::inetbgframecount,
        kInternetBackgroundFrameNumbers, kInternetBackgroundSwitches },
    { ThemeGroup::Blocks, kBlockFrames, &R::blkframecount, kBlockFrameNumbers, kBlockSwitches },
    { ThemeGroup::NextBlock, kNextPieceFrames, &R::nextblkframecount, kNextPieceFrameNumbers,
        kNextPieceSwitches },
};
// The sets of every theme type.
const FrameSetReading kEffectSets[] = {
    { ThemeGroup::Explosion, kExplodeFrames, &R::explodeframecount, {}, {} },
    { ThemeGroup::Bomb, kBombFrames, &R::bombframecount, {}, {} },
};

// Stores the set only when every key of it is present and converts; false otherwise.
bool readFrameSet(const ThemeFile& file, const FrameSetReading& set, ThemeRecord& theme, ThemeWindow& window)
{
    const std::span<const KeyInfo> keys = themefile::groupKeys(set.group);
    ThemeRecord staged = theme;
    for (const KeyInfo& key : keys) {
        if (!readKey(file, key.key, staged, {}))
            return false;
    }
    for (const KeyInfo& key : keys)
        std::visit([&](auto member) { theme.*member = std::move(staged.*member); }, *recordField(key.key));

    theme.*set.framecount = clampFrameCount(theme.*set.framecount, set.geometry);
    for (int16_t ThemeRecord::*number : set.frameNumbers)
        theme.*number = int16_t(std::clamp<int>(theme.*number, 0, set.geometry.maxFrames()));
    for (const AnimationSwitch& animation : set.switches) {
        if (theme.*animation.flag)
            window.setAnimationBoxEnabled(animation.box, true);
    }
    return true;
}

} // namespace

bool joinedToThemeFolder(ThemeKey key)
{
    const KeyInfo& info = themefile::keyInfo(key);
    return info.kind == themefile::ValueKind::FileName
        && (info.group != ThemeGroup::Interface || key == ThemeKey::IfaceHighScore);
}

ThemeLoadResult LoadTheme(
    ThemeLoading& loading, BytesView file, ThemeRecord& theme, SoundTable& sounds, BytesView subfolder)
{
    ThemeRecord& current = loading.themes.CurrentTheme;
    const ThemeFile themeFile = ThemeFile::load(themeFilePath(file, loading.folders.programDir));

    theme.themefolder = folderText(loading.folders.tempDir) + Bytes(subfolder);
    Bytes prefix = theme.themefolder;

    for (ThemeKey identity : { ThemeKey::Name, ThemeKey::Developer, ThemeKey::Version })
        theme.*std::get<Bytes ThemeRecord::*>(*recordField(identity)) = themeFile.textOrDefault(identity);

    if (const std::optional<Bytes> archive = themeFile.text(ThemeKey::ResourceFile)) {
        theme.resourcefile = themefile::resourceArchivePath(file, *archive);
        UnpackThemeResources(theme.resourcefile, subfolder, loading.folders, loading.dialogs);
    } else {
        prefix.clear();
    }

    // Each on its own: a missing menu transparency keeps its flag even when the menu is named.
    for (const KeyInfo& key : themefile::groupKeys(ThemeGroup::Interface))
        readKey(themeFile, key.key, current, prefix);

    const std::optional<int32_t> type = themeFile.number(ThemeKey::ThemeType);
    if (!type) {
        themefile::showThemeError(loading.dialogs, themefile::missingThemeTypeMessage(file));
        return ThemeLoadResult::NoThemeType;
    }
    if (*type == 1 && prefix.empty()) {
        themefile::showThemeError(loading.dialogs, themefile::kResourceFileRequiredMessage);
        return ThemeLoadResult::NoResourceFile;
    }
    theme.themetype = int16_t(*type);

    if (*type == 0) {
        for (AnimationBox box : kAnimationBoxes)
            loading.window.setAnimationBoxEnabled(box, false);
        readWithFlags(themeFile, ThemeKey::SkinFile, theme, prefix);
    } else if (*type == 1) {
        for (AnimationBox box : kAnimationBoxes)
            loading.window.setAnimationBoxEnabled(box, true);
        for (const FrameSetReading& set : kTypeOneSets)
            readFrameSet(themeFile, set, theme, loading.window);
    }
    for (const FrameSetReading& set : kEffectSets)
        readFrameSet(themeFile, set, theme, loading.window);

    for (const KeyInfo& key : themefile::groupKeys(ThemeGroup::MiscImages)) {
        if (!key.parent)
            readWithFlags(themeFile, key.key, theme, prefix);
    }

    for (const KeyInfo& key : themefile::groupKeys(ThemeGroup::Colors))
        loading.themes.ThemeColors[*colorIndex(key.key)] = themeFile.color(key.key);

    if (const std::optional<Bytes> music = themeFile.text(ThemeKey::Midi))
        loading.themes.ThemeMusic = prefix + *music;
    for (const KeyInfo& key : themefile::groupKeys(ThemeGroup::Sounds)) {
        if (const std::optional<Bytes> value = themeFile.text(key.key))
            sounds[size_t(*soundSlot(key.key))] = prefix + *value;
    }
    return ThemeLoadResult::Loaded;
}

} // namespace kalvon
