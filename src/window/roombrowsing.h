#pragma once
// The rooms of outside servers on the chat page: the room browser, the room-creation panel and
// the rule-vote panel in the chat box's place, their buttons driving the internet client, the
// chat menu's "Room Browser" and "Start Vote", and what the client shows of rooms (the room
// list and information, the chat box coming back, the room password box). The password box
// never blocks: it is opened and answered later, and the client keeps it to one at a time.

#include "common/bytes.h"
#include "net/clientview.h"

#include <QInputDialog>
#include <QObject>
#include <QPointer>

namespace kalvon {

class ChatPage;
class ChatPageMenus;
class GameEngine;
class InternetClient;
class RoomBrowserPanel;
class RoomCreationPanel;
class RuleVotePanel;

struct RoomBrowsingParts {
    ChatPage& page;
    InternetClient& client;
    ChatPageMenus& menus;
    // The client's error boxes, which never block.
    ClientView& view;
    // The rules of the current game, shown by the vote panel.
    const GameEngine& engine;
    // The password box's parent.
    QWidget& window;
};

class RoomBrowsing final : public QObject {
    Q_OBJECT
public:
    explicit RoomBrowsing(RoomBrowsingParts parts, QObject* parent = nullptr);
    ~RoomBrowsing() override;

    RoomBrowserPanel& browser() { return *m_browser; }
    RoomCreationPanel& creation() { return *m_creation; }
    RuleVotePanel& vote() { return *m_vote; }
    // The room password box while it is open.
    QInputDialog* passwordBox() const { return m_passwordBox; }

    // cmdRoomBrowser, "/rooms" and (`fromMenu`) the chat menu's "Room Browser": the browser in
    // the chat box's place, its boxes emptied, the room list asked for. The menu leaves the
    // room-creation and vote panels as they are.
    void openRoomBrowser(bool fromMenu = false);
    void cmdRoomX_Click();
    void lstRooms_DblClick();
    void cmdJoinRoom_Click();
    void cmdCreateRoom_Click();
    void cmdMoreOptions_Click();
    void cmdCreateRoomOption_Click();
    void cmdCloseRoomCreate_Click();
    // The chat menu's "Start Vote": the vote panel in the chat box's place, the first rule shown.
    void openVotePanel();
    void cmdStartVote_Click(int rule, const Bytes& value);
    void cmdCancelVote_Click();

    // --- what the client shows of rooms ---
    // The room browser's control for an entry of ClientControl; null for any other.
    QWidget* control(ClientControl control);
    void clearRoomList();
    void addRoom(BytesView name);
    void selectRoom(int row);
    void setRoomsCaption(BytesView caption);
    void showRoomInfo(const RoomInfoText& info);
    void showChatBox();
    void askRoomPassword(BytesView room);
    void closeRoomPassword();

private:
    void setRoomBrowserAvailable(bool available);

    RoomBrowsingParts m;
    RoomBrowserPanel* m_browser = nullptr;
    RoomCreationPanel* m_creation = nullptr;
    RuleVotePanel* m_vote = nullptr;
    QPointer<QInputDialog> m_passwordBox;
};

} // namespace kalvon
