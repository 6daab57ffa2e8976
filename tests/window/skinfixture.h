#pragma once
// A region-coded skin: a main interface picture and a tile sheet that paint every region the
// window copies in a colour of its own, written as BMP files, so that a pixel of the composed
// window tells which region it came from.

#include "render/sheetloaders.h"
#include "render/themeimages.h"
#include "render/themepaths.h"
#include "render/themerecord.h"
#include "render/themewindow.h"
#include "support/scratchfolder.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace kalvon::testing {

inline constexpr QRgb kTitleColor = 0xff102030;
inline constexpr QRgb kBodyColor = 0xff203040;
inline constexpr QRgb kPageColor = 0xff304050;
inline constexpr QRgb kSheetColor = 0xff404040;
inline constexpr QRgb kPanel1Color = 0xff501010;
inline constexpr QRgb kPanel2Color = 0xff105010;
inline constexpr QRgb kHelpMenuColor = 0xff101050;
inline constexpr QRgb kGameModeMenuColor = 0xff505010;
inline constexpr QRgb kFileMenuColor = 0xff105050;
inline constexpr QRgb kFileNormalColor = 0xff601060;
inline constexpr QRgb kOptionsNormalColor = 0xff606010;
inline constexpr QRgb kOptionsHoverColor = 0xff106060;
inline constexpr QRgb kFieldsCurrentColor = 0xff702010;

inline std::string bmpOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, "BMP");
    return bytes.toStdString();
}

// ifacemain: the title bar rows, the body, and the fields page's (8, 48) 624 x 466 piece.
inline QImage regionCodedMain(QRgb title = kTitleColor)
{
    QImage image(640, 521, QImage::Format_RGB32);
    image.fill(kBodyColor);
    QPainter painter(&image);
    painter.fillRect(0, 0, 640, 20, QColor::fromRgb(title));
    painter.fillRect(8, 48, 624, 466, QColor::fromRgb(kPageColor));
    return image;
}

// ifacemisc: the side panels, the menus' backgrounds and a few button tiles.
inline QImage regionCodedTiles()
{
    QImage image(576, 470, QImage::Format_RGB32);
    image.fill(kSheetColor);
    QPainter painter(&image);
    const auto fill = [&painter](int x, int y, int w, int h, QRgb color) {
        painter.fillRect(x, y, w, h, QColor::fromRgb(color));
    };
    fill(0, 0, 99, 185, kPanel1Color);
    fill(99, 0, 99, 185, kPanel2Color);
    fill(355, 0, 104, 80, kHelpMenuColor);
    fill(459, 0, 104, 80, kGameModeMenuColor);
    fill(355, 80, 149, 163, kFileMenuColor);
    fill(504, 80, 72, 19, kFileNormalColor);
    fill(504, 194, 72, 19, kOptionsNormalColor);
    fill(504, 213, 72, 19, kOptionsHoverColor);
    fill(504, 403, 72, 19, kFieldsCurrentColor);
    return image;
}

class NoThemeWindow final : public ThemeWindow {
public:
    void setAnimationBoxEnabled(AnimationBox, bool) override { }
    void showLoadingFile(BytesView) override { }
};

// The theme's folder holds main.bmp and misc.bmp; the record names them.
struct SkinFixture {
    SkinFixture()
    {
        folder.write("main.bmp", bmpOf(regionCodedMain()));
        folder.write("misc.bmp", bmpOf(regionCodedTiles()));
        theme.themefolder = folderText(folder.path());
        theme.ifacemain = "main.bmp";
        theme.ifacemisc = "misc.bmp";
    }

    ScratchFolder folder;
    ThemeRecord theme;
    ThemeImages images;
    NoThemeWindow themeWindow;
    SheetLoading loading{ images, theme, themeWindow, folder.path() };
};

} // namespace kalvon::testing
