#include "render/tnpimport.h"

#include "common/atomicfile.h"
#include "common/dialogs.h"
#include "common/inifile.h"
#include "common/paths.h"
#include "common/sectionio.h"
#include "common/themefile/themekeys.h"
#include "platform/bmpfile.h"
#include "render/themeimages.h"
#include "render/themepaths.h"
#include "render/themerecord.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <variant>

namespace kalvon {

namespace {

using themefile::ThemeKey;

// Where the TNP file's keys go in the current theme, in the order they are read: the music,
// the sound slot of the named .kvx key, or the bitmap this import builds the skin from.
struct BitmapKey { };
struct TnpKey {
    std::string_view section;
    std::string_view name;
    std::variant<ThemeKey, BitmapKey> target;
};
constexpr TnpKey kTnpKeys[] = {
    { "Music", "midifile", ThemeKey::Midi },
    { "Sounds", "immediate_piece_drop", ThemeKey::Drop },
    { "Sounds", "line_cleared", ThemeKey::LineClear },
    { "Sounds", "four_lines_cleared", ThemeKey::Quad },
    { "Sounds", "rotate_piece", ThemeKey::Rotate },
    { "Sounds", "you_won", ThemeKey::Win },
    { "Sounds", "you_lost", ThemeKey::Lose },
    { "Sounds", "message_arrives", ThemeKey::Chat },
    { "Sounds", "game_start", ThemeKey::StartGame },
    { "Graphics", "bitmaps_file", BitmapKey{} },
};

// The sounds the converted theme file names, in its order.
constexpr ThemeKey kConvertedSounds[] = { ThemeKey::StartGame, ThemeKey::Rotate, ThemeKey::Drop,
    ThemeKey::LineClear, ThemeKey::Quad, ThemeKey::Explode, ThemeKey::Win, ThemeKey::Lose, ThemeKey::Chat };

constexpr int kConvertedSkinWidth = 288;
constexpr int kConvertedSkinHeight = 352;

// One plain copy into the skin: a rectangle of the bitmap, or a whole icon.
struct BitmapCopy {
    int fromX, fromY, width, height, toX, toY;
};
struct IconCopy {
    bool large;
    int icon;
    int toX, toY;
};

// The copies from the TNP bitmap, in order. The bitmap holds 16 x 16 tiles in its top row
// (colours 0-4, then Add Line, Clear Line, Nuke Field, Random Clear, Switch Blocks, Clear
// Specials, Block Gravity, Block Quake, Block Bomb), the same as 8 x 8 tiles in the row below,
// the field background at (0, 24) and the internet one at (192, 24).
// clang-format off
constexpr BitmapCopy kBitmapCopies[] = {
    {0, 0, 290, 395, 0, 0},       // the whole bitmap as a base
    {0, 24, 192, 352, 0, 0},      // field background
    {192, 24, 96, 176, 192, 0},   // internet field background
    {0, 0, 80, 16, 192, 176},     // colours 0-4
    {0, 0, 16, 16, 272, 176},     // colour 5 repeats colour 0
    {80, 0, 176, 16, 192, 192},   // codes 6-11 from Add Line on (the rest falls off the skin)
    {176, 0, 32, 16, 192, 208},   // Block Gravity, Block Quake (12, 13)
    {208, 0, 16, 16, 224, 224},   // Block Bomb (20)
};
constexpr IconCopy kLargeIconCopies[] = {
    {true, 6, 240, 224}, // Holy Shield (21)
    {true, 2, 208, 224}, // Vertical Clear (19)
    {true, 0, 192, 224}, // Tremor (18)
    {true, 1, 224, 208}, // Push Field (14)
    {true, 3, 240, 208}, // Flash Screen (15)
    {true, 4, 256, 208}, // Drop Block (16)
    {true, 5, 272, 208}, // Give Line (17)
};
constexpr BitmapCopy kSmallBitmapCopies[] = {
    {40, 16, 48, 8, 240, 240},    // codes 6-11
    {0, 16, 40, 8, 192, 240},     // colours 0-4
    {0, 16, 8, 8, 232, 240},      // colour 5 repeats colour 0
    {88, 16, 16, 8, 192, 248},    // Block Gravity, Block Quake (12, 13)
    {104, 16, 8, 8, 256, 248},    // Block Bomb (20)
};
constexpr IconCopy kSmallIconCopies[] = {
    {false, 0, 240, 248}, // Tremor (18)
    {false, 1, 208, 248}, // Push Field (14)
    {false, 3, 216, 248}, // Flash Screen (15)
    {false, 2, 248, 248}, // Vertical Clear (19)
    {false, 4, 224, 248}, // Drop Block (16)
    {false, 5, 232, 248}, // Give Line (17)
    {false, 6, 264, 248}, // Holy Shield (21)
};
// clang-format on

void copy(Surface& skin, const Surface& bitmap, const BitmapCopy& c)
{
    skin.bitBlt(c.toX, c.toY, c.width, c.height, bitmap, c.fromX, c.fromY);
}

void copy(Surface& skin, const SpecialIcons& icons, const IconCopy& c)
{
    const Surface& icon = (c.large ? icons.large : icons.small)[size_t(c.icon)];
    const int size = c.large ? 16 : 8;
    skin.bitBlt(c.toX, c.toY, size, size, icon, 0, 0);
}

// The values of the TNP file's keys (nothing for a missing key), by the order of kTnpKeys.
using TnpValues = std::array<std::optional<Bytes>, std::size(kTnpKeys)>;

// A name that stays inside the TNP file's folder once joined to it: relative, without a
// drive letter and without a ".." part.
bool staysInFolder(BytesView name)
{
    const Bytes slashed = paths::toSlashes(name);
    if ((!slashed.empty() && slashed.front() == '/') || paths::hasDriveLetter(slashed))
        return false;
    size_t start = 0;
    while (start <= slashed.size()) {
        const size_t end = std::min(slashed.find('/', start), slashed.size());
        if (BytesView(slashed).substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

Bytes couldNotLoad(BytesView path)
{
    return "Could not load " + Bytes(path) + ".";
}

void showError(Dialogs& dialogs, BytesView message)
{
    dialogs.messageBox(message, "Error", MessageIcon::Critical);
}

// The part of the skin the conversion writes, black where the skin does not reach, as a
// bitmap file: encoded straight from the skin, without a copy of it.
Bytes convertedSkinBmp(const ThemeImages& images)
{
    const Surface none;
    return encodeBmp(images.skin ? *images.skin : none, kConvertedSkinWidth, kConvertedSkinHeight);
}

// Asks for the theme file and its skin and writes them; true when both were written.
bool convertTnpTheme(TnpImport& import, BytesView tnpPath)
{
    Dialogs& dialogs = import.dialogs;
    const Bytes base = tnpProposedBase(tnpPath);
    const std::optional<Bytes> skinName
        = dialogs.saveFile({ "Save Skin File", "Bitmap (*.BMP)|*.BMP|", {}, base + ".bmp" });
    if (!skinName)
        return false;
    const auto skinFile = paths::resolve(*skinName, import.programDir);
    if (!skinFile || !writeFileAtomically(*skinFile, convertedSkinBmp(import.images)).ok) {
        showError(dialogs, "Could not write " + *skinName + ".");
        return false;
    }

    const std::optional<Bytes> themeName
        = dialogs.saveFile({ "Save KVX File", "Kalvon Theme File (*.KVX)|*.KVX|", {}, base + ".kvx" });
    if (!themeName)
        return false;
    const auto themeFile = paths::resolve(*themeName, import.programDir);
    const AtomicWriteResult written = themeFile
        ? writeFileAtomically(*themeFile, convertedThemeBytes(*skinName, import.themes))
        : AtomicWriteResult{};
    if (!written.ok) {
        Bytes message = "Could not write " + *themeName + ".";
        if (!written.error.empty())
            message += "\r" + written.error;
        showError(dialogs, message);
        return false;
    }
    dialogs.messageBox(
        "KVX Created Successfully! For Editing Information Please Read The Theme Documentation.", "Success",
        MessageIcon::Information);
    return true;
}

} // namespace

SpecialIcons loadSpecialIcons(const std::filesystem::path& imagesFolder)
{
    SpecialIcons icons;
    for (size_t i = 0; i < icons.large.size(); ++i) {
        const std::string n = std::to_string(i);
        icons.large[i] = loadPictureFile(imagesFolder / ("special16_" + n + ".png")).value_or(Surface());
        icons.small[i] = loadPictureFile(imagesFolder / ("special8_" + n + ".png")).value_or(Surface());
    }
    return icons;
}

void buildTnpSkin(Surface& skin, const Surface& bitmap, const SpecialIcons& icons)
{
    for (const BitmapCopy& c : kBitmapCopies)
        copy(skin, bitmap, c);
    for (const IconCopy& c : kLargeIconCopies)
        copy(skin, icons, c);
    for (const BitmapCopy& c : kSmallBitmapCopies)
        copy(skin, bitmap, c);
    for (const IconCopy& c : kSmallIconCopies)
        copy(skin, icons, c);
}

Bytes convertedThemeBytes(BytesView skinName, const Themes& themes)
{
    using themefile::keyInfo;
    Bytes out;
    const auto line = [&out](BytesView text) {
        out += text;
        out += "\r\n";
    };
    const auto blankLine = [&line] { line("\r"); };
    const auto key = [&line](ThemeKey which, BytesView value) {
        line(Bytes(keyInfo(which).name) + "=" + Bytes(firstLine(value)));
    };

    line("//Kalvon Theme File - Auto Generated");
    blankLine();
    line("[" + Bytes(themefile::kThemeSection) + "]");
    for (ThemeKey identity : { ThemeKey::Name, ThemeKey::Developer, ThemeKey::Version })
        key(identity, themefile::kUnknownText);
    key(ThemeKey::ThemeType, "0");
    blankLine();
    line("//Theme Type 0 Info");
    key(ThemeKey::SkinFile, skinName);
    blankLine();
    line(themefile::groupInfo(themefile::ThemeGroup::Music).title);
    key(ThemeKey::Midi, themes.ThemeMusic);
    blankLine();
    line(themefile::groupInfo(themefile::ThemeGroup::Sounds).title);
    for (ThemeKey sound : kConvertedSounds)
        key(sound, themes.ThemeSounds[size_t(*soundSlot(sound))]);
    return out;
}

Bytes tnpProposedBase(BytesView tnpPath)
{
    const size_t nameStart = tnpPath.find_last_of("/\\");
    const size_t dot = tnpPath.rfind('.');
    if (dot == BytesView::npos || (nameStart != BytesView::npos && dot < nameStart))
        return Bytes(tnpPath);
    return Bytes(tnpPath.substr(0, dot));
}

TnpImportResult ImportTnpTheme(TnpImport& import, BytesView path)
{
    Dialogs& dialogs = import.dialogs;
    const size_t separator = path.find_last_of("/\\");
    const Bytes folder(separator == BytesView::npos ? BytesView() : path.substr(0, separator));

    // Everything is read and checked before anything changes.
    const std::filesystem::path tnpFile = themeFilePath(path, import.programDir);
    const std::optional<IniDocument> tnp = tnpFile.empty() ? std::nullopt : IniDocument::load(tnpFile);
    if (!tnp) {
        showError(dialogs, couldNotLoad(path));
        return TnpImportResult::Refused;
    }
    TnpValues values;
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = tnp->value(kTnpKeys[i].section, kTnpKeys[i].name);
        if (values[i] && !staysInFolder(*values[i])) {
            showError(dialogs, couldNotLoad(path) + "\r" + *values[i] + " lies outside the theme's folder.");
            return TnpImportResult::Refused;
        }
    }
    const auto joined = [&folder](const Bytes& name) { return folder + "\\" + name; };
    // Without a bitmap the scratch picture is cleared.
    std::optional<std::filesystem::path> bitmapFile;
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] && std::holds_alternative<BitmapKey>(kTnpKeys[i].target))
            bitmapFile = themeFilePath(joined(*values[i]), import.programDir);
    }
    if (bitmapFile && !bitmapFile->empty() && pictureFileTooLarge(*bitmapFile)) {
        showError(dialogs, couldNotLoad(path) + "\rIts picture is too large.");
        return TnpImportResult::Refused;
    }

