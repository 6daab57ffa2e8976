#pragma once
// What the internet client shows and asks of the main window: chat and notice runs, error
// boxes, the connect page, lobby lists and spot labels, game buttons and menu entries, pages,
// music, and the opponent boards' drawing and door animations. The main window implements it
// over its widgets; tests plug in a recording fake. Plain C++, so the client's rules run
// without widgets. What the engine's host already offers (the game timer, pausing, resuming
// and stopping the game music, the trails, the height indicator, whether this program hosts
// the server) the client asks of the host.

#include "common/bytes.h"

#include <vector>

namespace kalvon {

// The chat colours, by their [Chat Options] keys.
enum class ChatColour {
    Normal,
    Player,
    Server,
    Client,
    Other,
    Action,
    Team,
    Vote,
    Stat,
    SendMsg,
    RecvMsg,
    SpecialGood,
    SpecialBad,
    SpecialTarget,
    SpecialUser
};

// Controls and menu entries the client enables, disables or captions.
enum class ClientControl {
    ConnectButton, // captioned "Connect" / "Disconnect"
    NameBox,
    AddressBox, // host:port
    TeamBox,
    TeamButton,
    JoinGame,
    Spectate,
    StartGame, // captioned "Start Game" / "Stop Game"
    PauseGame, // captioned "Pause Game"
    RoomBrowser,
    // The room browser of outside servers: its list, join box and button, refresh button, and
    // the quick create's name and password boxes and button.
    RoomList,
    JoinRoomBox,
    JoinRoom,
    RefreshRooms,
    RoomNameBox,
    RoomPasswordBox,
    CreateRoom,
    MenuStart, // the File menu's start entry (row 0)
    MenuPause, // its pause entry (row 1)
    MenuGameMode, // its game-mode entry (row 2)
    MenuStartVote,
    MenuRoomBrowser,
    MenuSpec,
    MenuSpectate,
    MenuJoinGame, // popup entries
    MenuBanPlayer,
    MenuBanSpec,
    MenuKickPlayer,
    MenuKickSpec,
    MenuPlayerMove,
    MenuSpecMove,
    BlockRatioControls, // the occurrence-percentage window's controls
};

// The main window's pages, as CurrentScreen numbers them.
inline constexpr int kFieldScreen = 1;
inline constexpr int kChatScreen = 6;

// The chat boxes keep at most this many lines; older lines go first.
inline constexpr int kChatLineLimit = 20000;

// What the room browser shows of one room: sixteen lines of rules and seven piece percentages
// (each line ending in CR LF), and sixteen special percentages. The empty record with
// kNoRoomSelected as its first text is the state without a room.
struct RoomInfoText {
    Bytes rules;
    Bytes pieces;
    std::vector<Bytes> specials;
    bool operator==(const RoomInfoText&) const = default;
};
inline constexpr const char* kNoRoomSelected = "=== No Room Selected ===";

class ClientView {
public:
    virtual ~ClientView() = default;

    // --- chat and boxes ---
    // Appends plain text (Windows-1252, CR LF as line breaks) to both chat boxes in the chat
    // font, bold or not, in the colour of `colour`, and scrolls them to the end.
    virtual void AddChatText(BytesView text, bool bold, ChatColour colour) = 0;
    virtual void scrollChatToEnd() = 0;
    // A critical box titled "Error". It must not block: it is raised while network messages
    // are being handled.
    virtual void showError(BytesView text) = 0;

    // --- controls ---
    virtual void setEnabled(ClientControl control, bool enabled) = 0;
    virtual void setCaption(ClientControl control, BytesView caption) = 0;
    // The toolbar's connect button: idle opens the connect page, else it disconnects.
    virtual void setConnectButtonIdle(bool idle) = 0;
    // Player 1's active-level label shown or hidden (its text goes through the engine's labels).
    virtual void showActiveLevel(bool visible) = 0;
    // The caption in the title bar.
    virtual void setWindowCaption(BytesView caption) = 0;

    // --- lobby ---
    // The name above a field: 0 is the big field, 1..5 the opponent boards.
    virtual void setSpotLabel(int board, BytesView text) = 0;
    virtual void setPlayerList(const std::vector<Bytes>& lines) = 0;
    virtual void setSpectatorList(const std::vector<Bytes>& names) = 0;

    // --- rooms of outside servers ---
    // The room list emptied, a room appended, and a row selected as a click selects it (its
    // name goes into the join box).
    virtual void clearRoomList() = 0;
    virtual void addRoom(BytesView name) = 0;
    virtual void selectRoom(int row) = 0;
    // The caption of the room list's frame ("Rooms - 3").
    virtual void setRoomsCaption(BytesView caption) = 0;
    virtual void showRoomInfo(const RoomInfoText& info) = 0;
    // The room browser, room-creation and vote panels hidden, the chat box shown.
    virtual void showChatBox() = 0;
    // The room password box for `room`. It must not block; its answer (or its cancelling)
    // goes to InternetClient::answerRoomPassword. closeRoomPassword takes an open box away
    // without an answer.
    virtual void askRoomPassword(BytesView room) = 0;
    virtual void closeRoomPassword() = 0;

    // --- pages and music ---
    virtual int currentScreen() const = 0;
    virtual void ShowChatScreen() = 0;
    virtual void ShowFieldScreen() = 0;
    // The game music from the file named on the options page, and stopping whatever plays.
    virtual void PlayGameMusic() = 0;
    virtual void StopMusic() = 0;

    // --- opponent boards 1..5 (cells in the client's OpponentBoards) ---
    // The drawing copy of a board's cells is rebuilt (with its effect markers).
    virtual void UpdateInternetFieldBlocks(int board) = 0;
    virtual void DrawNetPlayerField(int board) = 0;
    virtual void DrawNetPlayerBackground(int board) = 0;
    // The board's door: closing over a board whose spot emptied, opening for a new player;
    // `setBoardInUse` opens or shuts it without animation; `finishLostFieldAnimation` ends a
    // closing door at once.
    virtual void StartLostFieldAnimation(int board) = 0;
    virtual void ResetLostFieldAnimation(int board) = 0;
    virtual void setBoardInUse(int board, bool inUse) = 0;
    virtual void finishLostFieldAnimation(int board) = 0;
    // A lost player's board is covered with random blocks; a winner's gets the winner pattern
    // and the win image (which sets the board's NetBoardWon).
    virtual void FillLostFieldRandom(int board) = 0;
    virtual void ResetNetBoard(int board) = 0;
};

} // namespace kalvon
