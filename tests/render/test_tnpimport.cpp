// Importing a TNP theme: the skin built from a position-coded bitmap pixel by pixel, the keys in
// the current theme, the converted theme file byte for byte and its BMP loaded back by the
// game, the refusals that change nothing, and the save dialogs.

#include "common/dialogs.h"
#include "platform/picturefile.h"
#include "recordingthemewindow.h"
#include "render/blocktiles.h"
#include "render/sheetloaders.h"
#include "render/themeimages.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "render/themerecord.h"
#include "render/tnpimport.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "tnpfixture.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <set>

namespace kalvon {
namespace {

namespace fs = std::filesystem;
using testing::iconColor;
using testing::readFile;
using testing::RecordingThemeWindow;
using testing::ScratchFolder;
using testing::ScriptedDialogs;
using testing::solidIcons;
using testing::tnpBitmap;
using testing::tnpPixel;
using testing::tnpSource;
using testing::TnpTheme;

constexpr QRgb kOldSkin = 0xff010203;

// Where each cell code's tiles come from: the TNP bitmap's tile k (16 x 16 at (16k, 0), 8 x 8
// at (8k, 16); 0-4 the colours, 5-13 Add Line .. Clear Specials, Block Gravity, Block Quake,
// Block Bomb), or a built-in icon (0 Tremor, 1 Push Field, 2 Vertical Clear, 3 Flash Screen,
// 4 Drop Block, 5 Give Line, 6 Holy Shield).
struct TileSource {
    int code;
    int bitmapTile; // -1: an icon
    int icon;
};
constexpr TileSource kTileSources[] = {
    { 0, 0, -1 },
    { 1, 1, -1 },
    { 2, 2, -1 },
    { 3, 3, -1 },
    { 4, 4, -1 },
    { 5, 0, -1 }, // the sixth colour repeats the first
    { 6, 5, -1 },
    { 7, 6, -1 },
    { 8, 7, -1 },
    { 9, 8, -1 },
    { 10, 9, -1 },
    { 11, 10, -1 },
    { 12, 11, -1 },
    { 13, 12, -1 },
    { 14, -1, 1 },
    { 15, -1, 3 },
    { 16, -1, 4 },
    { 17, -1, 5 },
    { 18, -1, 0 },
    { 19, -1, 2 },
    { 20, 13, -1 },
    { 21, -1, 6 },
};

// The skin an import of a bitmap of the given size shows over `prior`, part by part as the
// drawing reads it. A pixel whose source lies outside the bitmap keeps its value.
Surface expectedSkin(const Surface& prior, int bitmapWidth, int bitmapHeight)
{
    Surface skin = prior;
    const auto from = [&](int toX, int toY, int width, int height, int fromX, int fromY) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (fromX + x < bitmapWidth && fromY + y < bitmapHeight)
                    skin.setPixel(toX + x, toY + y, tnpPixel(fromX + x, fromY + y));
            }
        }
    };
    const auto fill = [&](TileSpot spot, int size, QRgb color) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                skin.setPixel(spot.x + x, spot.y + y, color);
        }
    };
    // Under everything the bitmap as it is (290 x 395 of it): it shows where nothing below lies.
    from(0, 0, 290, 395, 0, 0);
    from(0, 0, 192, 352, 0, 24); // field background
    from(192, 0, 96, 176, 192, 24); // internet field background
    for (const TileSource& tile : kTileSources) {
        const TileSpot large = *skinTile(tile.code, TileSize::Large);
        const TileSpot small = *skinTile(tile.code, TileSize::Small);
        if (tile.bitmapTile >= 0) {
            from(large.x, large.y, 16, 16, 16 * tile.bitmapTile, 0);
            from(small.x, small.y, 8, 8, 8 * tile.bitmapTile, 16);
        } else {
            fill(large, 16, iconColor(true, tile.icon));
            fill(small, 8, iconColor(false, tile.icon));
        }
    }
    // The specials from Add Line on are copied as one 176-wide strip: past code 11 it runs off
    // the skin, leaving Block Gravity's first three columns at x 288-290.
    from(288, 192, 3, 16, 176, 0);
    return skin;
}

std::string describe(QRgb pixel)
{
    if (const auto source = tnpSource(pixel))
        return "bitmap(" + std::to_string(source->first) + "," + std::to_string(source->second) + ")";
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", pixel & 0xffffff);
    return text;
}

