#include "render/themeloader.h"

#include "common/colortext.h"
#include "common/dialogs.h"
#include "common/inifile.h"
#include "common/paths.h"
#include "common/vbconv.h"
#include "render/themepaths.h"
#include "render/themewindow.h"

#include <algorithm>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

namespace kalvon {

namespace {

using Field = std::variant<bool ThemeRecord::*, int16_t ThemeRecord::*, int32_t ThemeRecord::*,
                           Bytes ThemeRecord::*>;

// One key and the field it fills. A text stored "with prefix" is joined to the theme folder
// when the theme has a resource archive.
struct ThemeKey {
    const char* key;
    Field field;
    bool withPrefix = false;
};

// The [Theme Info] section, with every value checked once: a key is missing when the file or
// the key is, and a number or flag is missing when its value does not convert.
class ThemeFile {
public:
    explicit ThemeFile(std::optional<IniDocument> document) : m_document(std::move(document)) {}

    std::optional<Bytes> text(const char* key) const
    {
        if (!m_document)
            return std::nullopt;
        std::optional<Bytes> value = m_document->value("Theme Info", key);
        if (value && *value == kMissingSettingText)
            return std::nullopt;
        return value;
    }

    template <typename T>
    std::optional<T> get(const char* key) const
    {
        const std::optional<Bytes> value = text(key);
        if (!value)
            return std::nullopt;
        if constexpr (std::is_same_v<T, Bytes>) {
            return value;
        } else if constexpr (std::is_same_v<T, bool>) {
            const std::optional<double> number = vb::toNumber(*value);
            return number ? std::optional<bool>(*number != 0) : std::nullopt;
        } else if constexpr (std::is_same_v<T, int16_t>) {
            return vb::CInt(BytesView(*value));
        } else {
            return vb::CLng(BytesView(*value));
        }
    }

    // Reads `key` into its field of `record`; false (and the field untouched) when missing.
    bool read(const ThemeKey& key, ThemeRecord& record, const Bytes& prefix) const
    {
        return std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(record.*member)>;
                std::optional<T> value = get<T>(key.key);
                if (!value)
                    return false;
                if constexpr (std::is_same_v<T, Bytes>) {
                    if (key.withPrefix)
                        value = prefix + *value;
                }
                record.*member = std::move(*value);
                return true;
            },
            key.field);
    }

private:
    std::optional<IniDocument> m_document;
};

struct AnimationSwitch {
    bool ThemeRecord::*flag;
    AnimationBox box;
};

// A frame set: its keys in the order they are read, where its frames go, and the check boxes
// that its animate flags enable.
struct FrameSetKeys {
    std::span<const ThemeKey> chain;
    const FrameGeometry& geometry;
    int16_t ThemeRecord::*framecount;
    std::span<int16_t ThemeRecord::* const> frameNumbers;
    std::span<const AnimationSwitch> switches;
};

using R = ThemeRecord;

const ThemeKey kBackgroundKeys[] = {
    {"bganimated", &R::bganimated}, {"bgfilename", &R::bgfilename},
    {"bgextension", &R::bgextension}, {"bgframecount", &R::bgframecount},
    {"bgstartingframe", &R::bgstartingframe}, {"bgstillframe", &R::bgstillframe},
    {"bgreverseanimation", &R::bgreverseanimation},
    {"bgdelaybetweenframes", &R::bgdelaybetweenframes},
};
int16_t R::* const kBackgroundFrameNumbers[] = {&R::bgstartingframe, &R::bgstillframe};
const AnimationSwitch kBackgroundSwitches[] = {{&R::bganimated, AnimationBox::chkBGAni}};

const ThemeKey kSpecialWindowKeys[] = {
    {"specialwindowanimated", &R::specialwindowanimated},
    {"specialwindowfilename", &R::specialwindowfilename},
    {"specialwindowextension", &R::specialwindowextension},
    {"specialwindowframecount", &R::specialwindowframecount},
    {"specialwindowstartingframe", &R::specialwindowstartingframe},
    {"specialwindowstillframe", &R::specialwindowstillframe},
    {"specialwindowdelaybetweenframes", &R::specialwindowdelaybetweenframes},
    {"specialwindowreverseanimation", &R::specialwindowreverseanimation},
};
int16_t R::* const kSpecialWindowFrameNumbers[] = {&R::specialwindowstartingframe,
                                                   &R::specialwindowstillframe};
