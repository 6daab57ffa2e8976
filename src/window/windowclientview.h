#pragma once
// What the internet client shows, on the main window's widgets: chat and notices in the chat
// box and the specials log, in the chat font and colours of [Chat Options]; the connect and chat
// pages' controls, the File menu's entries, the spot labels over the fields, the player and
// spectator lists, the page switches, the game music; and the opponents' boards (OpponentBoardView). The
// client's error boxes never block: they are handed to `showError`, which opens them and returns.

#include "net/chatbuffer.h"
#include "net/clientview.h"

#include <functional>

namespace kalvon {

class ChatPageMenus;
class GameSession;
class RoomBrowsing;
class MainWindow;
class MusicModule;
class OpponentBoardView;
struct Options;
struct Themes;

struct WindowClientViewParts {
    MainWindow& window;
    GameSession& session;
    const Options& options;
    Themes& themes;
    MusicModule& music;
    // The opponents' boards: their drawing, doors and pictures.
    OpponentBoardView& boards;
    // A critical box titled "Error" that does not wait for its answer.
    std::function<void(BytesView text)> showError;
};

class WindowClientView final : public ClientView {
public:
    explicit WindowClientView(WindowClientViewParts parts);

    // The room browser and the chat menu, made after the client: their controls and items.
    void attachRooms(RoomBrowsing& rooms, ChatPageMenus& menus);

    // ApplyChatBackColor: the chat box and the specials log take the chat's background colour.
    void ApplyChatBackColor();

    void AddChatText(BytesView text, bool bold, ChatColour colour) override;
    // Every run the chat box was given since it was last cleared, for the chat menu's save.
    const ChatBuffer& chatBuffer() const { return m_buffer; }
    // "Clear Buffer": the chat box and the buffer emptied.
    void clearChat();
    void scrollChatToEnd() override;
    void showError(BytesView text) override;

    void setEnabled(ClientControl control, bool enabled) override;
    void setCaption(ClientControl control, BytesView caption) override;
    void setConnectButtonIdle(bool idle) override;
    void showActiveLevel(bool visible) override;
    void setWindowCaption(BytesView caption) override;

    void setSpotLabel(int board, BytesView text) override;
    void setPlayerList(const std::vector<Bytes>& lines) override;
    void setSpectatorList(const std::vector<Bytes>& names) override;

    void clearRoomList() override;
    void addRoom(BytesView name) override;
    void selectRoom(int row) override;
    void setRoomsCaption(BytesView caption) override;
    void showRoomInfo(const RoomInfoText& info) override;
    void showChatBox() override;
    void askRoomPassword(BytesView room) override;
    void closeRoomPassword() override;

    int currentScreen() const override;
    void ShowChatScreen() override;
    void ShowFieldScreen() override;
    void PlayGameMusic() override;
    void StopMusic() override;

    void UpdateInternetFieldBlocks(int board) override;
    void DrawNetPlayerField(int board) override;
    void DrawNetPlayerBackground(int board) override;
    void StartLostFieldAnimation(int board) override;
    void ResetLostFieldAnimation(int board) override;
    void setBoardInUse(int board, bool inUse) override;
    void finishLostFieldAnimation(int board) override;
    void FillLostFieldRandom(int board) override;
    void ResetNetBoard(int board) override;

private:
    WindowClientViewParts m;
    ChatBuffer m_buffer;
    RoomBrowsing* m_rooms = nullptr;
    ChatPageMenus* m_menus = nullptr;
};

} // namespace kalvon
