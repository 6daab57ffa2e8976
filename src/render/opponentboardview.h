#pragma once
// The opponents' five 96 x 176 boards as the window shows them: the board drawing (door,
// background, cells, the door halves while it moves, the win image), the door procedures, the
// lost player's random fill and the winner's picture. It is what the window's client view
// forwards the client's board calls to; the game tick steps the doors (engine/boarddoors.h)
// and redraws through DrawNetPlayerField. Nothing waits here: a door moves only when the tick
// steps it.

#include "engine/boarddoors.h"
#include "render/drawinglibrary.h"
#include "render/fieldlook.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace kalvon {

class Clock;
class DrawingLibrary;
class EngineRandom;
class GameRenderer;
struct DrawOptions;
struct OpponentBoards;
struct Themes;
struct ThemeImages;
struct WindowPictures;

struct OpponentBoardParts {
    GameRenderer& renderer; // its library copy of the boards' cells
    NetDoors& doors; // the game core's, which the tick steps
    Themes& themes;
    const ThemeImages& images;
    DrawingLibrary& library;
    WindowPictures& pictures;
    const DrawOptions& options;
    const Clock& clock;
    EngineRandom& random; // the drawing's own
    std::function<bool()> fieldsPageShown; // boards are drawn only while the fields page shows
    std::function<bool()> gameActive;
};

class OpponentBoardView {
public:
    explicit OpponentBoardView(OpponentBoardParts parts);
    // The client's boards, which the renderer's internet view reads too (the client is made
    // after its view); until then cells are neither drawn nor filled.
    void setBoards(OpponentBoards& boards) { m_boards = &boards; }

    // Board n (1..5): the library's copy of its cells and markers rebuilt.
    void UpdateInternetFieldBlocks(int board);
    // Redraws a board and shows it; a closed door (with doors on) shows the door alone. A board
    // whose look (cells, frames, sheets, door, win image) has not changed since its last
    // redraw, and which nothing else has drawn into since, is shown again as it is: the redraw
    // only copies and masks sheets over the board, so drawing it again changes no pixel.
    void DrawNetPlayerField(int board);
    // Off: every DrawNetPlayerField redraws (to compare the two). On by default.
    void setSkipUnchangedBoards(bool on) { m_skipUnchanged = on; }
    // How many board pixels DrawNetPlayerField has redrawn so far (96 x 176 a redraw).
    uint64_t redrawnBoardPixels() const { return m_redrawnPixels; }
    // The board's background only, not shown.
    void DrawNetPlayerBackground(int board);

    // The board's slot emptied / was taken (the door closes / opens); open or shut at once; a
    // closing door ends closed.
    void StartLostFieldAnimation(int board);
    void ResetLostFieldAnimation(int board);
    void setBoardInUse(int board, bool inUse); // drawn at once
    void finishLostFieldAnimation(int board);

    // A lost player's board covered with random blocks, shown.
    void FillLostFieldRandom(int board);
    // A winner's board: the banded picture under the win image, shown.
    void ResetNetBoard(int board);

private:
    struct BoardLook {
        int themeType = 0;
        int backgroundFrame = 0;
        uint64_t background = 0;
        uint64_t skin = 0;
        DrawingLibrary::CellGrid cells{};
        BlockLook blocks;
        int doorRow = -1; // -1: no door halves drawn
        uint64_t door = 0;
        bool won = false;
        bool winTransparent = false;
        uint64_t winPicture = 0;
        uint64_t winMask = 0;
        friend bool operator==(const BoardLook&, const BoardLook&) = default;
    };
    BoardLook boardLook(int board, const NetDoor& boardDoor) const;
    void drawBoard(int board, const NetDoor& boardDoor);
    NetDoor* door(int board);
    void restartBlockFrames();

    OpponentBoardParts m;
    OpponentBoards* m_boards = nullptr;
    // [board]: the look of its last redraw and the version of the picture it left.
    std::array<std::optional<BoardLook>, 6> m_drawnLook;
    std::array<uint64_t, 6> m_drawnCanvas{};
    bool m_skipUnchanged = true;
    uint64_t m_redrawnPixels = 0;
};

} // namespace kalvon