const AnimationSwitch kSpecialWindowSwitches[] = {
    {&R::specialwindowanimated, AnimationBox::chkSpecWin}};

const ThemeKey kInternetBackgroundKeys[] = {
    {"inetbganimated", &R::inetbganimated}, {"inetbgfilename", &R::inetbgfilename},
    {"inetbgextension", &R::inetbgextension}, {"inetbgframecount", &R::inetbgframecount},
    {"inetbgstartingframe", &R::inetbgstartingframe}, {"inetbgstillframe", &R::inetbgstillframe},
    {"inetbgreverseanimation", &R::inetbgreverseanimation},
    {"inetbgdelaybetweenframes", &R::inetbgdelaybetweenframes},
};
int16_t R::* const kInternetBackgroundFrameNumbers[] = {&R::inetbgstartingframe,
                                                        &R::inetbgstillframe};
const AnimationSwitch kInternetBackgroundSwitches[] = {
    {&R::inetbganimated, AnimationBox::chkAniInetBG}};

const ThemeKey kBlockKeys[] = {
    {"animateblocks", &R::animateblocks}, {"animatespecials", &R::animatespecials},
    {"animateinetblocks", &R::animateinetblocks}, {"animateinetspecials", &R::animateinetspecials},
    {"blkfilename", &R::blkfilename}, {"blkextension", &R::blkextension},
    {"blkframecount", &R::blkframecount}, {"blkstartingframe", &R::blkstartingframe},
    {"blkstillframe", &R::blkstillframe}, {"blkreverseanimation", &R::blkreverseanimation},
    {"blkdelaybetweenframes", &R::blkdelaybetweenframes}, {"blktransparency", &R::blktransparency},
};
int16_t R::* const kBlockFrameNumbers[] = {&R::blkstartingframe, &R::blkstillframe};
const AnimationSwitch kBlockSwitches[] = {
    {&R::animateblocks, AnimationBox::chkblkani},
    {&R::animatespecials, AnimationBox::chkAniSpec},
    {&R::animateinetblocks, AnimationBox::chkAniInetBlks},
    {&R::animateinetspecials, AnimationBox::chkInetSpec},
};

const ThemeKey kNextPieceKeys[] = {
    {"nextblkanimated", &R::nextblkanimated}, {"nextblkfilename", &R::nextblkfilename},
    {"nextblkextension", &R::nextblkextension}, {"nextblkframecount", &R::nextblkframecount},
    {"nextblkstartingframe", &R::nextblkstartingframe}, {"nextblkstillframe", &R::nextblkstillframe},
    {"nextblkreverseanimation", &R::nextblkreverseanimation},
    {"nextblkdelaybetweenframes", &R::nextblkdelaybetweenframes},
};
int16_t R::* const kNextPieceFrameNumbers[] = {&R::nextblkstartingframe, &R::nextblkstillframe};
const AnimationSwitch kNextPieceSwitches[] = {{&R::nextblkanimated, AnimationBox::chkNextBlk}};

const ThemeKey kExplodeKeys[] = {
    {"explodefilename", &R::explodefilename}, {"explodefileextension", &R::explodefileextension},
    {"explodeframecount", &R::explodeframecount},
    {"explodedelaybetweenframes", &R::explodedelaybetweenframes},
    {"explodetransparency", &R::explodetransparency},
};

const ThemeKey kBombKeys[] = {
    {"bombfilename", &R::bombfilename}, {"bombfileextension", &R::bombfileextension},
    {"bombframecount", &R::bombframecount}, {"bombdelaybetweenframes", &R::bombdelaybetweenframes},
    {"bombtransparency", &R::bombtransparency},
};

