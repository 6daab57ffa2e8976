#pragma once
// The chat and room page (CurrentScreen 6): the chat box and its input line, the players and
// spectators with join and spectate, the team, the game's start and pause buttons and the room
// browser's button. Four panels take the chat box's place when their own buttons open them:
// the chat options, the room list, the room creation (in front of the room list) and the vote;
// the page never opens them by itself.

#include "common/bytes.h"
#include "window/pages/page.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace kalvon {

class ChatPage final : public Page {
    Q_OBJECT
public:
    explicit ChatPage(QWidget& area, QObject* parent = nullptr);

    // The page's controls shown; the panels stay as they are.
    void ShowChatControls();
    // The page's controls and the four panels hidden.
    void HideChatControls();
    // The chat box takes a copy of another rich text (the specials log's banner).
    void copyText(const QTextEdit& from);

    QTextEdit& chatBox() { return *m_rtChat; } // rtChat
    QLineEdit& chatLine() { return *m_txtChatSend; } // txtChatSend
    QListWidget& playerList() { return *m_lstPlayers; } // lstPlayers
    QListWidget& spectatorList() { return *m_lstSpectators; } // lstSpectators
    QPushButton& joinGameButton() { return *m_cmdJoinGame; } // cmdJoinGame
    QPushButton& spectateButton() { return *m_cmdSpectate; } // cmdSpectate
    QLineEdit& teamBox() { return *m_txtTeam; } // txtTeam
    QPushButton& teamButton() { return *m_cmdTeam; } // cmdTeam
    QPushButton& startGameButton() { return *m_cmdStartGame; } // cmdStartGame
    QPushButton& pauseGameButton() { return *m_cmdPauseGame; } // cmdPauseGame
    QPushButton& roomBrowserButton() { return *m_cmdRoomBrowser; } // cmdRoomBrowser
    // The panels at the chat box's place, empty until their contents are put in them.
    QWidget& chatOptionsPanel() { return *m_picChatOptions; } // picChatOptions
    QWidget& roomListPanel() { return *m_picRoomList; } // picRoomList
    QWidget& votePanel() { return *m_picVote; } // picVote
    QWidget& roomCreationPanel() { return *m_picMakeRoom; } // picMakeRoom

signals:
    void startGameClicked();
    void pauseGameClicked();
    void joinGameClicked();
    void spectateClicked();
    // cmdTeam, or Enter in the team box while the button is enabled.
    void teamClicked();
    // Enter in the chat line: its text, after which the line is emptied.
    void chatLineEntered(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextEdit* m_rtChat = nullptr;
    QLineEdit* m_txtChatSend = nullptr;
    QListWidget* m_lstPlayers = nullptr;
    QListWidget* m_lstSpectators = nullptr;
    QPushButton* m_cmdJoinGame = nullptr;
    QPushButton* m_cmdSpectate = nullptr;
    QLineEdit* m_txtTeam = nullptr;
    QPushButton* m_cmdTeam = nullptr;
    QPushButton* m_cmdStartGame = nullptr;
    QPushButton* m_cmdPauseGame = nullptr;
    QPushButton* m_cmdRoomBrowser = nullptr;
    QWidget* m_picChatOptions = nullptr;
    QWidget* m_picRoomList = nullptr;
    QWidget* m_picVote = nullptr;
    QWidget* m_picMakeRoom = nullptr;
};

} // namespace kalvon
