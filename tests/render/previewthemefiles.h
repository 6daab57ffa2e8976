#pragma once
// Theme files on disk for the theme page's tests: a type-1 and a type-0 theme, each a .kvx
// with its resource archive, every picture in one colour that names the theme, the picture and
// the frame (themeColor), so a pixel of the preview tells where it came from.

#include "support/scratchfolder.h"
#include "support/zipbuilder.h"
#include "themefixtures.h"

#include <string>

namespace kalvon::testing {

enum class ThemePicture : int {
    Background = 1,
    Blocks,
    InternetBackground,
    NextWindow,
    SpecialWindow,
    Explosion,
    Bomb,
    Led,
    LeftDoor,
    RightDoor,
    InternetDoor,
    Warning,
    Skin,
};

// Theme `theme` (1..), picture and frame (from 1; 0 for single pictures).
inline QRgb themeColor(int theme, ThemePicture picture, int frame = 0)
{
    return qRgb(theme, int(picture), frame);
}

// "2 Bomb 5": what a pixel drawn from a theme picture shows; else its hex value.
inline std::string themePixel(QRgb pixel)
{
    static const char* const names[]
        = { "?", "Background", "Blocks", "InternetBackground", "NextWindow", "SpecialWindow", "Explosion",
              "Bomb", "Led", "LeftDoor", "RightDoor", "InternetDoor", "Warning", "Skin" };
    const int picture = qGreen(pixel);
    if (qRed(pixel) >= 1 && qRed(pixel) <= 9 && picture >= 1 && picture <= int(ThemePicture::Skin))
        return std::to_string(qRed(pixel)) + " " + names[picture]
            + (qBlue(pixel) ? " " + std::to_string(qBlue(pixel)) : "");
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", pixel & 0xffffff);
    return text;
}

struct ThemeFileSet {
    std::string kvx; // the theme file's full path
};

// The pictures both theme types have, into `zip`: doors, internet door, warning, LED, the four
// explosion and seventeen bomb frames (frame `missingBomb` left out).
inline void addCommonPictures(ZipBuilder& zip, int theme, int missingBomb = 0)
{
    const std::pair<const char*, ThemePicture> singles[] = { { "door1.bmp", ThemePicture::LeftDoor },
        { "door2.bmp", ThemePicture::RightDoor }, { "idoor.bmp", ThemePicture::InternetDoor },
        { "warn.bmp", ThemePicture::Warning }, { "led.bmp", ThemePicture::Led } };
    for (const auto& [name, picture] : singles)
        zip.file(name, bmpBytes(192, 352, themeColor(theme, picture)));
    for (int frame = 1; frame <= 4; ++frame)
        zip.file("ex" + std::to_string(frame) + ".bmp",
            bmpBytes(192, 64, themeColor(theme, ThemePicture::Explosion, frame)));
    for (int frame = 1; frame <= 17; ++frame) {
        if (frame != missingBomb)
            zip.file("bomb" + std::to_string(frame) + ".bmp",
                bmpBytes(64, 64, themeColor(theme, ThemePicture::Bomb, frame), 4, 4));
    }
}

// A type-1 theme "Theme <theme>" by "Author <theme>": 3 background, 2 block, 2 internet
// background, 2 next-piece and 2 special-window frames; the keys as typeOneThemeKeys gives them
// (the bomb's frame 5 missing when `missingBomb`).
inline ThemeFileSet writeTypeOneTheme(const ScratchFolder& folder, int theme, bool missingBomb = false)
{
    const std::string base = "theme" + std::to_string(theme);
    {
        ZipBuilder zip(folder / (base + ".zip"));
        const struct {
            const char* name;
            ThemePicture picture;
            int frames, width, height;
        } sets[]
            = { { "bg", ThemePicture::Background, 3, 192, 352 }, { "blk", ThemePicture::Blocks, 2, 96, 80 },
                  { "ibg", ThemePicture::InternetBackground, 2, 96, 176 },
                  { "next", ThemePicture::NextWindow, 2, 77, 77 },
                  { "spw", ThemePicture::SpecialWindow, 2, 160, 16 } };
        for (const auto& set : sets) {
            for (int frame = 1; frame <= set.frames; ++frame)
                zip.file(set.name + std::to_string(frame) + ".bmp",
                    bmpBytes(set.width, set.height, themeColor(theme, set.picture, frame)));
        }
        addCommonPictures(zip, theme, missingBomb ? 5 : 0);
    }
    ThemeKeys keys = typeOneThemeKeys();
    keys.set("name", "Theme " + std::to_string(theme))
        .set("developer", "Author " + std::to_string(theme))
        .set("version", std::to_string(theme) + ".0")
        .set("resourcefile", base + ".zip")
        .set("explodetransparency", "1")
        .set("startgame", "start" + std::to_string(theme) + ".wav")
        .set("midi", "music" + std::to_string(theme) + ".ogg");
    return { folder.write(base + ".kvx", keys.text()).string() };
}

// A type-0 theme: the skin (290 x 354 in one colour) with the common pictures.
inline ThemeFileSet writeTypeZeroTheme(const ScratchFolder& folder, int theme)
{
    const std::string base = "skin" + std::to_string(theme);
    {
        ZipBuilder zip(folder / (base + ".zip"));
        zip.file("skin.bmp", bmpBytes(290, 354, themeColor(theme, ThemePicture::Skin)));
        addCommonPictures(zip, theme);
    }
    ThemeKeys keys{ { "name", "Skin " + std::to_string(theme) }, { "developer", "Painter" },
        { "version", "0.9" }, { "resourcefile", base + ".zip" }, { "themetype", "0" },
        { "skinfile", "skin.bmp" }, { "skintransparency", "0" }, { "specialwindowpic", "1" },
        { "nextblockpic", "0" }, { "explodefilename", "ex" }, { "explodefileextension", "bmp" },
        { "explodeframecount", "4" }, { "explodedelaybetweenframes", "30" }, { "explodetransparency", "1" },
        { "bombfilename", "bomb" }, { "bombfileextension", "bmp" }, { "bombframecount", "17" },
        { "bombdelaybetweenframes", "20" }, { "bombtransparency", "1" }, { "heightled", "led.bmp" },
        { "door1", "door1.bmp" }, { "door2", "door2.bmp" }, { "internetdoor", "idoor.bmp" },
        { "warning", "warn.bmp" } };
    return { folder.write(base + ".kvx", keys.text()).string() };
}

} // namespace kalvon::testing
