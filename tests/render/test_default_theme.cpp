// The default theme shipped in data/: its theme file names every key in the editor's format,
// every file it names is in its archive at the size its key needs, every tile of the tile
// sheets lies exactly where the window copies it from, and the game's own loader builds every
// sheet from it without a missing file or a message.

#include "common/archive/unziparchive.h"
#include "common/inifile.h"
#include "common/music/audiodevice.h"
#include "recordingthemewindow.h"
#include "render/sheetloaders.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <QImage>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kalvon {
namespace {

namespace fs = std::filesystem;
using testing::RecordingThemeWindow;
using testing::ScratchFolder;
using testing::ScriptedDialogs;

const fs::path kData = KALVON_DATA_DIR;

// Every key a type-1 theme with all its parts has, as the editor writes them.
std::vector<std::string> allThemeKeys()
{
    std::vector<std::string> keys = { "name", "developer", "version", "resourcefile", "themetype",
        "ifacemain", "ifaceoptions", "ifacechat", "ifaceconnect", "ifaceserver", "ifacethemes", "ifacemisc",
        "ifacehighscore", "ifaceinet", "ifacemenu", "ifacemenutransparent", "animateblocks",
        "animatespecials", "animateinetblocks", "animateinetspecials", "blktransparency", "blkfilename",
        "blkextension", "blkframecount", "blkstartingframe", "blkstillframe", "blkreverseanimation",
        "blkdelaybetweenframes", "explodetransparency", "explodefilename", "explodefileextension",
        "explodeframecount", "explodedelaybetweenframes", "Bombtransparency", "Bombfilename",
        "bombfileextension", "Bombframecount", "Bombdelaybetweenframes", "door1", "door2", "internetdoor",
        "winimg", "wintransparent", "inetwinimg", "inetwintransparent", "heightled", "warning", "teamfont",
        "colortitle", "colorfields", "coloroptions", "colortheme", "colorserver", "colorconnect",
        "colorinternet", "colorhighscoretitle", "colorhighscorenormal", "colorhighscorefirst",
        "colorhighscoresecond", "colorhighscorethird", "midi", "startgame", "rotate", "drop", "lineclear",
        "quad", "explode", "win", "lose", "chat", "click", "holyshield" };
    for (const char* set : { "bg", "inetbg", "specialwindow", "nextblk" })
        for (const char* suffix : { "animated", "filename", "extension", "framecount", "startingframe",
                 "stillframe", "reverseanimation", "delaybetweenframes" })
            keys.push_back(std::string(set) + suffix);
    return keys;
}

// The archive unpacked once for all tests of the suite.
class DefaultThemeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_files = std::make_unique<ScratchFolder>();
        ScriptedDialogs dialogs;
        s_unzipResult = UnzipArchive(kData / "default.zip", s_files->path(), dialogs);
        const Bytes text = testing::readFile(kData / "default.kvx");
        s_kvxText = text;
        s_kvx = IniDocument::parse(text);
    }
    static void TearDownTestSuite() { s_files.reset(); }

    static Bytes value(const std::string& key)
    {
        return s_kvx->value("Theme Info", key).value_or(kMissingSettingText);
    }
    static int number(const std::string& key) { return std::stoi(value(key)); }
    static QImage picture(const std::string& name)
    {
        return QImage(QString::fromStdString((s_files->path() / name).string()));
    }

    static inline std::unique_ptr<ScratchFolder> s_files;
    static inline int s_unzipResult = -1;
    static inline Bytes s_kvxText;
    static inline std::optional<IniDocument> s_kvx;
};

