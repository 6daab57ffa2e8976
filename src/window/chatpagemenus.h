#pragma once
// The chat page's pop-up menus. A right press on the player or spectator list (or a double
// click) opens that list's menu without changing the selection, and the items act on the line
// selected: join a free spot or watch, and the administration items (kick, ban, move), whose
// role is decided by PlayerAdministration. A right press on the chat box opens the chat menu:
// copy the selected text, the chat options, clear or save the buffer (plain or rich text by
// the name chosen), and the answers to a running vote.

#include "common/bytes.h"

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
};

} // namespace kalvon
