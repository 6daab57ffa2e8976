// The TNP import (ImportTnpTheme) on any .tnp file, in a theme folder beside a picture made from
// the input (a small bitmap, one whose header claims any size, or raw bytes): a file that names
// anything outside its folder (an absolute, drive-letter or ".." name) is refused; a bitmap
// whose header is larger than any picture the game loads is refused, or read as broken, and
// never decoded; a refusal changes neither the theme nor the skin. An import stores each named
// file as folder\name, makes the theme an "Unknown" type-0 theme with a skin of the skin
// sheet's size, and never holds a picture larger than the limit. Nothing is written anywhere
// but the two files the conversion is told to write, and the converted theme file has its 24
// lines whatever the names hold.
//
// The input: one byte of choices (bit 0: convert; bits 1-2: the picture - none, a bitmap of
// the next two bytes' size, the same with a header that claims the size of the eight bytes
// after them, raw bytes of a length-prefixed piece), the bytes those take, then the .tnp file.

#include "common/dialogs.h"
#include "common/inifile.h"
#include "common/themefile/themefile.h"
#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "harness/scratch.h"
#include "platform/bmpfile.h"
#include "platform/picturefile.h"
#include "render/themeimages.h"
#include "render/themepaths.h"
#include "render/themerecord.h"
#include "render/tnpimport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <vector>

using namespace kalvon;
namespace fs = std::filesystem;

namespace {

constexpr QRgb kOldSkin = 0xff010203;

// Answers the convert question as told and names the conversion's files in the program folder.
class ConvertingDialogs final : public Dialogs {
public:
    bool convert = false;
    int errors = 0;