    Themes& themes = import.themes;
    for (size_t i = 0; i < values.size(); ++i) {
        const ThemeKey* key = std::get_if<ThemeKey>(&kTnpKeys[i].target);
        if (!key || !values[i])
            continue;
        if (*key == ThemeKey::Midi)
            themes.ThemeMusic = joined(*values[i]);
        else
            themes.ThemeSounds[size_t(*soundSlot(*key))] = joined(*values[i]);
    }
    // A bitmap that cannot be read keeps the scratch picture of the import before.
    if (!bitmapFile)
        import.picTNPTemp.load({});
    else if (!bitmapFile->empty())
        import.picTNPTemp.load(*bitmapFile);

    ThemeImages& images = import.images;
    if (!images.skin)
        images.skin = std::make_shared<Surface>(kSkinSheetWidth, kSkinSheetHeight);
    buildTnpSkin(*images.skin, import.picTNPTemp.picture(), import.icons);

    ThemeRecord& theme = themes.CurrentTheme;
    theme.themetype = 0;
    theme.blktransparency = false;
    theme.developer = theme.version = theme.name = Bytes(themefile::kUnknownText);
    if (import.redraw)
        import.redraw();

    const MessageAnswer answer = dialogs.messageBox(
        "Would you like to convert this to Kalvon Theme Format for editing, faster loading, and use "
        "in the Theme Browser?",
        "Convert File?", MessageIcon::None, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return TnpImportResult::Imported;
    return convertTnpTheme(import, path) ? TnpImportResult::Converted : TnpImportResult::Imported;
}

} // namespace kalvon
