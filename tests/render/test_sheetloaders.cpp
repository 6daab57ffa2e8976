#include "recordingthemewindow.h"
#include "render/sheetloaders.h"
#include "render/themepaths.h"
#include "support/scratchfolder.h"
#include "themefixtures.h"

#include <functional>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::bmpBytes;
using testing::RecordingThemeWindow;
using testing::ScratchFolder;

constexpr QRgb kRed = 0xffc00000;
constexpr QRgb kGreen = 0xff00c000;
constexpr QRgb kBlue = 0xff0000c0;

class SheetLoadersTest : public ::testing::Test {
protected:
    SheetLoadersTest()
    {
        theme.themefolder = folderText(folder.path());
        window.images = &images;
    }

    void picture(
        const std::string& name, int width, int height, QRgb color, int whiteWidth = 0, int whiteHeight = 0)
    {
        folder.write(name, bmpBytes(width, height, color, whiteWidth, whiteHeight));
    }

    static std::pair<int, int> size(const Sheet& sheet)
    {
        return sheet ? std::pair{ sheet->width(), sheet->height() } : std::pair{ -1, -1 };
    }

    ScratchFolder folder;
    ThemeImages images;
    ThemeRecord theme;
    RecordingThemeWindow window;
    SheetLoading loading{ images, theme, window, folder.path() };
};

TEST_F(SheetLoadersTest, FrameSetSheetIsFramesTimesFrameHeightPlusFiveHigh)
{
    using R = ThemeRecord;
    using I = ThemeImages;
    const struct {
        const char* name;
        void (*load)(SheetLoading&);
        int16_t R::*count;
        int frames;
        Sheet I::*sheet;
        Sheet I::*mask;
        std::pair<int, int> expected;
        size_t filesRead;
    } cases[] = {
        { "blocks", LoadBlockFrames, &R::blkframecount, 3, &I::blocks, &I::blocksMask, { 112, 245 }, 3 },
        { "background", LoadBackgroundFrames, &R::bgframecount, 2, &I::background, nullptr, { 193, 709 }, 2 },
        { "internet background", LoadInternetBackgroundFrames, &R::inetbgframecount, 1,
            &I::internetBackground, nullptr, { 101, 181 }, 1 },
        { "next piece", LoadNextPieceFrames, &R::nextblkframecount, 2, &I::nextPiece, nullptr, { 90, 159 },
            2 },
        { "special window, no frames", LoadSpecialWindowFrames, &R::specialwindowframecount, 0,
            &I::specialWindow, nullptr, { 160, 5 }, 0 },
        { "explosion", LoadExplodeFrames, &R::explodeframecount, 2, &I::explode, &I::explodeMask,
            { 197, 133 }, 2 },
        { "bomb", LoadBombFrames, &R::bombframecount, 17, &I::bomb, &I::bombMask, { 64, 1093 }, 17 },
        { "background beyond a 16-bit sheet", LoadBackgroundFrames, &R::bgframecount, 500, &I::background,
            nullptr, { 193, 93 * 352 + 5 }, 93 },
        { "negative count", LoadBombFrames, &R::bombframecount, -3, &I::bomb, &I::bombMask, { 64, 5 }, 0 },
    };
    for (const auto& c : cases) {
        theme.*c.count = int16_t(c.frames);
        window.shownFiles.clear();
        c.load(loading);
        EXPECT_EQ(size(images.*c.sheet), c.expected) << c.name;
        if (c.mask) {
            EXPECT_EQ(size(images.*c.mask), c.expected) << c.name;
        }
        EXPECT_EQ(window.shownFiles.size(), c.filesRead) << c.name;
    }
}