// A one-pixel frame lies exactly on `r`: its top row and left column in one colour, its bottom
// row and right column in another (the bevel every tile of the sheets carries).
::testing::AssertionResult framedAt(const QImage& image, const QRect& r)
{
    if (!image.rect().contains(r))
        return ::testing::AssertionFailure() << "outside the picture";
    const QRgb light = image.pixel(r.topLeft());
    const QRgb dark = image.pixel(r.bottomRight());
    if (light == dark)
        return ::testing::AssertionFailure() << "no frame";
    for (int x = r.left(); x < r.right(); ++x)
        if (image.pixel(x, r.top()) != light || image.pixel(x + 1, r.bottom()) != dark)
            return ::testing::AssertionFailure() << "frame broken at x " << x;
    for (int y = r.top(); y < r.bottom(); ++y)
        if (image.pixel(r.left(), y) != light || image.pixel(r.right(), y + 1) != dark)
            return ::testing::AssertionFailure() << "frame broken at y " << y;
    return ::testing::AssertionSuccess();
}

// A block tile lies exactly on `r`: its bottom row and right column are one outline colour
// that the pixel just inside the corner does not have. Returns that colour, 0 when none.
QRgb tileOutline(const QImage& image, const QRect& r)
{
    const QRgb outline = image.pixel(r.bottomRight());
    for (int i = 0; i < r.width(); ++i)
        if (image.pixel(r.left() + i, r.bottom()) != outline
            || image.pixel(r.right(), r.top() + i) != outline)
            return 0;
    return image.pixel(r.right() - 1, r.bottom() - 1) == outline ? 0 : outline;
}

// Bits per pixel of a PNG file, from its header: 24 for 8-bit RGB without alpha.
int pngBitsPerPixel(const fs::path& file)
{
    const Bytes bytes = testing::readFile(file);
    if (bytes.size() < 26 || bytes.compare(1, 3, "PNG") != 0)
        return 0;
    const int depth = byteCode(bytes[24]);
    const int channels[] = { 1, 0, 3, 1, 2, 0, 4 };
    const int type = byteCode(bytes[25]);
    return type < 7 ? depth * channels[type] : 0;
}