// The first differing pixels, as "(x,y) got ... want ...".
std::vector<std::string> differences(const Surface& actual, const Surface& expected, int width, int height)
{
    std::vector<std::string> found;
    for (int y = 0; y < height && found.size() < 8; ++y) {
        for (int x = 0; x < width && found.size() < 8; ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                found.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ") got "
                    + describe(actual.pixel(x, y)) + " want " + describe(expected.pixel(x, y)));
            }
        }
    }
    return found;
}

// Every file below a folder, relative to it.
std::set<std::string> filesBelow(const fs::path& folder)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files.insert(entry.path().lexically_relative(folder).string());
    return files;
}

class TnpImportTest : public ::testing::Test {
protected:
    TnpImportTest()
    {
        // The theme in force before: type 1, with sounds and music of its own.
        ThemeRecord& theme = themes.CurrentTheme;
        theme.themetype = 1;
        theme.name = "Old";
        theme.developer = "Ann";
        theme.version = "2";
        theme.blktransparency = true;
        theme.skinfile = "old.bmp";
        theme.ifacemain = "main.bmp";
        theme.bgframecount = 3;
        for (size_t slot = 0; slot < themes.ThemeSounds.size(); ++slot)
            themes.ThemeSounds[slot] = "old" + std::to_string(slot) + ".wav";
        themes.ThemeMusic = "old.ogg";
        before = themes;
    }

    TnpImportResult importTnp(BytesView path) { return ImportTnpTheme(import, path); }
    Bytes tnpPath() const { return pathText(folder / "themes" / "cool.tnp"); }
    Bytes themesDir() const { return pathText(folder / "themes") + "\\"; }
    Bytes sound(ThemeSound slot) const { return themes.ThemeSounds[size_t(slot)]; }

    ScratchFolder folder;
    Themes themes;
    Themes before;
    ThemeImages images;
    ScriptedDialogs dialogs;
    std::vector<int> typesAtRedraw;
    TnpImport import{ themes, images, dialogs, solidIcons(), folder.path(),
        [this] { typesAtRedraw.push_back(themes.CurrentTheme.themetype); }, {} };
};

