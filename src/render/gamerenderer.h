#pragma once
// The game's renderer: draws the local fields, their height LEDs, the next-piece and special
// windows, the line explosion and the doors into the window's pictures, and hands the game
// state to the drawing library (cells, trails, shadows, bombs). It is the game's drawing
// interface (EngineDrawing), which the engine's host hands to the engine. It also runs the theme
// page's door and explosion tests on the preview pictures.
//
// The renderer reads the engine's state and its own options. What belongs to drawing in the
// state (the explosion and preview-door flags, the preview's test bomb) it sets through the
// engine's operations; it writes the background's current frame of the theme. Its timed animations wait
// through the event pump; an animation holds its own references to the sheets it draws from and stops drawing
// as soon as the theme releases them. While the theme's sheets are being rebuilt the drawing procedures
// return at once. The random numbers of the shake come from a source of the renderer's own, never the
// engine's; a field goes on shaking for a short time after Block Quake, timed by the clock.
//
// Players are 1 and 2, field 3 the theme page's preview field; other numbers are ignored.

#include "common/bytes.h"
#include "engine/enginedrawing.h"
#include "platform/surface.h"
#include "render/fieldlook.h"
#include "render/themeimages.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kalvon {

class Clock;
class DrawingLibrary;
class EngineRandom;
class EventPump;
class GameEngine;
class RenderHooks;
struct DrawOptions;
struct EngineState;
struct InternetView;
class PictureBox;
struct PreviewPictures;
struct ThemeRecord;
struct Themes;
struct WindowPictures;

struct RenderContext {
    GameEngine& engine;
    Themes& themes;
    ThemeImages& images;
    DrawingLibrary& library;
    WindowPictures& pictures;
    PreviewPictures& preview;
    const DrawOptions& options;
    const InternetView& internet;
    RenderHooks& hooks;
    EventPump& pump;
    const Clock& clock;
    EngineRandom& random; // the renderer's own
};

// The team name drawn over the local field in internet play: this client's team, or a
// spectator's slot-1 player's; nothing for no team, a lone carriage return, or a slot-1 index
// outside the player table.
std::optional<Bytes> fieldTeamName(const InternetView& internet);

// The small internet door at door row `row` (22 closed, 0 open): the upper half's bottom rows
// from the top, the lower half's top rows from the bottom, 4 pixels a row.
void drawInternetDoor(Surface& board, const Surface& door, int row);

class GameRenderer final : public EngineDrawing {
public:
    explicit GameRenderer(const RenderContext& context);
    GameRenderer(const GameRenderer&) = delete;
    GameRenderer& operator=(const GameRenderer&) = delete;

