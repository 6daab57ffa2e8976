#pragma once
// The theme page's preview of a theme before it is used: a full-size field with its background,
// doors, test bomb and (on request) sample blocks, a small internet field with its door and
// background, the next-piece and special windows, the height-LED picture, and sample rows of
// normal, special and internet tiles. It draws only from the preview theme (PreviewTheme) and
// its own pictures (PreviewPictures), never from the current theme's sheets, and uses field 3
// of the game's per-field animation state (doors, explosion, test bomb in slot 1).
//
// The theme browser loads the preview theme, builds the pictures once (loadpreview) and starts
// the 10 ms preview timer, whose step (stepPreview) advances the animated sets each at its own
// delay and redraws the preview. Every picture a drawing needs is checked, so drawing with a
// picture missing (never built, or dropped) draws that part not at all.

#include "render/themeimages.h"

#include <filesystem>

namespace kalvon {

class Clock;
class GameEngine;
class GameRenderer;
class ThemeWindow;
struct PreviewPictures;
struct Themes;
struct WindowPictures;

struct ThemePreviewContext {
    GameEngine& engine; // field 3's door and explosion flags, the test bomb
    Themes& themes; // PreviewTheme is read, its current frames stepped
    PreviewPictures& preview;
    WindowPictures& pictures; // picField(3), picInetPreview, picNextPiece(3), picSpecials(0), ...
    GameRenderer& renderer; // the preview's two background painters
    const Clock& clock;
};

class ThemePreview {
public:
    explicit ThemePreview(const ThemePreviewContext& context);

    // Builds the preview pictures from the preview theme's files through the theme's sheet
    // loaders (`window` shows each file while the loading window is visible): doors, warning,
    // the skin (type 0) or the five frame sets (type 1), explosion and bomb. They replace the
    // preview's pictures only once all are built. The height-LED picture goes to picLeds(0);
    // the blocks and the next-piece window start at their starting frames (the internet
    // background and special window too, by their loaders).
    void loadpreview(ThemeWindow& window, const std::filesystem::path& programDir);
    // The preview's pictures dropped; a running test animation stops drawing.
    void unloadPreview();

    // One tick of the preview timer: the test bomb, then the next-piece window, special
    // window, internet background, background and blocks each advance when their delay has
    // passed and their box is checked, then the small internet field and the preview field are
    // redrawn unless a door or explosion animation is drawing them.
    void stepPreview();

    // The preview field (p = 3) and the sample rows; nothing while field p's explosion runs.
    void GenerateThemePreview(int p);
    // The small internet field: its background (or door) and the 24 internet cells.
    void DrawPreviewInternetCells();
    void DrawNextPieceBackground();
    void DrawSpecialWindowBackground();

private:
    // The sheet the sample tiles come from: the block strip (type 1) or the skin (type 0).
    const Sheet& tileSource() const;
    // The top of the block strip's frame a tile shows: the current frame where its kind
    // animates and "Animate Blocks" is checked, else the still frame.
    int tileFrameTop(bool animated) const;
    void drawBlockTiles(bool onField);
    void drawInternetCells(bool onBoard);

    ThemePreviewContext m;
};

} // namespace kalvon