TEST_F(SheetLoadersTest, FramesStackDownwardsAndAMissingFileRepeatsTheFrameBefore)
{
    // The record names the files in other case than the archive holds them.
    theme.blkfilename = "Blk";
    theme.blkextension = "BMP";
    theme.blkframecount = 4;
    picture("blk1.bmp", 96, 80, kRed);
    picture("blk3.bmp", 96, 80, kGreen);
    theme.bgfilename = "bg";
    theme.bgextension = "bmp";
    theme.bgframecount = 2;
    picture("bg2.bmp", 192, 352, kBlue);

    LoadBlockFrames(loading);
    const Surface& blocks = *images.blocks;
    EXPECT_EQ(blocks.pixel(0, 0), kRed);
    EXPECT_EQ(blocks.pixel(95, 79), kRed);
    EXPECT_EQ(blocks.pixel(96, 0), kBlackPixel) << "the sheet is wider than a frame";
    EXPECT_EQ(blocks.pixel(0, 80), kRed) << "frame 2 missing";
    EXPECT_EQ(blocks.pixel(0, 160), kGreen);
    EXPECT_EQ(blocks.pixel(0, 240), kGreen) << "frame 4 missing";
    EXPECT_EQ(blocks.pixel(0, 320), kBlackPixel) << "the 5 rows below the last frame";
    const Bytes folderPrefix = theme.themefolder;
    EXPECT_EQ(window.shownFiles,
        (std::vector<Bytes>{ folderPrefix + "Blk1.BMP", folderPrefix + "Blk2.BMP", folderPrefix + "Blk3.BMP",
            folderPrefix + "Blk4.BMP" }));

    LoadBackgroundFrames(loading);
    EXPECT_EQ(images.background->pixel(0, 0), kBlackPixel) << "nothing loaded before frame 1 in this loader";
    EXPECT_EQ(images.background->pixel(0, 352), kBlue);
}

TEST_F(SheetLoadersTest, MissingDoorTwoTakesDoorOneAndTheDoorMasksAreBuilt)
{
    theme.internetdoor = theme.themefolder + "idoor.bmp";
    theme.door1 = theme.themefolder + "door1.bmp";
    theme.door2 = theme.themefolder + "door2.bmp";
    picture("idoor.bmp", 96, 176, kBlue);
    picture("door1.bmp", 192, 352, kRed, 96, 352);

    LoadDoorImages(loading);
    EXPECT_EQ(window.shownFiles, (std::vector<Bytes>{ theme.internetdoor, theme.door1, theme.door2 }));
    EXPECT_EQ(size(images.door1), (std::pair{ 193, 353 }));
    EXPECT_EQ(size(images.internetDoor), (std::pair{ 97, 177 }));
    EXPECT_EQ(images.internetDoor->pixel(95, 175), kBlue);
    EXPECT_EQ(images.door2->pixel(150, 10), kRed);
    for (const Sheet& mask : { images.door1Mask, images.door2Mask }) {
        EXPECT_EQ(mask->pixel(0, 0), kBlackPixel);
        EXPECT_EQ(mask->pixel(150, 351), kWhitePixel);
        EXPECT_EQ(mask->pixel(192, 0), kBlackPixel) << "the mask is 192 x 352";
    }
}

TEST_F(SheetLoadersTest, BlockMaskAndStartingFrameOnlyWithBlockTransparency)
{
    theme.blkfilename = "blk";
    theme.blkextension = "bmp";
    theme.blkframecount = 1;
    theme.blkstartingframe = 2;
    picture("blk1.bmp", 96, 80, kRed, 16, 16);
    for (bool transparent : { true, false }) {
        theme.blktransparency = transparent;
        theme.blkcurrentframe = 7; // the still frame the caller set
        LoadBlockFrames(loading);
        const Surface& mask = *images.blocksMask;
        EXPECT_EQ(theme.blkcurrentframe, transparent ? 2 : 7);
        EXPECT_EQ(mask.pixel(0, 0), kBlackPixel) << transparent;
        EXPECT_EQ(mask.pixel(20, 0), transparent ? kWhitePixel : kBlackPixel) << transparent;
        EXPECT_EQ(mask.pixel(100, 83), transparent ? kWhitePixel : kBlackPixel)
            << "black sheet margin is opaque";
        EXPECT_EQ(mask.pixel(111, 0), kBlackPixel) << "mask is one column short";
    }
}

TEST_F(SheetLoadersTest, EffectMasksAreAlwaysBuiltGameOverMasksOnlyWhenFlagged)
{
    theme.explodefilename = "ex";
    theme.explodefileextension = "bmp";
    theme.explodeframecount = 1;
    theme.explodetransparency = false;
    picture("ex1.bmp", 192, 64, kRed, 8, 8);
    theme.warning = theme.themefolder + "warn.bmp";
    picture("warn.bmp", 192, 64, kGreen, 8, 8);
    theme.winimg = theme.themefolder + "win.bmp";
    picture("win.bmp", 192, 352, kBlue, 8, 8);
    theme.inetwinimg = theme.themefolder + "iwin.bmp";
    picture("iwin.bmp", 96, 176, kBlue, 8, 8);

    LoadExplodeFrames(loading);
    EXPECT_EQ(images.explodeMask->pixel(0, 0), kBlackPixel);
    EXPECT_EQ(images.explodeMask->pixel(191, 63), kWhitePixel);

    for (bool transparent : { true, false }) {
        theme.wintransparent = transparent;
        theme.inetwintransparent = !transparent;
        LoadMiscImages(loading);
        EXPECT_EQ(images.warningMask->pixel(0, 0), kBlackPixel);
        EXPECT_EQ(images.warningMask->pixel(191, 63), kWhitePixel);
        EXPECT_EQ(images.gameOverMask->pixel(20, 20), transparent ? kWhitePixel : kBlackPixel);
        EXPECT_EQ(images.internetGameOverMask->pixel(20, 20), transparent ? kBlackPixel : kWhitePixel);
        EXPECT_EQ(images.gameOver->pixel(191, 351), kBlue);
    }
}

