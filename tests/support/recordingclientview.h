#pragma once
// A ClientView that records what the internet client shows: the chat runs, error boxes, the
// state of every control, labels and lists, the page, and each call on music and the
// opponent boards in order.

#include "net/clientview.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kalvon::testing {

struct ChatRun {
    Bytes text;
    bool bold = false;
    ChatColour colour = ChatColour::Normal;
    friend bool operator==(const ChatRun&, const ChatRun&) = default;
};

class RecordingClientView final : public ClientView {
public:
    std::vector<ChatRun> chat;
    std::vector<Bytes> errors;
    std::map<ClientControl, bool> enabled;
    std::map<ClientControl, Bytes> captions;
    std::map<int, Bytes> spotLabels; // 0 the big field, 1..5 the boards
    std::vector<Bytes> playerList;
    std::vector<Bytes> spectatorList;
    Bytes windowCaption;
    bool connectButtonIdle = true;
    // The room browser: the list, its frame's caption, the selected row and the room shown.
    std::vector<Bytes> rooms;
    Bytes roomsCaption;
    int selectedRoom = -1;
    RoomInfoText roomInfo;
    bool activeLevelShown = true;
    int screen = kFieldScreen;
    // Boxes, the toolbar button, music, page and board calls in order: "showError <text>",
    // "connectButtonIdle on", "PlayGameMusic", "ShowChatScreen", "DrawNetPlayerField 2", ...
    std::vector<std::string> calls;

    // Every chat run's text joined, and split into entries at each CR LF.
    Bytes chatText() const;
    std::vector<Bytes> chatLines() const;
    // Whether a control was enabled last; `fallback` when it was never set.
    bool isEnabled(ClientControl control, bool fallback = false) const;
    Bytes caption(ClientControl control) const;
    int count(std::string_view call) const;
    void clear();

    void AddChatText(BytesView text, bool bold, ChatColour colour) override;
    void scrollChatToEnd() override { calls.push_back("scrollChatToEnd"); }
    void showError(BytesView text) override;
    void setEnabled(ClientControl control, bool on) override { enabled[control] = on; }
    void setCaption(ClientControl control, BytesView text) override { captions[control] = Bytes(text); }
    void setConnectButtonIdle(bool idle) override;
    void showActiveLevel(bool visible) override { activeLevelShown = visible; }
    void setWindowCaption(BytesView text) override { windowCaption = Bytes(text); }
    void setSpotLabel(int board, BytesView text) override { spotLabels[board] = Bytes(text); }
    void setPlayerList(const std::vector<Bytes>& lines) override { playerList = lines; }
    void setSpectatorList(const std::vector<Bytes>& names) override { spectatorList = names; }
    void clearRoomList() override;
    void addRoom(BytesView name) override { rooms.emplace_back(name); }
    void selectRoom(int row) override { selectedRoom = row; }
    void setRoomsCaption(BytesView text) override { roomsCaption = Bytes(text); }
    void showRoomInfo(const RoomInfoText& info) override { roomInfo = info; }
    void showChatBox() override { calls.push_back("showChatBox"); }
    void askRoomPassword(BytesView room) override { calls.push_back("askRoomPassword " + Bytes(room)); }
    void closeRoomPassword() override { calls.push_back("closeRoomPassword"); }
    int currentScreen() const override { return screen; }
    void ShowChatScreen() override;
    void ShowFieldScreen() override;
    void PlayGameMusic() override { calls.push_back("PlayGameMusic"); }
    void StopMusic() override { calls.push_back("StopMusic"); }
    void UpdateInternetFieldBlocks(int board) override { record("UpdateInternetFieldBlocks", board); }
    void DrawNetPlayerField(int board) override { record("DrawNetPlayerField", board); }
    void DrawNetPlayerBackground(int board) override { record("DrawNetPlayerBackground", board); }
    void StartLostFieldAnimation(int board) override { record("StartLostFieldAnimation", board); }
    void ResetLostFieldAnimation(int board) override { record("ResetLostFieldAnimation", board); }
    void setBoardInUse(int board, bool inUse) override;
    void finishLostFieldAnimation(int board) override { record("finishLostFieldAnimation", board); }
    void FillLostFieldRandom(int board) override { record("FillLostFieldRandom", board); }
    void ResetNetBoard(int board) override { record("ResetNetBoard", board); }

private:
    void record(const char* name, int board)
    {
        calls.push_back(std::string(name) + " " + std::to_string(board));
    }
};

} // namespace kalvon::testing