TEST_F(TnpImportTest, SkinShowsEveryTileBackgroundAndIconWhereTheDrawingReadsIt)
{
    Surface oldSkin(kSkinSheetWidth, kSkinSheetHeight);
    oldSkin.fill(kOldSkin);
    const struct {
        const char* name;
        bool hadSkin; // a type-0 theme before; else the sheet is made, black
        int bitmapWidth, bitmapHeight;
    } cases[] = {
        { "type-1 theme before: the skin sheet is made", false, testing::kTnpBitmapWidth,
            testing::kTnpBitmapHeight },
        { "type-0 theme before: its skin is overwritten in place", true, testing::kTnpBitmapWidth,
            testing::kTnpBitmapHeight },
        { "a bitmap smaller than the layout", true, 100, 30 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        images = ThemeImages();
        if (c.hadSkin)
            images.skin = std::make_shared<Surface>(oldSkin);
        const Surface* sheetBefore = images.skin.get();
        TnpTheme().write(folder, "themes/cool.tnp", tnpBitmap(c.bitmapWidth, c.bitmapHeight));

        ASSERT_EQ(importTnp(tnpPath()), TnpImportResult::Imported);

        ASSERT_TRUE(images.skin);
        ASSERT_EQ(images.skin->width(), kSkinSheetWidth);
        ASSERT_EQ(images.skin->height(), kSkinSheetHeight);
        if (c.hadSkin) {
            EXPECT_EQ(images.skin.get(), sheetBefore);
        }
        const Surface expected = expectedSkin(
            c.hadSkin ? oldSkin : Surface(kSkinSheetWidth, kSkinSheetHeight), c.bitmapWidth, c.bitmapHeight);
        EXPECT_EQ(differences(*images.skin, expected, kSkinSheetWidth, kSkinSheetHeight),
            std::vector<std::string>{});
    }
}

TEST_F(TnpImportTest, KeysLandInTheCurrentThemeWhichBecomesAnUnknownTypeZeroTheme)
{
    TnpTheme().write(folder, "themes/cool.tnp");

    ASSERT_EQ(importTnp(tnpPath()), TnpImportResult::Imported);

    const Bytes dir = themesDir();
    EXPECT_EQ(themes.ThemeMusic, dir + "Music\\Theme.MID");
    const struct {
        ThemeSound slot;
        Bytes value;
    } sounds[] = {
        { ThemeSound::Drop, dir + "Sounds\\Drop.WAV" },
        { ThemeSound::LineClear, dir + "Sounds\\Line.WAV" },
        { ThemeSound::Quad, dir + "Sounds\\Quad.WAV" },
        { ThemeSound::Rotate, dir + "Sounds\\Rotate.WAV" },
        { ThemeSound::Win, dir + "Sounds\\Win.WAV" },
        { ThemeSound::Lose, dir + "Sounds\\Lose.WAV" },
        { ThemeSound::Chat, dir + "Sounds\\Chat.WAV" },
        { ThemeSound::StartGame, dir + "Sounds\\Start.WAV" },
        // No TNP key names these: the theme's before stay.
        { ThemeSound::Explode, "old2.wav" },
        { ThemeSound::Click, "old10.wav" },
        { ThemeSound::HolyShield, "old11.wav" },
    };
    for (const auto& s : sounds)
        EXPECT_EQ(sound(s.slot), s.value) << int(s.slot);
    EXPECT_EQ(themes.ThemeSounds[9], "old9.wav");
    // The stored paths find their files, though names differ in case and use "\".
    EXPECT_TRUE(fs::is_regular_file(themeFilePath(themes.ThemeMusic, folder.path())));
    EXPECT_TRUE(fs::is_regular_file(themeFilePath(sound(ThemeSound::Drop), folder.path())));

    const ThemeRecord& theme = themes.CurrentTheme;
    EXPECT_EQ(theme.themetype, 0);
    EXPECT_FALSE(theme.blktransparency);
    EXPECT_EQ(theme.name, "Unknown");
    EXPECT_EQ(theme.developer, "Unknown");
    EXPECT_EQ(theme.version, "Unknown");
    // Nothing else of the record changes.
    EXPECT_EQ(theme.skinfile, "old.bmp");
    EXPECT_EQ(theme.ifacemain, "main.bmp");
    EXPECT_EQ(theme.bgframecount, 3);
    // The fields are redrawn once, with the imported theme in force.
    EXPECT_EQ(typesAtRedraw, std::vector<int>{ 0 });

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text,
        "Would you like to convert this to Kalvon Theme Format for editing, faster loading, and use in the "
        "Theme Browser?");
    EXPECT_EQ(dialogs.calls[0].title, "Convert File?");
    EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.calls[0].buttons, MessageButtons::YesNo);
}

