#pragma once
// ThemeImages: the sheets a theme's pictures are copied into once per theme change, so that
// drawing during play only copies rectangles. An animated set is one tall sheet with its frames
// stacked downwards; a picture drawn transparent has a second sheet with its mask.
//
// A sheet is a shared handle: null when it was never made or has been released. Drawing code
// skips a null sheet, and an animation that runs across yields keeps its own reference, so a
// theme change in the middle of it never frees a sheet that is still being drawn from. While a
// theme is being rebuilt (`rebuilding`), drawing procedures return at once.

#include "platform/surface.h"

#include <memory>

namespace kalvon {

using Sheet = std::shared_ptr<Surface>;

// The skin sheet of a type-0 theme; its picture is 290 x 354.
inline constexpr int kSkinSheetWidth = 291;
inline constexpr int kSkinSheetHeight = 355;

struct ThemeImages {
    Sheet blocks, blocksMask; // for a type-0 theme the mask holds the skin's mask
    Sheet background, internetBackground, nextPiece, specialWindow;
    Sheet bomb, bombMask, explode, explodeMask;
    Sheet door1, door1Mask, door2, door2Mask, internetDoor;
    Sheet gameOver, gameOverMask, internetGameOver, internetGameOverMask;
    Sheet teamFont, heightLed, warning, warningMask;
    Sheet skin;
    Sheet menu, menuMask, interfaceMisc, internetPage;
    Sheet chatPage, mainWindow, optionsPage, themesPage, serverPage, connectPage;

    // The 192 x 64 back buffer of the warning strip; made once at start-up, not a theme sheet.
    Sheet backBuffer;

    bool rebuilding = false;
};

// The 34 theme sheets.
inline constexpr Sheet ThemeImages::*kThemeSheets[] = {
    &ThemeImages::blocks,
    &ThemeImages::blocksMask,
    &ThemeImages::background,
    &ThemeImages::internetBackground,
    &ThemeImages::nextPiece,
    &ThemeImages::specialWindow,
    &ThemeImages::bomb,
    &ThemeImages::bombMask,
    &ThemeImages::explode,
    &ThemeImages::explodeMask,
    &ThemeImages::door1,
    &ThemeImages::door1Mask,
    &ThemeImages::door2,
    &ThemeImages::door2Mask,
    &ThemeImages::internetDoor,
    &ThemeImages::gameOver,
    &ThemeImages::gameOverMask,
    &ThemeImages::internetGameOver,
    &ThemeImages::internetGameOverMask,
    &ThemeImages::teamFont,
    &ThemeImages::heightLed,
    &ThemeImages::warning,
    &ThemeImages::warningMask,
    &ThemeImages::skin,
    &ThemeImages::menu,
    &ThemeImages::menuMask,
    &ThemeImages::interfaceMisc,
    &ThemeImages::internetPage,
    &ThemeImages::chatPage,
    &ThemeImages::mainWindow,
    &ThemeImages::optionsPage,
    &ThemeImages::themesPage,
    &ThemeImages::serverPage,
    &ThemeImages::connectPage,
};

// Releases all 34 sheets; releasing twice, or a sheet never made, is harmless.
void FreeAllImages(ThemeImages& images);
// Start-up: forgets every sheet except the six page backgrounds (chat, main window, options,
// themes, server, connect).
void ResetGraphicsState(ThemeImages& images);
void CreateBackBuffer(ThemeImages& images);
void FreeBackBuffer(ThemeImages& images);

// Marks the sheets as being rebuilt for its lifetime (nested uses keep the outer mark).
class ThemeRebuild {
public:
    explicit ThemeRebuild(ThemeImages& images)
        : m_images(images)
        , m_outer(images.rebuilding)
    {
        images.rebuilding = true;
    }
    ~ThemeRebuild() { m_images.rebuilding = m_outer; }
    ThemeRebuild(const ThemeRebuild&) = delete;
    ThemeRebuild& operator=(const ThemeRebuild&) = delete;

private:
    ThemeImages& m_images;
    bool m_outer;
};

} // namespace kalvon
