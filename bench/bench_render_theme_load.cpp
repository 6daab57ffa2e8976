// Time to change to a type-1 theme of realistic size: reading the theme file, unpacking its
// resource archive (pictures as BMP, sounds, music) and building every sheet, the interface
// sheets included. Goal: under 150 ms.

#include "../tests/support/zipbuilder.h"
#include "common/dialogs.h"
#include "platform/surface.h"
#include "render/sheetloaders.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "render/themewindow.h"

#include <QBuffer>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <random>

namespace kalvon {
namespace {

namespace fs = std::filesystem;

class SilentDialogs final : public Dialogs {
public:
    MessageAnswer messageBox(BytesView, BytesView, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
    std::optional<Bytes> inputBox(BytesView, BytesView, BytesView) override { return std::nullopt; }
    std::optional<Bytes> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<Bytes> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<uint32_t> chooseColor(uint32_t) override { return std::nullopt; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
};

class HiddenLoadingWindow final : public ThemeWindow {
public:
    void setAnimationBoxEnabled(AnimationBox, bool) override { }
    void showLoadingFile(BytesView) override { }
};

// A picture with drawn detail (gradients and noise), so it compresses like real art.
std::string pictureBmp(int width, int height, std::mt19937& random)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 24);
            image.setPixel(
                x, y, qRgb((x * 255 / width + noise) % 256, (y * 255 / height) % 256, ((x + y) % 64) * 4));
        }
    }
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, "BMP");
    return bytes.toStdString();
}

std::string noiseBytes(size_t size, std::mt19937& random)
{
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random() % 64); // quiet sound: compresses a little
    return bytes;
}

struct ThemeOnDisk {
    fs::path root;
    Bytes themeFile;
};

