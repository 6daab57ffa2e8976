#pragma once
// The chat and room page (CurrentScreen 6): the chat box and its input line, the players and
// spectators with join and spectate, the team, the game's start and pause buttons and the room
// browser's button. Three panels take the chat box's place when their own buttons open them:
// the chat options, the room list and the vote; the page never opens them by itself.

#include "common/bytes.h"
#include "window/pages/page.h"

class QPushButton;
class QTextEdit;

namespace kalvon {

class ChatPage final : public Page {
    Q_OBJECT
public:
    explicit ChatPage(QWidget& area, QObject* parent = nullptr);

    // The page's controls shown; the panels stay as they are.
    void ShowChatControls();
    // The page's controls and the three panels hidden.
    void HideChatControls();
    // The chat box takes a copy of another rich text (the specials log's banner).
    void copyText(const QTextEdit& from);

    QTextEdit& chatBox() { return *m_rtChat; } // rtChat
    QPushButton& startGameButton() { return *m_cmdStartGame; } // cmdStartGame
    QPushButton& pauseGameButton() { return *m_cmdPauseGame; } // cmdPauseGame
    // The panels at the chat box's place, empty until their contents are put in them.
    QWidget& chatOptionsPanel() { return *m_picChatOptions; } // picChatOptions
    QWidget& roomListPanel() { return *m_picRoomList; } // picRoomList
    QWidget& votePanel() { return *m_picVote; } // picVote

private:
    QTextEdit* m_rtChat = nullptr;
    QPushButton* m_cmdStartGame = nullptr;
    QPushButton* m_cmdPauseGame = nullptr;
    QWidget* m_picChatOptions = nullptr;
    QWidget* m_picRoomList = nullptr;
    QWidget* m_picVote = nullptr;
};

} // namespace kalvon