bool isWhite(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

TEST_F(DefaultThemeTest, ThemeFileIsTypeOneInTheEditorsTextFormWithEveryKeySet)
{
    ASSERT_TRUE(s_kvx);
    // Windows-1252, CR LF after every line, the header ending in the trade mark byte.
    const Bytes header = "//Kalvon Theme File - Created by Kalvon Theme Maker\x99\r\n";
    EXPECT_EQ(s_kvxText.substr(0, header.size()), header);
    for (size_t i = 0; i < s_kvxText.size(); ++i) {
        if (s_kvxText[i] == '\n') {
            ASSERT_TRUE(i > 0 && s_kvxText[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (s_kvxText[i] == '\r') {
            ASSERT_TRUE(i + 1 < s_kvxText.size() && s_kvxText[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    EXPECT_EQ(s_kvxText.substr(s_kvxText.size() - 2), "\r\n");

    for (const std::string& key : allThemeKeys()) {
        const Bytes v = value(key);
        EXPECT_NE(v, kMissingSettingText) << key;
        EXPECT_FALSE(v.empty()) << key;
    }
    EXPECT_EQ(value("themetype"), "1");
    EXPECT_EQ(value("resourcefile"), "default.zip");
    EXPECT_GE(number("Bombframecount"), 17) << "the theme page's preview shows 17 bomb frames";
}

TEST_F(DefaultThemeTest, EveryNamedFileIsInTheArchiveAtTheSizeItsKeyNeeds)
{
    ASSERT_EQ(s_unzipResult, kUnzipOk);
    const struct {
        const char* key;
        QSize size;
    } pictures[] = {
        { "ifacemain", { 640, 521 } },
        { "ifaceoptions", { 624, 466 } },
        { "ifacechat", { 624, 466 } },
        { "ifaceconnect", { 624, 466 } },
        { "ifaceserver", { 624, 466 } },
        { "ifacethemes", { 624, 466 } },
        { "ifaceinet", { 355, 413 } },
        { "ifacemisc", { 576, 470 } },
        { "ifacemenu", { 298, 160 } },
        { "door1", { 192, 352 } },
        { "door2", { 192, 352 } },
        { "internetdoor", { 96, 176 } },
        { "winimg", { 192, 352 } },
        { "inetwinimg", { 96, 176 } },
        { "heightled", { 8, 352 } },
        { "warning", { 192, 64 } },
        { "teamfont", { 128, 128 } },
    };
    for (const auto& p : pictures)
        EXPECT_EQ(picture(value(p.key)).size(), p.size) << p.key;
    EXPECT_FALSE(picture(value("ifacehighscore")).isNull());

    const struct {
        const char* file;
        const char* extension;
        const char* count;
        QSize frame;
    } sets[] = {
        { "bgfilename", "bgextension", "bgframecount", { 192, 352 } },
        { "inetbgfilename", "inetbgextension", "inetbgframecount", { 96, 176 } },
        { "blkfilename", "blkextension", "blkframecount", { 96, 80 } },
        { "nextblkfilename", "nextblkextension", "nextblkframecount", { 77, 77 } },
        { "specialwindowfilename", "specialwindowextension", "specialwindowframecount", { 160, 16 } },
        { "explodefilename", "explodefileextension", "explodeframecount", { 192, 64 } },
        { "Bombfilename", "bombfileextension", "Bombframecount", { 64, 64 } },
    };
    for (const auto& s : sets) {
        ASSERT_GT(number(s.count), 0) << s.count;
        for (int n = 1; n <= number(s.count); ++n) {
            const std::string frame = value(s.file) + std::to_string(n) + "." + value(s.extension);
            EXPECT_EQ(picture(frame).size(), s.frame) << frame;
        }
    }
    for (const char* key : { "midi", "startgame", "rotate", "drop", "lineclear", "quad", "explode", "win",
             "lose", "chat", "click", "holyshield" })
        EXPECT_TRUE(fs::is_regular_file(s_files->path() / value(key))) << key;
}

TEST_F(DefaultThemeTest, ButtonMenuAndPanelTilesLieExactlyWhereTheWindowCopiesThem)
{
    const QImage misc = picture(value("ifacemisc"));
    ASSERT_FALSE(misc.isNull());
    std::vector<QRect> tiles = { { 0, 0, 99, 185 }, { 99, 0, 99, 185 }, // side panels
        { 355, 0, 104, 80 }, { 459, 0, 104, 80 }, // Help, game-mode menus
        { 355, 80, 149, 163 }, // File menu
        { 504, 80, 72, 19 }, { 504, 99, 72, 19 } }; // File button
    for (int top : { 137, 194, 251, 308, 365 }) // Help, Options, Server, Chat, Fields: three states
        for (int state = 0; state < 3; ++state)
            tiles.emplace_back(504, top + 19 * state, 72, 19);
    for (int state = 0; state < 3; ++state) {
        tiles.emplace_back(280, 413 + 19 * state, 72, 19); // Theme
        tiles.emplace_back(0, 413 + 19 * state, 140, 19); // Connect, connect face
        tiles.emplace_back(140, 413 + 19 * state, 140, 19); // Connect, disconnect face
    }
    for (const QRect& r : tiles)
        EXPECT_TRUE(framedAt(misc, r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    // The states of one button differ.
    EXPECT_NE(misc.copy(504, 194, 72, 19), misc.copy(504, 213, 72, 19));
    EXPECT_NE(misc.copy(504, 213, 72, 19), misc.copy(504, 232, 72, 19));

    // The stop and resume overlays replace File-menu rows 0 and 1 (y 7 and 35): outside their
    // text they are those rows of the menu's own background.
    const struct {
        QPoint overlay;
        int row;
    } overlays[] = { { { 198, 0 }, 7 }, { { 198, 20 }, 35 } };
    for (const auto& o : overlays)
        for (int y = 0; y < 20; ++y)
            for (int x : { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 146, 147, 148 })
                ASSERT_EQ(misc.pixel(o.overlay + QPoint(x, y)), misc.pixel(355 + x, 80 + o.row + y))
                    << "overlay at " << o.overlay.y() << ", pixel " << x << "," << y;
}

TEST_F(DefaultThemeTest, MenuHighlightsFillTheirTilesWithWhiteAroundThem)
{
    const QImage menu = picture(value("ifacemenu"));
    ASSERT_FALSE(menu.isNull());
    EXPECT_EQ(value("ifacemenutransparent"), "1");
    std::vector<QRect> highlights;
    for (int row = 0; row < 3; ++row) // File rows: start/stop, pause/resume, high scores/exit
        for (int column = 0; column < 2; ++column)
            highlights.emplace_back(149 * column, 20 * row, 149, 20);
    highlights.emplace_back(0, 60, 149, 20); // game mode
    for (int r = 0; r < 3; ++r) {
        highlights.emplace_back(0, 80 + 20 * r, 104, 20); // hover
        highlights.emplace_back(104, 80 + 20 * r, 104, 20); // current mode
    }
    highlights.emplace_back(0, 140, 104, 20); // help
    highlights.emplace_back(104, 140, 104, 20); // about
    // Each highlight is drawn centred in its tile with white around it: on the middle row and
    // the middle column the first drawn pixel is as far from one side as from the other.
    auto margins = [&](QPoint from, QPoint step, int length) {
        int first = 0, last = 0;
        while (first < length && isWhite(menu, from.x() + step.x() * first, from.y() + step.y() * first))
            ++first;
        while (last < length
            && isWhite(
                menu, from.x() + step.x() * (length - 1 - last), from.y() + step.y() * (length - 1 - last)))
            ++last;
        return std::pair{ first, last };
    };
    for (const QRect& r : highlights) {
        SCOPED_TRACE(::testing::Message() << r.x() << "," << r.y());
        const auto [left, right] = margins({ r.left(), r.top() + 10 }, { 1, 0 }, r.width());
        const auto [top, bottom] = margins({ r.center().x(), r.top() }, { 0, 1 }, r.height());
        EXPECT_GE(left, 1);
        EXPECT_LT(left, r.width() / 2);
        EXPECT_EQ(left, right);
        EXPECT_GE(top, 1);
        EXPECT_LT(top, r.height() / 2);
        EXPECT_EQ(top, bottom);
    }
    for (int y = 60; y < 80; ++y) // the unused tile beside "game mode" shows nothing
        for (int x = 149; x < 298; ++x)
            ASSERT_TRUE(isWhite(menu, x, y)) << x << "," << y;
}

TEST_F(DefaultThemeTest, BlockTilesSitOnTheirGridInEveryFrameAndMatchTheHolderIcons)
{
    for (int frame = 1; frame <= number("blkframecount"); ++frame) {
        const QImage sheet
            = picture(value("blkfilename") + std::to_string(frame) + "." + value("blkextension"));
        ASSERT_FALSE(sheet.isNull());
        for (int code = 0; code < 22; ++code) {
            SCOPED_TRACE(::testing::Message() << "frame " << frame << ", code " << code);
            const QRgb large = tileOutline(sheet, QRect(16 * (code % 6), 16 * (code / 6), 16, 16));
            const QRgb small = tileOutline(sheet, QRect(8 * (code % 12), 64 + 8 * (code / 12), 8, 8));
            EXPECT_NE(large, 0u);
            // The small tile is the same block: it has the large tile's outline.
            EXPECT_EQ(small, large);
        }
    }
    // The holder window's built-in icons (0 Tremor, 1 Push Field, 2 Vertical Clear, 3 Flash
    // Screen, 4 Drop Block, 5 Give Line, 6 Holy Shield) are 24-bit copies of the still tiles.
    const QImage still = picture(value("blkfilename") + value("blkstillframe") + "." + value("blkextension"));
    const int specials[7] = { 12, 8, 13, 9, 10, 11, 15 };
    for (int i = 0; i < 7; ++i) {
        const int code = 6 + specials[i];
        const fs::path file16 = kData / "images" / ("special16_" + std::to_string(i) + ".png");
        const fs::path file8 = kData / "images" / ("special8_" + std::to_string(i) + ".png");
        const QImage icon16(QString::fromStdString(file16.string()));
        const QImage icon8(QString::fromStdString(file8.string()));
        ASSERT_EQ(icon16.size(), QSize(16, 16)) << i;
        ASSERT_EQ(icon8.size(), QSize(8, 8)) << i;
        EXPECT_EQ(pngBitsPerPixel(file16), 24) << i;
        EXPECT_EQ(pngBitsPerPixel(file8), 24) << i;
        EXPECT_EQ(icon16.convertToFormat(QImage::Format_RGB32),
            still.copy(16 * (code % 6), 16 * (code / 6), 16, 16))
            << i;
        EXPECT_EQ(icon8.convertToFormat(QImage::Format_RGB32),
            still.copy(8 * (code % 12), 64 + 8 * (code / 12), 8, 8))
            << i;
    }
}

TEST_F(DefaultThemeTest, WindowPicturesFrameTheTitleBarPageAreaAndOpponentBoards)
{
    const QImage main = picture(value("ifacemain"));
    ASSERT_FALSE(main.isNull());
    // The title bar is rows 0-19: a light top line and a dark bottom line across the width.
    for (int x = 0; x < 640; ++x) {
        ASSERT_EQ(main.pixel(x, 0), main.pixel(0, 0)) << x;
        ASSERT_EQ(main.pixel(x, 19), main.pixel(0, 19)) << x;
    }
    EXPECT_NE(main.pixel(0, 19), main.pixel(10, 20));
    // The page area (8, 48) 624 x 466 sits inside a frame that touches it.
    EXPECT_TRUE(framedAt(main, QRect(7, 47, 626, 468)));
    // The opponent boards' frames inside the internet backdrop (drawn at body (276, 30)).
    const QImage inet = picture(value("ifaceinet"));
    for (const QPoint board :
        { QPoint(322, 52), QPoint(427, 52), QPoint(532, 52), QPoint(322, 258), QPoint(427, 258) })
        EXPECT_TRUE(framedAt(inet, QRect(board - QPoint(276, 30) - QPoint(2, 2), QSize(100, 180))))
            << board.x() << "," << board.y();
}

TEST_F(DefaultThemeTest, GamesLoaderBuildsEverySheetWithoutAMissingFileOrAMessage)
{
    ScratchFolder temp;
    Themes themes;
    ScriptedDialogs dialogs;
    RecordingThemeWindow window;
    ThemeLoading loading{ themes, dialogs, window, { temp.path(), kData } };
    ASSERT_EQ(
        LoadTheme(loading, pathText(kData / "default.kvx"), themes.CurrentTheme, themes.ThemeSounds, ""),
        ThemeLoadResult::Loaded);
    EXPECT_TRUE(dialogs.calls.empty());

    ThemeImages images;
    window.images = &images;
    SheetLoading sheets{ images, themes.CurrentTheme, window, kData };
    BuildThemeImages(sheets);
    LoadInterfaceImages(sheets, themes.CurrentTheme.themefolder);
    EXPECT_TRUE(dialogs.calls.empty());
    ASSERT_FALSE(window.shownFiles.empty());
    for (const Bytes& file : window.shownFiles)
        EXPECT_TRUE(fs::is_regular_file(themeFilePath(file, kData))) << file;
    const ThemeRecord& t = themes.CurrentTheme;
    for (const Bytes* name : { &t.ifacemain, &t.ifaceoptions, &t.ifacechat, &t.ifaceconnect, &t.ifaceserver,
             &t.ifacethemes, &t.ifacemisc, &t.ifacemenu, &t.ifaceinet })
        EXPECT_TRUE(fs::is_regular_file(temp.path() / *name)) << *name;

    using I = ThemeImages;
    const struct {
        const char* name;
        Sheet I::*sheet;
        int width, height;
    } expected[] = {
        { "blocks", &I::blocks, 112, t.blkframecount * 80 + 5 },
        { "background", &I::background, 193, t.bgframecount * 352 + 5 },
        { "internet background", &I::internetBackground, 101, t.inetbgframecount * 176 + 5 },
        { "next piece", &I::nextPiece, 90, t.nextblkframecount * 77 + 5 },
        { "special window", &I::specialWindow, 160, t.specialwindowframecount * 16 + 5 },
        { "explosion", &I::explode, 197, t.explodeframecount * 64 + 5 },
        { "explosion mask", &I::explodeMask, 197, t.explodeframecount * 64 + 5 },
        { "bomb", &I::bomb, 64, t.bombframecount * 64 + 5 },
        { "bomb mask", &I::bombMask, 64, t.bombframecount * 64 + 5 },
        { "door 1", &I::door1, 193, 353 },
        { "door 1 mask", &I::door1Mask, 193, 353 },
        { "door 2", &I::door2, 193, 353 },
        { "internet door", &I::internetDoor, 97, 177 },
        { "game over", &I::gameOver, 193, 353 },
        { "game over mask", &I::gameOverMask, 193, 353 },
        { "internet game over", &I::internetGameOver, 96, 176 },
        { "height LED", &I::heightLed, 8, 352 },
        { "warning", &I::warning, 192, 64 },
        { "team letters", &I::teamFont, 128, 128 },
        { "menu", &I::menu, 298, 160 },
        { "menu mask", &I::menuMask, 298, 160 },
        { "interface misc", &I::interfaceMisc, 576, 470 },
        { "internet page", &I::internetPage, 355, 413 },
        { "main window", &I::mainWindow, 640, 521 },
        { "options page", &I::optionsPage, 624, 466 },
        { "chat page", &I::chatPage, 624, 466 },
    };
    for (const auto& e : expected) {
        const Sheet& sheet = images.*e.sheet;
        ASSERT_TRUE(sheet) << e.name;
        EXPECT_EQ(sheet->width(), e.width) << e.name;
        EXPECT_EQ(sheet->height(), e.height) << e.name;
    }
    EXPECT_EQ(t.bombframecount, 17);

    for (size_t slot = 0; slot < themes.ThemeSounds.size(); ++slot) {
        if (slot == 9)
            continue; // the slot no key fills
        EXPECT_TRUE(fs::is_regular_file(themeFilePath(themes.ThemeSounds[slot], kData)))
            << "sound slot " << slot;
    }
    EXPECT_TRUE(fs::is_regular_file(themeFilePath(themes.ThemeMusic, kData)));
}

TEST_F(DefaultThemeTest, SoundsAndTheMusicLoadInTheSoundLibraryWithoutSoundFonts)
{
    AudioDevice device;
    ASSERT_TRUE(device.open({})) << device.lastError();
    Mix_Music* music = Mix_LoadMUS((s_files->path() / value("midi")).c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_OGG);
    EXPECT_GT(Mix_MusicDuration(music), 30.0) << "the loop is the whole piece";
    Mix_FreeMusic(music);
    for (const char* key : { "startgame", "rotate", "drop", "lineclear", "quad", "explode", "win", "lose",
             "chat", "click", "holyshield" }) {
        Mix_Chunk* chunk = Mix_LoadWAV((s_files->path() / value(key)).c_str());
        ASSERT_NE(chunk, nullptr) << key << ": " << Mix_GetError();
        EXPECT_GT(chunk->alen, 0u) << key;
        Mix_FreeChunk(chunk);
    }
}

} // namespace
} // namespace kalvon