// The sets of a type-1 theme, in the order they are read.
const FrameSetKeys kTypeOneSets[] = {
    {kBackgroundKeys, kBackgroundFrames, &R::bgframecount, kBackgroundFrameNumbers,
     kBackgroundSwitches},
    {kSpecialWindowKeys, kSpecialWindowFrames, &R::specialwindowframecount,
     kSpecialWindowFrameNumbers, kSpecialWindowSwitches},
    {kInternetBackgroundKeys, kInternetBackgroundFrames, &R::inetbgframecount,
     kInternetBackgroundFrameNumbers, kInternetBackgroundSwitches},
    {kBlockKeys, kBlockFrames, &R::blkframecount, kBlockFrameNumbers, kBlockSwitches},
    {kNextPieceKeys, kNextPieceFrames, &R::nextblkframecount, kNextPieceFrameNumbers,
     kNextPieceSwitches},
};
// The sets of every theme type.
const FrameSetKeys kEffectSets[] = {
    {kExplodeKeys, kExplodeFrames, &R::explodeframecount, {}, {}},
    {kBombKeys, kBombFrames, &R::bombframecount, {}, {}},
};

struct TextKey {
    const char* key;
    Bytes ThemeRecord::*field;
};
const TextKey kIdentityKeys[] = {
    {"name", &R::name}, {"developer", &R::developer}, {"version", &R::version}};

// Written into the current theme whatever record is loaded.
const ThemeKey kInterfaceKeys[] = {
    {"ifacemain", &R::ifacemain}, {"ifaceoptions", &R::ifaceoptions},
    {"ifacechat", &R::ifacechat}, {"ifaceconnect", &R::ifaceconnect},
    {"ifaceserver", &R::ifaceserver}, {"ifacethemes", &R::ifacethemes},
    {"ifacemisc", &R::ifacemisc}, {"ifacehighscore", &R::ifacehighscore, true},
    {"ifacemenu", &R::ifacemenu}, {"ifacemenutransparent", &R::ifacemenutransparent},
    {"ifaceinet", &R::ifaceinet},
};

const ThemeKey kSingleImageKeys[] = {
    {"heightled", &R::heightled, true}, {"door1", &R::door1, true},
    {"door2", &R::door2, true}, {"internetdoor", &R::internetdoor, true},
    {"warning", &R::warning, true}, {"teamfont", &R::teamfont, true},
};

// A picture with a transparency flag that falls back to false when the picture is named.
struct TransparentImageKeys {
    ThemeKey picture;
    const char* transparencyKey;
    bool ThemeRecord::*transparency;
};
const TransparentImageKeys kGameOverImages[] = {
    {{"winimg", &R::winimg, true}, "wintransparent", &R::wintransparent},
    {{"inetwinimg", &R::inetwinimg, true}, "inetwintransparent", &R::inetwintransparent},
};

struct ColorKey {
    const char* key;
    int index;
};
const ColorKey kColorKeys[] = {
    {"colortitle", 0}, {"colorfields", 2}, {"coloroptions", 3}, {"colortheme", 1},
    {"colorserver", 4}, {"colorconnect", 5}, {"colorinternet", 6}, {"colorhighscorefirst", 8},
    {"colorhighscoresecond", 9}, {"colorhighscorethird", 10}, {"colorhighscorenormal", 11},
    {"colorhighscoretitle", 7},
};

struct SoundKey {
    const char* key;
    ThemeSound slot;
};
const SoundKey kSoundKeys[] = {
    {"startgame", ThemeSound::StartGame}, {"rotate", ThemeSound::Rotate},
    {"drop", ThemeSound::Drop}, {"lineclear", ThemeSound::LineClear},
    {"explode", ThemeSound::Explode}, {"quad", ThemeSound::Quad}, {"win", ThemeSound::Win},
    {"lose", ThemeSound::Lose}, {"chat", ThemeSound::Chat}, {"click", ThemeSound::Click},
    {"holyshield", ThemeSound::HolyShield},
};

// Stores the set only when every key of its chain is present; false otherwise.
bool readFrameSet(const ThemeFile& file, const FrameSetKeys& set, ThemeRecord& theme,
                  ThemeWindow& window)
{
    ThemeRecord staged = theme;
    for (const ThemeKey& key : set.chain) {
        if (!file.read(key, staged, {}))
            return false;
    }
    for (const ThemeKey& key : set.chain)
        std::visit([&](auto member) { theme.*member = std::move(staged.*member); }, key.field);

    theme.*set.framecount = clampFrameCount(theme.*set.framecount, set.geometry);
    for (int16_t ThemeRecord::*number : set.frameNumbers)
        theme.*number = int16_t(std::clamp<int>(theme.*number, 0, set.geometry.maxFrames()));
    for (const AnimationSwitch& animation : set.switches) {
        if (theme.*animation.flag)
            window.setAnimationBoxEnabled(animation.box, true);
    }
    return true;
}