ThemeOnDisk writeTheme()
{
    std::string pattern = (fs::temp_directory_path() / "kalvon-bench-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    std::mt19937 random(7);
    testing::ZipBuilder zip(root / "theme.zip");
    const struct {
        const char* name;
        int frames, width, height;
    } sets[] = {
        { "bg", 4, 192, 352 },
        { "ibg", 4, 96, 176 },
        { "blk", 4, 96, 80 },
        { "next", 4, 77, 77 },
        { "spw", 4, 160, 16 },
        { "ex", 8, 192, 64 },
        { "bomb", 17, 64, 64 },
    };
    for (const auto& set : sets) {
        for (int frame = 1; frame <= set.frames; ++frame)
            zip.file(set.name + std::to_string(frame) + ".bmp", pictureBmp(set.width, set.height, random));
    }
    const struct {
        const char* name;
        int width, height;
    } pictures[] = {
        { "door1", 192, 352 },
        { "door2", 192, 352 },
        { "idoor", 96, 176 },
        { "win", 192, 352 },
        { "iwin", 96, 176 },
        { "warn", 192, 64 },
        { "led", 8, 352 },
        { "font", 128, 128 },
        { "main", 640, 521 },
        { "options", 624, 466 },
        { "chat", 624, 466 },
        { "connect", 624, 466 },
        { "server", 624, 466 },
        { "themes", 624, 466 },
        { "misc", 576, 470 },
        { "menu", 298, 160 },
        { "inet", 355, 413 },
        { "scores", 320, 400 },
    };
    for (const auto& picture : pictures)
        zip.file(std::string(picture.name) + ".bmp", pictureBmp(picture.width, picture.height, random));
    for (const char* sound :
        { "start", "rotate", "drop", "line", "boom", "quad", "win", "lose", "chat", "click", "shield" })
        zip.file(std::string(sound) + ".wav", noiseBytes(40000, random));
    zip.file("music.ogg", noiseBytes(1500000, random));
    zip.close();

    const std::string kvx
        = "[Theme Info]\r\nname=Bench\r\nresourcefile=theme.zip\r\nthemetype=1\r\n"
          "ifacemain=main.bmp\r\nifaceoptions=options.bmp\r\nifacechat=chat.bmp\r\n"
          "ifaceconnect=connect.bmp\r\nifaceserver=server.bmp\r\nifacethemes=themes.bmp\r\n"
          "ifacemisc=misc.bmp\r\nifacehighscore=scores.bmp\r\nifacemenu=menu.bmp\r\n"
          "ifacemenutransparent=1\r\nifaceinet=inet.bmp\r\n"
          "bganimated=1\r\nbgfilename=bg\r\nbgextension=bmp\r\nbgframecount=4\r\nbgstartingframe=1\r\n"
          "bgstillframe=1\r\nbgreverseanimation=0\r\nbgdelaybetweenframes=100\r\n"
          "specialwindowanimated=1\r\nspecialwindowfilename=spw\r\nspecialwindowextension=bmp\r\n"
          "specialwindowframecount=4\r\nspecialwindowstartingframe=1\r\nspecialwindowstillframe=1\r\n"
          "specialwindowdelaybetweenframes=100\r\nspecialwindowreverseanimation=0\r\n"
          "inetbganimated=1\r\ninetbgfilename=ibg\r\ninetbgextension=bmp\r\ninetbgframecount=4\r\n"
          "inetbgstartingframe=1\r\ninetbgstillframe=1\r\ninetbgreverseanimation=0\r\n"
          "inetbgdelaybetweenframes=100\r\n"
          "animateblocks=1\r\nanimatespecials=1\r\nanimateinetblocks=1\r\nanimateinetspecials=1\r\n"
          "blkfilename=blk\r\nblkextension=bmp\r\nblkframecount=4\r\nblkstartingframe=1\r\n"
          "blkstillframe=1\r\nblkreverseanimation=0\r\nblkdelaybetweenframes=100\r\nblktransparency=1\r\n"
          "nextblkanimated=1\r\nnextblkfilename=next\r\nnextblkextension=bmp\r\nnextblkframecount=4\r\n"
          "nextblkstartingframe=1\r\nnextblkstillframe=1\r\nnextblkreverseanimation=0\r\n"
          "nextblkdelaybetweenframes=100\r\n"
          "explodefilename=ex\r\nexplodefileextension=bmp\r\nexplodeframecount=8\r\n"
          "explodedelaybetweenframes=40\r\nexplodetransparency=1\r\n"
          "Bombfilename=bomb\r\nBombfileextension=bmp\r\nBombframecount=17\r\n"
          "Bombdelaybetweenframes=20\r\nBombtransparency=1\r\n"
          "heightled=led.bmp\r\ndoor1=door1.bmp\r\ndoor2=door2.bmp\r\ninternetdoor=idoor.bmp\r\n"
          "warning=warn.bmp\r\nteamfont=font.bmp\r\nwinimg=win.bmp\r\nwintransparent=1\r\n"
          "inetwinimg=iwin.bmp\r\ninetwintransparent=1\r\n"
          "colortitle=255,255,255\r\nmidi=music.ogg\r\nstartgame=start.wav\r\nrotate=rotate.wav\r\n"
          "drop=drop.wav\r\nlineclear=line.wav\r\nexplode=boom.wav\r\nquad=quad.wav\r\nwin=win.wav\r\n"
          "lose=lose.wav\r\nchat=chat.wav\r\nclick=click.wav\r\nholyshield=shield.wav\r\n";
    std::ofstream(root / "theme.kvx", std::ios::binary) << kvx;
    return { root, pathText(root / "theme.kvx") };
}

void BM_ChangeToTypeOneTheme(benchmark::State& state)
{
    const ThemeOnDisk disk = writeTheme();
    Themes themes;
    SilentDialogs dialogs;
    HiddenLoadingWindow window;
    ThemeLoading loading{ themes, dialogs, window, { disk.root / "temp", disk.root } };
    ThemeImages images;
    for (auto _ : state) {
        FreeAllImages(images);
        LoadTheme(loading, disk.themeFile, themes.CurrentTheme, themes.ThemeSounds, "");
        SheetLoading sheets{ images, themes.CurrentTheme, window, disk.root };
        BuildThemeImages(sheets);
        LoadInterfaceImages(sheets, themes.CurrentTheme.themefolder);
        benchmark::DoNotOptimize(images.mainWindow->pixel(0, 0));
    }
    std::error_code ignored;
    fs::remove_all(disk.root, ignored);
}
BENCHMARK(BM_ChangeToTypeOneTheme)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kalvon

BENCHMARK_MAIN();
