#include "render/sheetloaders.h"

#include "common/vbconv.h"
#include "platform/picturefile.h"
#include "render/themepaths.h"
#include "render/themewindow.h"

#include <span>
#include <vector>

namespace kalvon {

namespace {

Sheet newSheet(int width, int height)
{
    return std::make_shared<Surface>(width, height);
}

// Loads one picture file into `buffer` (keeping what it held when the file cannot be read).
void loadPicture(SheetLoading& loading, PictureBuffer& buffer, BytesView path, bool showProgress = true)
{
    if (showProgress)
        loading.window.showLoadingFile(path);
    const std::filesystem::path file = themeFilePath(path, loading.programDir);
    if (file.empty())
        return;
    if (loading.readAhead)
        buffer.loadDecoded(loading.readAhead->load(file));
    else
        buffer.load(file);
}

// The files a list of stored paths names, in order, those that name none left out: the
// sequence loadPicture asks for.
class PictureFiles {
public:
    explicit PictureFiles(const SheetLoading& loading)
        : m_programDir(loading.programDir)
    {
    }
    void add(BytesView path)
    {
        std::filesystem::path file = themeFilePath(path, m_programDir);
        if (!file.empty())
            m_files.push_back(std::move(file));
    }
    std::vector<std::filesystem::path> take() { return std::move(m_files); }

private:
    const std::filesystem::path& m_programDir;
    std::vector<std::filesystem::path> m_files;
};

// Decodes the files of a loader run ahead while it lasts.
class ReadAheadScope {
public:
    ReadAheadScope(SheetLoading& loading, PictureFiles& files)
        : m_loading(loading)
        , m_outer(loading.readAhead)
        , m_readAhead(files.take())
    {
        loading.readAhead = &m_readAhead;
    }
    ~ReadAheadScope() { m_loading.readAhead = m_outer; }
    ReadAheadScope(const ReadAheadScope&) = delete;
    ReadAheadScope& operator=(const ReadAheadScope&) = delete;

private:
    SheetLoading& m_loading;
    PictureReadAhead* m_outer;
    PictureReadAhead m_readAhead;
};

// The keys of one frame set in the record.
struct FrameSetFields {
    const FrameGeometry& geometry;
    int16_t ThemeRecord::*framecount;
    Bytes ThemeRecord::*filename;
    Bytes ThemeRecord::*extension;
    Sheet ThemeImages::*sheet;
    Sheet ThemeImages::*mask; // nullptr for sets without a mask
};

using I = ThemeImages;
using R = ThemeRecord;

const FrameSetFields kBackgroundSet{ kBackgroundFrames, &R::bgframecount, &R::bgfilename, &R::bgextension,
    &I::background, nullptr };
const FrameSetFields kBlockSet{ kBlockFrames, &R::blkframecount, &R::blkfilename, &R::blkextension,
    &I::blocks, &I::blocksMask };
const FrameSetFields kInternetBackgroundSet{ kInternetBackgroundFrames, &R::inetbgframecount,
    &R::inetbgfilename, &R::inetbgextension, &I::internetBackground, nullptr };
const FrameSetFields kNextPieceSet{ kNextPieceFrames, &R::nextblkframecount, &R::nextblkfilename,
    &R::nextblkextension, &I::nextPiece, nullptr };
const FrameSetFields kSpecialWindowSet{ kSpecialWindowFrames, &R::specialwindowframecount,
    &R::specialwindowfilename, &R::specialwindowextension, &I::specialWindow, nullptr };
const FrameSetFields kExplodeSet{ kExplodeFrames, &R::explodeframecount, &R::explodefilename,
    &R::explodefileextension, &I::explode, &I::explodeMask };
const FrameSetFields kBombSet{ kBombFrames, &R::bombframecount, &R::bombfilename, &R::bombfileextension,
    &I::bomb, &I::bombMask };

int frameCount(const ThemeRecord& theme, const FrameSetFields& set)
{
    return clampFrameCount(theme.*set.framecount, set.geometry);
}

Bytes framePath(const ThemeRecord& theme, const FrameSetFields& set, int frame)
{
    return theme.themefolder + theme.*set.filename + vb::formatInt(frame) + "." + theme.*set.extension;
}

void addFrameFiles(PictureFiles& files, const ThemeRecord& theme, const FrameSetFields& set)
{
    for (int frame = 1, count = frameCount(theme, set); frame <= count; ++frame)
        files.add(framePath(theme, set, frame));
}

// Builds the set's sheet (and mask sheet) and copies every frame into it; returns the frame
// count the sheet was made for.
int loadFrames(SheetLoading& loading, const FrameSetFields& set)
{
    const ThemeRecord& theme = loading.theme;
    const FrameGeometry& geometry = set.geometry;
    const int count = frameCount(theme, set);
    const int height = count * geometry.frameHeight + 5;
    Sheet sheet = newSheet(geometry.sheetWidth, height);
    loading.images.*set.sheet = sheet;
    if (set.mask)
        loading.images.*set.mask = newSheet(geometry.sheetWidth, height);

    PictureBuffer buffer;
    for (int frame = 1; frame <= count; ++frame) {
        loadPicture(loading, buffer, framePath(theme, set, frame));
        sheet->bitBlt(0, (frame - 1) * geometry.frameHeight, geometry.frameWidth, geometry.frameHeight,
            buffer.picture(), 0, 0);
    }
    return count;
}

// A sheet holding one picture, copied from (0, 0) of its file to (0, 0) of the sheet; the
// sheet may be larger than the copy. A masked picture gets a mask sheet of the same size.
struct PictureSheet {
    Bytes ThemeRecord::*path;
    Sheet ThemeImages::*sheet;
    int sheetWidth;
    int sheetHeight;
    int width;
    int height;
    Sheet ThemeImages::*mask = nullptr;
};

using PictureSheets = std::span<const PictureSheet>;

const PictureSheet kDoorSheets[] = {
    { &R::internetdoor, &I::internetDoor, 97, 177, 96, 176 },
    { &R::door1, &I::door1, 193, 353, 192, 352, &I::door1Mask },
    { &R::door2, &I::door2, 193, 353, 192, 352, &I::door2Mask },
};
const PictureSheet kMiscSheets[] = {
    { &R::winimg, &I::gameOver, 193, 353, 192, 352, &I::gameOverMask },
    { &R::inetwinimg, &I::internetGameOver, 96, 176, 96, 176, &I::internetGameOverMask },
    { &R::warning, &I::warning, 192, 64, 192, 64, &I::warningMask },
    { &R::heightled, &I::heightLed, 8, 352, 8, 352 },
    { &R::teamfont, &I::teamFont, 128, 128, 128, 128 },
};
const PictureSheet kSkinSheets[] = {
    { &R::skinfile, &I::skin, kSkinSheetWidth, kSkinSheetHeight, 290, 354, &I::blocksMask },
};
const PictureSheet kInterfaceSheets[] = {
    { &R::ifacemisc, &I::interfaceMisc, 576, 470, 576, 470 },
    { &R::ifaceinet, &I::internetPage, 355, 413, 355, 413 },
    { &R::ifacemenu, &I::menu, 298, 160, 298, 160, &I::menuMask },
    { &R::ifacemain, &I::mainWindow, 640, 521, 640, 521 },
    { &R::ifacechat, &I::chatPage, 624, 466, 624, 466 },
    { &R::ifaceserver, &I::serverPage, 624, 466, 624, 466 },
    { &R::ifaceconnect, &I::connectPage, 624, 466, 624, 466 },
    { &R::ifaceoptions, &I::optionsPage, 624, 466, 624, 466 },
    { &R::ifacethemes, &I::themesPage, 624, 466, 624, 466 },
};

void addPictureFiles(
    PictureFiles& files, const ThemeRecord& theme, PictureSheets pictures, BytesView folder = {})
{
    for (const PictureSheet& picture : pictures)
        files.add(Bytes(folder) + theme.*picture.path);
}

// The sheet a picture fills: a black sheet with the picture copied in, or, when the copy
// covers the whole sheet, the picture's own pixels (cut to the sheet) without a second copy.
Sheet pictureSheet(const PictureSheet& picture, const Surface& source)
{
    const bool coversSheet = picture.width == picture.sheetWidth && picture.height == picture.sheetHeight
        && source.width() >= picture.width && source.height() >= picture.height;
    if (coversSheet && source.image().format() == QImage::Format_RGB32) {
        const QImage& pixels = source.image();
        return std::make_shared<Surface>(
            Surface::fromImage(pixels.size() == QSize(picture.width, picture.height)
                    ? pixels
                    : pixels.copy(0, 0, picture.width, picture.height)));
    }
    Sheet sheet = newSheet(picture.sheetWidth, picture.sheetHeight);
    sheet->bitBlt(0, 0, picture.width, picture.height, source, 0, 0);
    return sheet;
}

// Creates the sheets, then loads the pictures in order through one buffer. While the loading
// window shows each file, the window may repaint between files, so every sheet is first made
// black; when it shows none, nothing looks at a picture's sheet before the picture replaces it,
// and only the masks are made ahead (their builders draw into part of them).
void loadPictureSheets(
    SheetLoading& loading, PictureSheets pictures, BytesView folder = {}, bool showProgress = true)
{
    for (const PictureSheet& picture : pictures) {
        if (showProgress)
            loading.images.*picture.sheet = newSheet(picture.sheetWidth, picture.sheetHeight);
        if (picture.mask)
            loading.images.*picture.mask = newSheet(picture.sheetWidth, picture.sheetHeight);
    }
    PictureBuffer buffer;
    for (const PictureSheet& picture : pictures) {
        loadPicture(loading, buffer, Bytes(folder) + loading.theme.*picture.path, showProgress);
        loading.images.*picture.sheet = pictureSheet(picture, buffer.picture());
    }
}

void buildMask(const Sheet& mask, const Sheet& source, int right, int bottom)
{
    if (mask && source)
        BuildMask(*mask, *source, 0, 0, right, bottom);
}

} // namespace

void LoadBackgroundFrames(SheetLoading& loading)
{
    loadFrames(loading, kBackgroundSet);
}

void LoadBlockFrames(SheetLoading& loading)
{
    const int count = loadFrames(loading, kBlockSet);
    if (loading.theme.blktransparency) {
        buildMask(loading.images.blocksMask, loading.images.blocks, kBlockFrames.sheetWidth,
            count * kBlockFrames.frameHeight + 5);
        loading.theme.blkcurrentframe = loading.theme.blkstartingframe;
    }
}

void LoadInternetBackgroundFrames(SheetLoading& loading)
{
    loadFrames(loading, kInternetBackgroundSet);
    loading.theme.inetbgcurrentframe = loading.theme.inetbgstartingframe;
}

void LoadNextPieceFrames(SheetLoading& loading)
{
    loadFrames(loading, kNextPieceSet);
}

void LoadSpecialWindowFrames(SheetLoading& loading)
{
    loadFrames(loading, kSpecialWindowSet);
    loading.theme.specialwindowcurrentframe = loading.theme.specialwindowstartingframe;
}

void LoadExplodeFrames(SheetLoading& loading)
{
    const int count = loadFrames(loading, kExplodeSet);
    buildMask(loading.images.explodeMask, loading.images.explode, 193, count * 64 + 1);
}

void LoadBombFrames(SheetLoading& loading)
{
    const int count = loadFrames(loading, kBombSet);
    buildMask(loading.images.bombMask, loading.images.bomb, 65, count * 64 + 1);
}

void LoadDoorImages(SheetLoading& loading)
{
    loadPictureSheets(loading, kDoorSheets);
    ThemeImages& images = loading.images;
    buildMask(images.door1Mask, images.door1, 193, 353);
    buildMask(images.door2Mask, images.door2, 193, 353);
}

void LoadMiscImages(SheetLoading& loading)
{
    loadPictureSheets(loading, kMiscSheets);
    ThemeImages& images = loading.images;
    if (loading.theme.wintransparent)
        buildMask(images.gameOverMask, images.gameOver, 192, 352);
    if (loading.theme.inetwintransparent)
        buildMask(images.internetGameOverMask, images.internetGameOver, 96, 176);
    buildMask(images.warningMask, images.warning, 193, 65);
}

void LoadSkinImage(SheetLoading& loading)
{
    loadPictureSheets(loading, kSkinSheets);
    buildMask(loading.images.blocksMask, loading.images.skin, 290, 354);
}

void LoadInterfaceImages(SheetLoading& loading, BytesView interfaceFolder)
{
    PictureFiles files(loading);
    addPictureFiles(files, loading.theme, kInterfaceSheets, interfaceFolder);
    const ReadAheadScope readAhead(loading, files);
    loadPictureSheets(loading, kInterfaceSheets, interfaceFolder, false);
    buildMask(loading.images.menuMask, loading.images.menu, 300, 182);
}

void BuildThemeImages(SheetLoading& loading, const std::function<void(ThemeImagesStep)>& reached)
{
    const ThemeRebuild rebuild(loading.images);
    ThemeRecord& theme = loading.theme;
    theme.bgcurrentframe = theme.bgstillframe;
    theme.inetbgcurrentframe = theme.inetbgstillframe;
    theme.blkcurrentframe = theme.blkstillframe;
    theme.nextblkcurrentframe = theme.nextblkstillframe;
    theme.specialwindowcurrentframe = theme.specialwindowstillframe;
    const auto step = [&reached](ThemeImagesStep passed) {
        if (reached)
            reached(passed);
    };

    // The files in the order the loaders below ask for them.
    PictureFiles files(loading);
    addPictureFiles(files, theme, kDoorSheets);
    addPictureFiles(files, theme, kMiscSheets);
    if (theme.themetype == 0) {
        addPictureFiles(files, theme, kSkinSheets);
    } else if (theme.themetype == 1) {
        for (const FrameSetFields* set :
            { &kBackgroundSet, &kBlockSet, &kInternetBackgroundSet, &kNextPieceSet, &kSpecialWindowSet })
            addFrameFiles(files, theme, *set);
    }
    addFrameFiles(files, theme, kExplodeSet);
    addFrameFiles(files, theme, kBombSet);
    const ReadAheadScope readAhead(loading, files);

    LoadDoorImages(loading);
    step(ThemeImagesStep::DoorsLoaded);
    LoadMiscImages(loading);
    step(ThemeImagesStep::MiscLoaded);
    if (theme.themetype == 0) {
        LoadSkinImage(loading);
    } else if (theme.themetype == 1) {
        LoadBackgroundFrames(loading);
        LoadBlockFrames(loading);
        step(ThemeImagesStep::BlocksLoaded);
        LoadInternetBackgroundFrames(loading);
        LoadNextPieceFrames(loading);
        LoadSpecialWindowFrames(loading);
    }
    LoadExplodeFrames(loading);
    LoadBombFrames(loading);
}

} // namespace kalvon