bool isAbsolutePath(BytesView path)
{
    return (!path.empty() && path.front() == '/') || paths::hasDriveLetter(path);
}

} // namespace

ThemeLoadResult LoadTheme(ThemeLoading& loading, BytesView file, ThemeRecord& theme,
                          SoundTable& sounds, BytesView subfolder)
{
    ThemeRecord& current = loading.themes.CurrentTheme;
    const ThemeFile themeFile(IniDocument::load(themeFilePath(file, loading.folders.programDir)));

    theme.themefolder = folderText(loading.folders.tempDir) + Bytes(subfolder);
    Bytes prefix = theme.themefolder;

    for (const TextKey& identity : kIdentityKeys)
        theme.*identity.field = themeFile.text(identity.key).value_or("Unknown");

    if (const std::optional<Bytes> archive = themeFile.text("resourcefile")) {
        theme.resourcefile = isAbsolutePath(*archive) ? *archive : Bytes(folderOf(file)) + "/" + *archive;
        UnpackThemeResources(theme.resourcefile, subfolder, loading.folders, loading.dialogs);
    } else {
        prefix.clear();
    }

    for (const ThemeKey& key : kInterfaceKeys)
        themeFile.read(key, current, prefix);

    const std::optional<int16_t> type = themeFile.get<int16_t>("themetype");
    if (!type) {
        loading.dialogs.messageBox("Could not load " + Bytes(file) + ".\rLocation: Themetype", "Error",
                                   MessageIcon::Critical);
        return ThemeLoadResult::NoThemeType;
    }
    if (*type == 1 && prefix.empty()) {
        loading.dialogs.messageBox("Theme Type 1 REQUIRES a Resource File!", "Error",
                                   MessageIcon::Critical);
        return ThemeLoadResult::NoResourceFile;
    }
    theme.themetype = *type;

    if (*type == 0) {
        for (AnimationBox box : kAnimationBoxes)
            loading.window.setAnimationBoxEnabled(box, false);
        if (const std::optional<Bytes> skin = themeFile.text("skinfile")) {
            theme.skinfile = prefix + *skin;
            theme.blktransparency = themeFile.get<bool>("skintransparency").value_or(false);
            theme.specialwindowpic = themeFile.get<bool>("specialwindowpic").value_or(false);
            theme.nextblockpic = themeFile.get<bool>("nextblockpic").value_or(false);
        }
    } else if (*type == 1) {
        for (AnimationBox box : kAnimationBoxes)
            loading.window.setAnimationBoxEnabled(box, true);
        for (const FrameSetKeys& set : kTypeOneSets)
            readFrameSet(themeFile, set, theme, loading.window);
    }
    for (const FrameSetKeys& set : kEffectSets)
        readFrameSet(themeFile, set, theme, loading.window);

    for (const ThemeKey& key : kSingleImageKeys)
        themeFile.read(key, theme, prefix);
    for (const TransparentImageKeys& image : kGameOverImages) {
        if (themeFile.read(image.picture, theme, prefix))
            theme.*image.transparency = themeFile.get<bool>(image.transparencyKey).value_or(false);
    }

    for (const ColorKey& color : kColorKeys) {
        const std::optional<Bytes> value = themeFile.text(color.key);
        loading.themes.ThemeColors[size_t(color.index)] = value ? ParseColor(*value) : kWhite;
    }

    if (const std::optional<Bytes> music = themeFile.text("midi"))
        loading.themes.ThemeMusic = prefix + *music;
    for (const SoundKey& sound : kSoundKeys) {
        if (const std::optional<Bytes> value = themeFile.text(sound.key))
            sounds[size_t(sound.slot)] = prefix + *value;
    }
    return ThemeLoadResult::Loaded;
}

} // namespace kalvon