TEST_F(SheetLoadersTest, SkinTakes290By354AndItsMaskGoesIntoTheBlocksMask)
{
    theme.skinfile = theme.themefolder + "skin.bmp";
    picture("skin.bmp", 288, 352, kRed, 16, 16); // a converted skin is 2 pixels smaller
    LoadSkinImage(loading);
    EXPECT_EQ(size(images.skin), (std::pair{ 291, 355 }));
    EXPECT_EQ(size(images.blocksMask), (std::pair{ 291, 355 }));
    EXPECT_EQ(images.skin->pixel(287, 351), kRed);
    EXPECT_EQ(images.skin->pixel(288, 0), kBlackPixel);
    EXPECT_EQ(images.blocksMask->pixel(0, 0), kBlackPixel);
    EXPECT_EQ(images.blocksMask->pixel(20, 20), kWhitePixel);
    EXPECT_EQ(images.blocksMask->pixel(288, 352), kWhitePixel) << "past the picture: opaque";
    EXPECT_EQ(images.blocksMask->pixel(289, 0), kBlackPixel) << "mask is 289 x 353";
}

TEST_F(SheetLoadersTest, InterfaceImagesComeFromTheInterfaceFolderAtTheirSheetSizes)
{
    using R = ThemeRecord;
    const struct {
        Bytes R::*field;
        Sheet ThemeImages::*sheet;
        std::pair<int, int> size;
    } sheets[] = {
        { &R::ifacemisc, &ThemeImages::interfaceMisc, { 576, 470 } },
        { &R::ifaceinet, &ThemeImages::internetPage, { 355, 413 } },
        { &R::ifacemenu, &ThemeImages::menu, { 298, 160 } },
        { &R::ifacemain, &ThemeImages::mainWindow, { 640, 521 } },
        { &R::ifacechat, &ThemeImages::chatPage, { 624, 466 } },
        { &R::ifaceserver, &ThemeImages::serverPage, { 624, 466 } },
        { &R::ifaceconnect, &ThemeImages::connectPage, { 624, 466 } },
        { &R::ifaceoptions, &ThemeImages::optionsPage, { 624, 466 } },
        { &R::ifacethemes, &ThemeImages::themesPage, { 624, 466 } },
    };
    int n = 0;
    for (const auto& s : sheets) {
        const std::string name = "face" + std::to_string(++n) + ".bmp";
        theme.*s.field = name;
        picture("iface/" + name, s.size.first, s.size.second, kGreen, 10, 10);
    }

    LoadInterfaceImages(loading, folderText(folder / "iface"));
    for (const auto& s : sheets) {
        const Sheet& sheet = images.*s.sheet;
        EXPECT_EQ(size(sheet), s.size);
        EXPECT_EQ(sheet->pixel(s.size.first - 1, s.size.second - 1), kGreen);
    }
    EXPECT_EQ(images.menuMask->pixel(0, 0), kBlackPixel);
    EXPECT_EQ(images.menuMask->pixel(297, 159), kWhitePixel) << "the menu mask covers the whole sheet";
    EXPECT_TRUE(window.shownFiles.empty());
}