    // --- the library's cell state, trails and shadow ---
    // Every cell of local field p, then the Holy Shield block in the top-right cell while the
    // shield lasts.
    void UpdateFieldBlocks(int p) override;
    // Every cell of internet board n (1..5), then its effect markers.
    void UpdateInternetFieldBlocks(int n);
    // Cells (11, 0), (10, 0), (9, 0) of board n again: the Flash Screen, Tremor and Holy Shield
    // blocks while the effect runs, else the cell as it is.
    void UpdateNetBoardMarkers(int n);
    // The trail of a hard drop of a piece (type, orientation) from `startRow` to `endRow`, when
    // drop trails are on.
    void UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow) override;
    void GenerateTrail();
    void ClearTrails() override;
    // One shadow cell in the row above `row` (nothing during a hard drop).
    void DrawShadow(int p, int column, int row) override;

    // --- the field ---
    // Shows field p (1 or 2) as the game state stands. When nothing it is drawn from has
    // changed since its last draw and nothing else has drawn into it, the picture already shows
    // it and is shown again as it is; else it is redrawn whole.
    void DrawField(int p) override;
    // Off: every DrawField redraws whole (to compare the two). On by default.
    void setSkipUnchangedFields(bool on) { m_skipUnchanged = on; }
    // How many field pixels DrawField has drawn so far (a field's 192 x 352 per redraw).
    uint64_t redrawnFieldPixels() const { return m_redrawnFieldPixels; }
    void DrawHeightLed(int p) override;
    // Player p's height LEDs cleared and shown.
    void ClearHeightLed(int p) override;
    // The theme's field background into field p (1..3); no refresh.
    void PaintFieldBackground(int p) override;
    void DrawGameOverPicture(int p);
    // The next field draw shows the trail again.
    void ResetTrailLastDrawTime(int p) override;
    // Field p shakes (Tremor runs, or Block Quake runs or ended less than 300 ms ago, while the
    // game is active), or its last draw was shaken: the next tick is to draw it.
    bool fieldShaking(int p) const override;
    // The warning sprite over field p's bottom strip, taken as the blend source.
    void CaptureFieldStrip(int p);
    // The theme page's preview backgrounds, into field 3 and the small internet field.
    void DrawFieldBackgroundFrame();
    void DrawInternetBackground();

    // --- next-piece and special windows ---
    void DrawNextPiece(int p) override;
    // Hands the library player p's inventory, the special at hand first, at most ten.
    void UpdateSpecialsWindow(int p) override;
    void DrawSpecialWindow(int p) override;

    // --- animations ---
    // The theme's explosion over rows row .. row + 3 of field p, frame by frame at the theme's
    // delay (at most 1000 ms); returns after the last frame.
    void AnimateLineExplosion(int p, int row);
    // The same over the top row of a four-line clear.
    void AnimateLineExplosion(int p, const ClearedRows& rows) override;
    // The theme page's tests on the preview field and the small internet field.
    void PreviewExplode();
    void StartPreviewBomb();
    void AnimateCloseDoor();
    void AnimateOpenDoor();
    void AnimateInternetCloseDoor();
    void AnimateInternetOpenDoor();

    // --- what the specials, pause and game over ask of the drawing ---
    // One frame of field p's doors (1..3): the background, then each door showing `width`
    // pixels (0..192) from its own edge, shown at once.
    void DrawDoorFrame(int p, int width) override;
    // Flash Screen: the field is given the window's picture and its drawing cleared.
    void ResetFieldPicture(int p) override;
    void ClearFieldPicture(int p) override;
    void RefreshField(int p) override;
    // The blocks' animation frame back to its still frame.
    void ResetBlockFrame() override;
    // A bomb animation of p in `slot` whose 4 x 4-cell square starts at (column, row).
    void BombCreate(int p, int column, int row, int slot) override;
    // The bomb of a slot shows its frame, or ends (the drawing library's).
    void BombFrame(int p, int slot, int frame) override;
    void BombKill(int p, int slot) override;

private:
    struct DoorSheets {
        Sheet left, leftMask, right, rightMask;
    };

    static bool isPlayer(int p) { return p == 1 || p == 2; }
    static bool isField(int p) { return p >= 1 && p <= 3; }
    const EngineState& state() const;
    ThemeRecord& theme();
    PictureBox& field(int p);
    bool drawingPaused() const { return m_context.images.rebuilding; }
    DoorSheets themeDoors() const;
    DoorSheets previewDoors() const;
    bool previewDoorsKept(const DoorSheets& doors) const;
    static void drawDoors(Surface& dc, int width, const DoorSheets& doors);
    void flashField(int p);
    FieldLook fieldLook(int p, bool withTrail);
    bool fieldShowsLook(int p, const FieldLook& look);
    void restoreFieldStrip(int p);
    bool backgroundCoversField();
    void drawFieldLook(int p, const FieldLook& look);
    bool drawFieldRows(int p, const FieldLook& look, Surface::Rows band);
    void drawBlocks(int p, Surface& dc, int smooth, int shake);
    void drawBombs(int p, Surface& dc);
    int shake(int p);
    void noteQuake(int p);
    bool quakeShaking(int p) const;

    RenderContext m_context;
    std::array<int64_t, 4> m_trailLastDrawTime{};
    std::array<int64_t, 3> m_quakeShakeUntil{}; // [p]: the after-shake of Block Quake ends
    std::array<bool, 3> m_shakenLastDraw{}; // [p]
    Surface m_warningStrip; // the captured strip the warning blends over the field
    Surface m_guideColumn;
    // [p]: the look of the last redraw of field p, the version of the canvas it left, and the
    // warning strip it captured.
    std::array<std::optional<FieldLook>, 3> m_drawnLook;
    std::array<uint64_t, 3> m_drawnCanvas{};
    std::array<Surface, 3> m_drawnStrip;
    bool m_skipUnchanged = true;
    uint64_t m_redrawnFieldPixels = 0;
};

} // namespace kalvon
