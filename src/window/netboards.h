#pragma once
// The opponents' five boards on the fields page in internet play: each drawn from the client's
// cells (background, cells through the drawing library, the door, the win image), the door that
// closes over a board whose spot empties and opens for a new player, the random fill of a lost
// player's board and the banded picture of a winner's. Boards are 1..5; other numbers are
// ignored. Nothing is drawn while another page is shown.

#include <cstdint>
#include <functional>

namespace kalvon {

class Clock;
class DrawingLibrary;
class EngineRandom;
class GameRenderer;
struct NetDoor;
struct OpponentBoards;
struct Options;
struct Themes;
struct ThemeImages;
struct WindowPictures;

struct NetBoardsParts {
    const Options& options;
    Themes& themes;
    const ThemeImages& images;
    DrawingLibrary& library;
    WindowPictures& pictures;
    GameRenderer& renderer;
    // The game core's doors, boards 1..5 (element 0 unused).
    NetDoor* doors;
    EngineRandom& random;
    const Clock& clock;
    // The fields page is the page shown; a game is active here.
    std::function<bool()> fieldsShown;
    std::function<bool()> gameActive;
};

class NetBoards {
public:
    explicit NetBoards(NetBoardsParts parts);

    // The client's boards, whose cells are drawn and filled (the client is made later).
    void setBoards(OpponentBoards& boards) { m_boards = &boards; }

    void UpdateInternetFieldBlocks(int board);
    void DrawNetPlayerField(int board);
    void DrawNetPlayerBackground(int board);
    // The door starts closing over an open board (shut at once outside a game).
    void StartLostFieldAnimation(int board);
    // The door opens from closed.
    void ResetLostFieldAnimation(int board);
    // Open or shut without animation.
    void setBoardInUse(int board, bool inUse);
    // A closing door ends closed at once.
    void finishLostFieldAnimation(int board);
    void FillLostFieldRandom(int board);
    void ResetNetBoard(int board);

private:
    static bool isBoard(int board) { return board >= 1 && board <= 5; }
    bool doorsOn() const;
    void restartBlockFrame();

    NetBoardsParts m;
    OpponentBoards* m_boards = nullptr;
};

} // namespace kalvon