TEST_F(SheetLoadersTest, InterfacePicturesOfOtherSizesAreCutOrPaddedAndAMissingOneRepeatsTheOneBefore)
{
    theme.ifacemisc = "big.bmp";
    picture("big.bmp", 700, 500, kRed);
    theme.ifaceinet = "small.bmp";
    picture("small.bmp", 100, 50, kBlue);
    theme.ifacemenu = "missing.bmp";
    theme.ifacemain = "main.bmp";
    picture("main.bmp", 640, 521, kGreen);
    theme.ifacechat = "missing.bmp";

    LoadInterfaceImages(loading, theme.themefolder);
    EXPECT_EQ(size(images.interfaceMisc), std::pair(576, 470));
    EXPECT_EQ(images.interfaceMisc->pixel(575, 469), kRed);
    EXPECT_EQ(size(images.internetPage), std::pair(355, 413));
    EXPECT_EQ(images.internetPage->pixel(99, 49), kBlue);
    EXPECT_EQ(images.internetPage->pixel(100, 0), kBlackPixel);
    EXPECT_EQ(images.internetPage->pixel(0, 50), kBlackPixel);
    EXPECT_EQ(size(images.menu), std::pair(298, 160));
    EXPECT_EQ(images.menu->pixel(99, 49), kBlue) << "the menu repeats the picture before";
    EXPECT_EQ(images.menu->pixel(100, 0), kBlackPixel);
    EXPECT_EQ(images.chatPage->pixel(623, 465), kGreen) << "the chat page repeats the main window";

    // Sheets filled from one picture are still sheets of their own.
    images.mainWindow->setPixel(0, 0, kRed);
    EXPECT_EQ(images.chatPage->pixel(0, 0), kGreen);
}

TEST_F(SheetLoadersTest, BuildingATypeMakesItsSheetsAndStartsItsSetsAtTheirFrames)
{
    theme.bgstillframe = 3;
    theme.inetbgstillframe = 4;
    theme.inetbgstartingframe = 5;
    theme.nextblkstillframe = 6;
    theme.specialwindowstillframe = 7;
    theme.specialwindowstartingframe = 8;
    theme.blkstillframe = 9;
    theme.blkstartingframe = 10;
    theme.blktransparency = true;
    theme.bgframecount = 1;
    theme.door1 = "door1.bmp";

    theme.themetype = 1;
    BuildThemeImages(loading);
    EXPECT_TRUE(images.background && images.blocks && images.internetBackground && images.nextPiece
        && images.specialWindow && images.bomb && images.explode && images.door1 && images.warning);
    EXPECT_FALSE(images.skin);
    EXPECT_EQ(theme.bgcurrentframe, 3);
    EXPECT_EQ(theme.inetbgcurrentframe, 5);
    EXPECT_EQ(theme.nextblkcurrentframe, 6);
    EXPECT_EQ(theme.specialwindowcurrentframe, 8);
    EXPECT_EQ(theme.blkcurrentframe, 10);
    EXPECT_FALSE(window.rebuildingWhenShown.empty());
    EXPECT_EQ(std::count(window.rebuildingWhenShown.begin(), window.rebuildingWhenShown.end(), false), 0)
        << "drawing must stay away while the sheets are rebuilt";
    EXPECT_FALSE(images.rebuilding);

    FreeAllImages(images);
    theme.themetype = 0;
    BuildThemeImages(loading);
    EXPECT_TRUE(images.skin && images.blocksMask && images.bomb && images.door1);
    EXPECT_FALSE(images.background || images.blocks || images.nextPiece);
}

TEST_F(SheetLoadersTest, ReleasingIsIdempotentAndARunningAnimationKeepsItsSheet)
{
    for (Sheet ThemeImages::*sheet : kThemeSheets)
        images.*sheet = std::make_shared<Surface>(2, 2);
    ResetGraphicsState(images);
    for (Sheet ThemeImages::*sheet : kThemeSheets) {
        const bool page = sheet == &ThemeImages::chatPage || sheet == &ThemeImages::mainWindow
            || sheet == &ThemeImages::optionsPage || sheet == &ThemeImages::themesPage
            || sheet == &ThemeImages::serverPage || sheet == &ThemeImages::connectPage;
        EXPECT_EQ(bool(images.*sheet), page);
    }

    images.explode = std::make_shared<Surface>(197, 69);
    const Sheet heldByAnimation = images.explode;
    FreeAllImages(images);
    FreeAllImages(images);
    for (Sheet ThemeImages::*sheet : kThemeSheets)
        EXPECT_FALSE(images.*sheet);
    EXPECT_EQ(heldByAnimation->height(), 69);

    CreateBackBuffer(images);
    EXPECT_EQ(size(images.backBuffer), (std::pair{ 192, 64 }));
    FreeBackBuffer(images);
    FreeBackBuffer(images);
    EXPECT_FALSE(images.backBuffer);
}

} // namespace
} // namespace kalvon