    MessageAnswer messageBox(BytesView, BytesView, MessageIcon icon, MessageButtons buttons) override
    {
        errors += icon == MessageIcon::Critical;
        if (buttons == MessageButtons::YesNo)
            return convert ? MessageAnswer::Yes : MessageAnswer::No;
        return MessageAnswer::Ok;
    }
    std::optional<Bytes> inputBox(BytesView, BytesView, BytesView) override { return std::nullopt; }
    std::optional<Bytes> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<Bytes> saveFile(const FileDialogRequest& request) override
    {
        return request.title == "Save Skin File" ? Bytes("converted.bmp") : Bytes("converted.kvx");
    }
    std::optional<uint32_t> chooseColor(uint32_t) override { return std::nullopt; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
};

struct TnpKey {
    const char* section;
    const char* name;
};
constexpr TnpKey kSoundKeys[] = { { "Sounds", "immediate_piece_drop" }, { "Sounds", "line_cleared" },
    { "Sounds", "four_lines_cleared" }, { "Sounds", "rotate_piece" }, { "Sounds", "you_won" },
    { "Sounds", "you_lost" }, { "Sounds", "message_arrives" }, { "Sounds", "game_start" } };
constexpr TnpKey kMusicKey = { "Music", "midifile" };
constexpr TnpKey kBitmapKey = { "Graphics", "bitmaps_file" };

// A name that cannot leave the folder it is joined to.
bool staysInFolder(const Bytes& name)
{
    Bytes slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (!slashed.empty() && slashed.front() == '/')
        return false;
    if (slashed.size() >= 2 && slashed[1] == ':' && std::isalpha(static_cast<unsigned char>(slashed[0]))
        && static_cast<unsigned char>(slashed[0]) < 128)
        return false;
    size_t start = 0;
    while (start <= slashed.size()) {
        const size_t end = std::min(slashed.find('/', start), slashed.size());
        if (slashed.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

void putLittleEndian(Bytes& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xff);
}

struct Picture {
    std::shared_ptr<const Bytes> bytes;
    bool tooLarge = false; // its header claims a side above the limit
};

// A bitmap of one colour. The last few sizes are kept: a picture of up to 300 x 400 pixels
// made and encoded anew for every input took a large share of each run.
std::shared_ptr<const Bytes> plainBitmap(int width, int height)
{
    struct Made {
        int width, height;
        std::shared_ptr<const Bytes> bytes;
    };
    static std::vector<Made> made;
    for (const Made& m : made) {
        if (m.width == width && m.height == height)
            return m.bytes;
    }
    Surface surface(width, height);
    surface.fill(0xff3060c0);
    if (made.size() >= 64)
        made.erase(made.begin());
    made.push_back({ width, height, std::make_shared<const Bytes>(encodeBmp(surface)) });
    return made.back().bytes;
}

// The picture the input describes; nothing for none.
std::optional<Picture> makePicture(int kind, fuzz::FuzzInput& input)
{
    if (kind == 0)
        return std::nullopt;
    if (kind == 1 || kind == 2) {
        const int width = input.between(1, 300);
        const int height = input.between(1, 400);
        Picture picture{ plainBitmap(width, height) };
        if (kind == 2) {
            Bytes claiming = *picture.bytes;
            // The header's width and height (offsets 18 and 22) claim any size; the pixels
            // stay as few as they were.
            uint32_t claimed[2];
            for (uint32_t& side : claimed) {
                side = 0;
                for (int i = 0; i < 4; ++i)
                    side = side << 8 | input.byte();
            }
            putLittleEndian(claiming, 18, claimed[0]);
            putLittleEndian(claiming, 22, claimed[1]);
            picture.bytes = std::make_shared<const Bytes>(std::move(claiming));
            const int64_t w = int32_t(claimed[0]);
            const int64_t h = int32_t(claimed[1]);
            picture.tooLarge = w > kMaxPictureSide || (h < 0 ? -h : h) > kMaxPictureSide;
        }
        return picture;
    }
    return Picture{ std::make_shared<const Bytes>(input.piece()) };
}

struct Folders {
    fs::path root, themes, program;
};

const Folders& folders()
{
    static const Folders made = [] {
        const fs::path root = fuzz::scratchRoot() / "tnp";
        return Folders{ root, root / "themes", root / "program" };
    }();
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    const uint8_t choices = input.byte();
    const bool convert = choices & 1;
    const std::optional<Picture> picture = makePicture((choices >> 1) & 3, input);
    const Bytes tnpText(input.rest());

    const Folders& at = folders();
    fuzz::resetFolder(at.root);
    fuzz::resetFolder(at.themes);
    fuzz::resetFolder(at.program);
    fuzz::writeBytes(at.root / "outside.bmp", "outside");
    const fs::path tnpFile = at.themes / "theme.tnp";
    fuzz::writeBytes(tnpFile, tnpText);
    if (picture)
        fuzz::writeBytes(at.themes / "skin.bmp", *picture->bytes);
    const std::vector<fuzz::TreeEntry> before = fuzz::treeOf(at.root);

    Themes themes;
    themes.CurrentTheme.name = "Before";
    themes.CurrentTheme.themetype = 1;
    themes.ThemeMusic = "before.mid";
    for (size_t i = 0; i < themes.ThemeSounds.size(); ++i)
        themes.ThemeSounds[i] = "before" + std::to_string(i) + ".wav";
    const Themes old = themes;
    // The skin before starts as a copy of one made once (its pixels are shared until the
    // import draws into it).
    static const Surface oldSkin = [] {
        Surface made(kSkinSheetWidth, kSkinSheetHeight);
        made.fill(kOldSkin);
        return made;
    }();
    ThemeImages images;
    images.skin = std::make_shared<Surface>(oldSkin);
    ConvertingDialogs dialogs;
    dialogs.convert = convert;
    TnpImport import{ themes, images, dialogs, SpecialIcons{}, at.program, {}, {} };

    const Bytes path = pathText(tnpFile);
    const TnpImportResult result = ImportTnpTheme(import, path);

    // What the rules expect of this file.
    const IniDocument tnp = IniDocument::parse(tnpText);
    bool outside = false;
    for (const TnpKey& key : kSoundKeys)
        outside = outside || !staysInFolder(tnp.value(key.section, key.name).value_or(""));
    const std::optional<Bytes> music = tnp.value(kMusicKey.section, kMusicKey.name);
    const std::optional<Bytes> bitmap = tnp.value(kBitmapKey.section, kBitmapKey.name);
    outside = outside || !staysInFolder(music.value_or("")) || !staysInFolder(bitmap.value_or(""));
    Bytes bitmapName = bitmap.value_or("");
    std::transform(bitmapName.begin(), bitmapName.end(), bitmapName.begin(),
        [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    const bool namesTooLarge
        = picture && picture->tooLarge && (bitmapName == "skin.bmp" || bitmapName == "./skin.bmp");

    if (outside)
        FUZZ_CHECK_MSG(result == TnpImportResult::Refused, "a name outside the folder was taken");
    // A header too absurd for the reader reads as a broken picture: the import goes on with the
    // picture it had (none here), which is no less safe than a refusal.
    if (namesTooLarge)
        FUZZ_CHECK_MSG(result == TnpImportResult::Refused || import.picTNPTemp.picture().isNull(),
            "a picture too large was decoded");
    FUZZ_CHECK(import.picTNPTemp.picture().width() <= kMaxPictureSide);
    FUZZ_CHECK(import.picTNPTemp.picture().height() <= kMaxPictureSide);

    std::vector<fuzz::TreeEntry> expected = before;
    if (result == TnpImportResult::Refused) {
        FUZZ_CHECK(dialogs.errors == 1);
        FUZZ_CHECK(themes.CurrentTheme.name == old.CurrentTheme.name);
        FUZZ_CHECK(themes.CurrentTheme.themetype == old.CurrentTheme.themetype);
        FUZZ_CHECK(themes.ThemeMusic == old.ThemeMusic && themes.ThemeSounds == old.ThemeSounds);
        FUZZ_CHECK(images.skin && images.skin->image() == oldSkin.image());
    } else {
        const Bytes folder = pathText(at.themes);
        FUZZ_CHECK(themes.CurrentTheme.themetype == 0 && themes.CurrentTheme.name == "Unknown");
        FUZZ_CHECK(themes.ThemeMusic == (music ? folder + "\\" + *music : old.ThemeMusic));
        FUZZ_CHECK(images.skin && images.skin->width() == kSkinSheetWidth
            && images.skin->height() == kSkinSheetHeight);
        if (result == TnpImportResult::Converted) {
            FUZZ_CHECK(convert);
            expected.push_back({ "program/converted.bmp", fuzz::TreeEntry::Kind::File });
            expected.push_back({ "program/converted.kvx", fuzz::TreeEntry::Kind::File });
            std::sort(expected.begin(), expected.end(),
                [](const fuzz::TreeEntry& a, const fuzz::TreeEntry& b) { return a.path < b.path; });
            // 24 lines, the blank ones a lone CR; no name breaks a line or starts another.
            const Bytes kvx = fuzz::readBytes(at.program / "converted.kvx");
            size_t lines = 0;
            for (size_t start = 0; start < kvx.size();) {
                const size_t end = kvx.find("\r\n", start);
                FUZZ_CHECK_MSG(end != Bytes::npos, "an unterminated line in the converted file");
                const BytesView line = BytesView(kvx).substr(start, end - start);
                FUZZ_CHECK_MSG(line == "\r" || line.find_first_of("\r\n") == BytesView::npos,
                    "a broken line in the converted file: " + fuzz::printable(line));
                ++lines;
                start = end + 2;
            }
            FUZZ_CHECK(lines == 24);
            const themefile::ThemeFile theme = themefile::ThemeFile::parse(kvx);
            FUZZ_CHECK(theme.number(themefile::ThemeKey::ThemeType) == 0);
            FUZZ_CHECK(theme.text(themefile::ThemeKey::SkinFile) == "converted.bmp");
        } else {
            FUZZ_CHECK(result == TnpImportResult::Imported);
        }
    }
    const std::vector<fuzz::TreeEntry> after = fuzz::treeOf(at.root);
    if (after != expected) {
        std::string made;
        for (const fuzz::TreeEntry& entry : after)
            made += entry.path + " ";
        fuzz::failCheck(
            "the folders hold what was there and the conversion's files only", __FILE__, __LINE__, made);
    }
    return 0;
}
