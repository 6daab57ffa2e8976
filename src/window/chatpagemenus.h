#pragma once
// The chat page's pop-up menus. A right press on the player or spectator list (or a double
// click) opens that list's menu without changing the selection, and the items act on the line
// selected: join a free spot or watch, and the administration items (kick, ban, move), whose
// role is decided by PlayerAdministration. A right press on the chat box opens the chat menu:
// copy the selected text, the chat options, clear or save the buffer (plain or rich text by
// the name chosen), the answers to a running vote, the room browser and the rule-vote panel
// (available inside a room of an outside server only).

#include "common/bytes.h"
#include "net/clientview.h"

#include <QObject>
#include <functional>

class QAction;
class QListWidget;
class QMenu;
class QPoint;

namespace kalvon {

class ChatPage;
class Dialogs;
class InternetClient;
class PlayerAdministration;
class WindowClientView;
struct ChatOptions;

struct ChatPageMenusParts {
    ChatPage& page;
    InternetClient& client;
    PlayerAdministration& administration;
    // The chat box's buffer and its clearing.
    WindowClientView& view;
    Dialogs& dialogs;
    // The chat font the rich text is written in.
    const ChatOptions& chat;
    // "Chat Options": the options panel in the chat box's place.
    std::function<void()> openChatOptions;
    // "Room Browser" and "Start Vote": the room browser and the rule-vote panel opened.
    std::function<void()> openRoomBrowser;
    std::function<void()> openVotePanel;
};

class ChatPageMenus final : public QObject {
    Q_OBJECT
public:
    explicit ChatPageMenus(ChatPageMenusParts parts, QObject* parent = nullptr);
    ~ChatPageMenus() override;

    // The menus as they pop up; a menu's items are made available as it opens.
    QMenu& playerMenu() { return *m_playerMenu; }
    QMenu& spectatorMenu() { return *m_spectatorMenu; }
    QMenu& chatMenu() { return *m_chatMenu; }
    // The items set for the current selection and the menu popped up at `globalPos`; the
    // player menu needs a selected line (false without one).
    bool openPlayerMenu(const QPoint& globalPos);
    void openSpectatorMenu(const QPoint& globalPos);
    void openChatMenu(const QPoint& globalPos);

    void saveBuffer();
    // The availability of "Room Browser" (MenuRoomBrowser) and "Start Vote" (MenuStartVote); no
    // other control is the chat menu's.
    void setItemEnabled(ClientControl control, bool enabled);
    QAction& roomBrowserItem() { return *m_roomBrowser; }
    QAction& startVoteItem() { return *m_startVote; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selectedRow() const;
    Bytes selectedSpectator() const;

    ChatPageMenusParts m;
    QMenu* m_playerMenu = nullptr;
    QMenu* m_spectatorMenu = nullptr;
    QMenu* m_chatMenu = nullptr;
    QAction* m_joinGame = nullptr;
    QMenu* m_playerMove = nullptr;
    QAction* m_voteYes = nullptr;
    QAction* m_voteNo = nullptr;
    QAction* m_roomBrowser = nullptr;
    QAction* m_startVote = nullptr;
};

} // namespace kalvon