TEST_F(TnpImportTest, MissingAndEmptyKeysAndAPathWithoutFolder)
{
    const struct {
        const char* name;
        std::string file; // below the scratch folder
        Bytes path; // as the caller passes it
        std::string text;
        Bytes music, drop;
    } cases[] = {
        { "only the bitmap: music and sounds stay", "themes/cool.tnp", tnpPath(),
            "[Graphics]\r\nbitmaps_file=Skin.BMP\r\n", "old.ogg", "old0.wav" },
        { "an empty value names the folder", "themes/cool.tnp", tnpPath(),
            "[Music]\r\nmidifile=\r\n[Sounds]\r\nimmediate_piece_drop=\r\n", themesDir(), themesDir() },
        { "no folder in the path: names start with \\", "cool.tnp", "cool.tnp",
            "[Music]\r\nmidifile=Theme.MID\r\n", "\\Theme.MID", "old0.wav" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        themes = before;
        folder.write(c.file, c.text);
        ASSERT_EQ(importTnp(c.path), TnpImportResult::Imported);
        EXPECT_EQ(themes.ThemeMusic, c.music);
        EXPECT_EQ(sound(ThemeSound::Drop), c.drop);
        EXPECT_EQ(themes.CurrentTheme.themetype, 0);
    }
}

TEST_F(TnpImportTest, ABitmapThatCannotBeReadReusesTheOneBeforeAndNoBitmapClearsIt)
{
    TnpTheme().write(folder, "themes/cool.tnp");
    ASSERT_EQ(importTnp(tnpPath()), TnpImportResult::Imported);
    const Surface first = *images.skin;

    TnpTheme missing;
    missing.bitmap = "Gone.bmp";
    folder.write("themes/missing.tnp", missing.text());
    images.skin.reset();
    ASSERT_EQ(importTnp(pathText(folder / "themes" / "missing.tnp")), TnpImportResult::Imported);
    EXPECT_EQ(
        differences(*images.skin, first, kSkinSheetWidth, kSkinSheetHeight), std::vector<std::string>{});

    folder.write("themes/none.tnp", "[Music]\r\nmidifile=x.mid\r\n");
    images.skin.reset();
    ASSERT_EQ(importTnp(pathText(folder / "themes" / "none.tnp")), TnpImportResult::Imported);
    EXPECT_EQ(images.skin->pixel(10, 10), kBlackPixel);
    EXPECT_EQ(images.skin->pixel(192, 176), kBlackPixel) << "no colour tile";
    EXPECT_EQ(images.skin->pixel(192, 224), iconColor(true, 0)) << "the Tremor icon";
    EXPECT_EQ(images.skin->pixel(264, 248), iconColor(false, 6)) << "the small Holy Shield icon";
}

TEST_F(TnpImportTest, RefusedFilesChangeNothingAndWriteNothing)
{
    const Bytes outside = " lies outside the theme's folder.";
    const struct {
        const char* name;
        void (*change)(TnpTheme&);
        bool writeTnp;
        int bitmapWidth;
        Bytes reason; // the message's second line
    } cases[] = {
        { "bitmap above the folder", [](TnpTheme& t) { t.bitmap = "..\\x.bmp"; }, true, 288,
            "..\\x.bmp" + outside },
        { "sound through a folder and out", [](TnpTheme& t) { t.drop = "Sounds\\..\\..\\x.wav"; }, true, 288,
            "Sounds\\..\\..\\x.wav" + outside },
        { "absolute music", [](TnpTheme& t) { t.music = "/etc/passwd"; }, true, 288,
            "/etc/passwd" + outside },
        { "rooted sound", [](TnpTheme& t) { t.chat = "\\chat.wav"; }, true, 288, "\\chat.wav" + outside },
        { "drive letter", [](TnpTheme& t) { t.bitmap = "C:\\skin.bmp"; }, true, 288,
            "C:\\skin.bmp" + outside },
        { "picture too large", [](TnpTheme&) {}, true, kMaxPictureSide + 1, "Its picture is too large." },
        { "no TNP file", [](TnpTheme&) {}, false, 288, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder caseFolder;
        import.programDir = caseFolder.path();
        themes = before;
        images = ThemeImages();
        dialogs.calls.clear();
        typesAtRedraw.clear();
        const Bytes path = pathText(caseFolder / "themes" / "cool.tnp");
        fs::create_directories(caseFolder / "themes");
        if (c.writeTnp) {
            TnpTheme theme;
            c.change(theme);
            theme.write(caseFolder, "themes/cool.tnp", tnpBitmap(c.bitmapWidth, 8));
        }
        const std::set<std::string> filesBefore = filesBelow(caseFolder.path());

        EXPECT_EQ(importTnp(path), TnpImportResult::Refused);

        ASSERT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(dialogs.calls[0].text,
            "Could not load " + path + "." + (c.reason.empty() ? "" : "\r" + c.reason));
        EXPECT_EQ(dialogs.calls[0].title, "Error");
        EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Critical);
        EXPECT_EQ(themes.CurrentTheme.themetype, 1);
        EXPECT_EQ(themes.CurrentTheme.name, "Old");
        EXPECT_TRUE(themes.CurrentTheme.blktransparency);
        EXPECT_EQ(themes.ThemeSounds, before.ThemeSounds);
        EXPECT_EQ(themes.ThemeMusic, before.ThemeMusic);
        EXPECT_FALSE(images.skin);
        EXPECT_TRUE(typesAtRedraw.empty());
        EXPECT_EQ(filesBelow(caseFolder.path()), filesBefore);
    }
}

class TnpConversionTest : public TnpImportTest {
protected:
    TnpConversionTest()
    {
        TnpTheme().write(folder, "themes/cool.tnp");
        fs::create_directory(folder / "out");
    }

    Bytes out(const std::string& name) const { return pathText(folder / "out" / name); }

    TnpImportResult convert(std::vector<std::optional<Bytes>> names)
    {
        dialogs.messageAnswers = { MessageAnswer::Yes };
        dialogs.fileAnswers.assign(names.begin(), names.end());
        return importTnp(tnpPath());
    }
};

TEST_F(TnpConversionTest, WritesTheSkinAndTheTwentyFourLineThemeFile)
{
    ASSERT_EQ(convert({ out("cool.bmp"), out("cool.kvx") }), TnpImportResult::Converted);

    ASSERT_EQ(dialogs.calls.size(), 4u);
    const Bytes proposed = pathText(folder / "themes" / "cool");
    EXPECT_EQ(dialogs.calls[1].kind, "save");
    EXPECT_EQ(dialogs.calls[1].title, "Save Skin File");
    EXPECT_EQ(dialogs.calls[1].file.filter, "Bitmap (*.BMP)|*.BMP|");
    EXPECT_EQ(dialogs.calls[1].file.fileName, proposed + ".bmp");
    EXPECT_EQ(dialogs.calls[2].kind, "save");
    EXPECT_EQ(dialogs.calls[2].title, "Save KVX File");
    EXPECT_EQ(dialogs.calls[2].file.filter, "Kalvon Theme File (*.KVX)|*.KVX|");
    EXPECT_EQ(dialogs.calls[2].file.fileName, proposed + ".kvx");
    EXPECT_EQ(dialogs.calls[3].text,
        "KVX Created Successfully! For Editing Information Please Read The Theme Documentation.");
    EXPECT_EQ(dialogs.calls[3].title, "Success");
    EXPECT_EQ(dialogs.calls[3].icon, MessageIcon::Information);

    const Bytes dir = themesDir();
    const Bytes expected = "//Kalvon Theme File - Auto Generated\r\n"
                           "\r\r\n"
                           "[Theme Info]\r\n"
                           "name=Unknown\r\n"
                           "developer=Unknown\r\n"
                           "version=Unknown\r\n"
                           "themetype=0\r\n"
                           "\r\r\n"
                           "//Theme Type 0 Info\r\n"
                           "skinfile="
        + out("cool.bmp")
        + "\r\n"
          "\r\r\n"
          "//Music\r\n"
          "midi="
        + dir + "Music\\Theme.MID\r\n" + "\r\r\n" + "//Sounds\r\n" + "startgame=" + dir
        + "Sounds\\Start.WAV\r\n" + "rotate=" + dir + "Sounds\\Rotate.WAV\r\n" + "drop=" + dir
        + "Sounds\\Drop.WAV\r\n" + "lineclear=" + dir + "Sounds\\Line.WAV\r\n" + "quad=" + dir
        + "Sounds\\Quad.WAV\r\n" + "explode=old2.wav\r\n" + "win=" + dir + "Sounds\\Win.WAV\r\n"
        + "lose=" + dir + "Sounds\\Lose.WAV\r\n" + "chat=" + dir + "Sounds\\Chat.WAV\r\n";
    EXPECT_EQ(readFile(folder / "out" / "cool.kvx"), expected);

    const std::optional<Surface> bmp = loadPictureFile(folder / "out" / "cool.bmp");
    ASSERT_TRUE(bmp);
    ASSERT_EQ(bmp->width(), 288);
    ASSERT_EQ(bmp->height(), 352);
    EXPECT_EQ(differences(*bmp, *images.skin, 288, 352), std::vector<std::string>{});
}

TEST_F(TnpConversionTest, ConvertedThemeLoadsBackInTheGameWithTheSameSkin)
{
    ASSERT_EQ(convert({ out("cool.bmp"), out("cool.kvx") }), TnpImportResult::Converted);

    // A fresh start: a type-1 theme in force, then the converted theme loaded over it.
    Themes loaded;
    loaded.CurrentTheme.themetype = 1;
    ThemeImages sheets;
    ScriptedDialogs loadDialogs;
    RecordingThemeWindow window;
    ThemeLoading loading{ loaded, loadDialogs, window, { folder / "tmp", folder.path() } };
    ASSERT_EQ(LoadTheme(loading, out("cool.kvx"), loaded.CurrentTheme, loaded.ThemeSounds, ""),
        ThemeLoadResult::Loaded);
    EXPECT_TRUE(loadDialogs.calls.empty());
    EXPECT_EQ(loaded.CurrentTheme.themetype, 0);
    EXPECT_EQ(loaded.CurrentTheme.skinfile, out("cool.bmp"));
    EXPECT_FALSE(loaded.CurrentTheme.blktransparency);
    EXPECT_EQ(loaded.ThemeMusic, themes.ThemeMusic);
    for (ThemeSound slot :
        { ThemeSound::StartGame, ThemeSound::Rotate, ThemeSound::Drop, ThemeSound::LineClear,
            ThemeSound::Quad, ThemeSound::Explode, ThemeSound::Win, ThemeSound::Lose, ThemeSound::Chat })
        EXPECT_EQ(loaded.ThemeSounds[size_t(slot)], sound(slot)) << int(slot);

    SheetLoading sheetLoading{ sheets, loaded.CurrentTheme, window, folder.path() };
    BuildThemeImages(sheetLoading);
    ASSERT_TRUE(sheets.skin);
    EXPECT_EQ(differences(*sheets.skin, *images.skin, 288, 352), std::vector<std::string>{});
    // The skin sheet is wider and taller than the converted picture: the rest stays black.
    EXPECT_EQ(sheets.skin->pixel(289, 100), kBlackPixel);
    EXPECT_EQ(sheets.skin->pixel(100, 353), kBlackPixel);
}

TEST_F(TnpConversionTest, DeclinedOrCancelledOrFailedConversionsWriteOnlyWhatWasConfirmed)
{
    const Bytes success
        = "KVX Created Successfully! For Editing Information Please Read The Theme Documentation.";
    const Bytes noFolder = pathText(folder / "nowhere" / "x");
    const struct {
        const char* name;
        std::optional<MessageAnswer> answer;
        std::vector<std::optional<Bytes>> names;
        TnpImportResult result;
        std::set<std::string> written;
        Bytes lastMessage;
    } cases[] = {
        { "answered No", MessageAnswer::No, {}, TnpImportResult::Imported, {}, {} },
        { "skin dialog cancelled", std::nullopt, { std::nullopt }, TnpImportResult::Imported, {}, {} },
        { "theme dialog cancelled: the skin stays", std::nullopt, { out("cool.bmp"), std::nullopt },
            TnpImportResult::Imported, { "cool.bmp" }, {} },
        { "skin cannot be written", std::nullopt, { noFolder + ".bmp" }, TnpImportResult::Imported, {},
            "Could not write " + noFolder + ".bmp." },
        { "theme cannot be written", std::nullopt, { out("cool.bmp"), noFolder + ".kvx" },
            TnpImportResult::Imported, { "cool.bmp" }, "Could not write " + noFolder + ".kvx." },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder / "out");
        fs::create_directory(folder / "out");
        dialogs.calls.clear();
        TnpImportResult result;
        if (c.answer) {
            dialogs.messageAnswers = { *c.answer };
            result = importTnp(tnpPath());
        } else {
            result = convert(c.names);
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(filesBelow(folder / "out"), c.written);
        EXPECT_FALSE(fs::exists(folder / "nowhere"));
        // No success note; a failed write says so.
        const Bytes last = dialogs.calls.back().kind == "message" ? dialogs.calls.back().text : Bytes();
        if (c.lastMessage.empty()) {
            EXPECT_NE(last, success);
        } else {
            EXPECT_EQ(last.substr(0, c.lastMessage.size()), c.lastMessage);
            EXPECT_EQ(dialogs.calls.back().icon, MessageIcon::Critical);
        }
        EXPECT_EQ(themes.CurrentTheme.themetype, 0) << "the import itself stands";
    }
}

TEST(TnpProposedNameTest, IsThePathWithoutTheExtensionOfItsFileName)
{
    const struct {
        Bytes path, base;
    } cases[] = {
        { "/home/ann/themes/cool.tnp", "/home/ann/themes/cool" },
        { "/home/ann/my.themes/cool.TNP", "/home/ann/my.themes/cool" },
        { "/home/ann/.themes/cool", "/home/ann/.themes/cool" },
        { "C:\\My.Themes\\cool.tnp", "C:\\My.Themes\\cool" },
        { "cool.v2.tnp", "cool.v2" },
        { "cool", "cool" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(tnpProposedBase(c.path), c.base) << c.path;
}

TEST(SpecialIconsTest, BuiltInIconsAreSevenOfEachSize)
{
    const SpecialIcons icons = loadSpecialIcons(fs::path(KALVON_DATA_DIR) / "images");
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(icons.large[i].width(), 16) << i;
        EXPECT_EQ(icons.large[i].height(), 16) << i;
        EXPECT_EQ(icons.small[i].width(), 8) << i;
        EXPECT_EQ(icons.small[i].height(), 8) << i;
    }
    EXPECT_NE(icons.large[0].image(), icons.large[6].image());
}

} // namespace
} // namespace kalvon
