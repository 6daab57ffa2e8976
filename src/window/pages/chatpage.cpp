#include "window/pages/chatpage.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace kalvon {

namespace {

// The chat box's place, which the three panels take when opened.
constexpr QRect kChatRect{ 24, 60, 424, 392 };

} // namespace

ChatPage::ChatPage(QWidget& area, QObject* parent)
    : Page(area, parent)
{
    m_rtChat = makeRichText(QStringLiteral("rtChat"), kChatRect);
    makeLineEdit(QStringLiteral("txtChatSend"), QRect(24, 458, 424, 22));
    makeList(QStringLiteral("lstPlayers"), QRect(472, 60, 144, 96));
    makeButton(QStringLiteral("cmdJoinGame"), QRect(472, 160, 70, 22), QStringLiteral("Join Game"));
    makeButton(QStringLiteral("cmdSpectate"), QRect(546, 160, 70, 22), QStringLiteral("Spectate"));
    makeList(QStringLiteral("lstSpectators"), QRect(472, 218, 144, 70));
    makeLineEdit(QStringLiteral("txtTeam"), QRect(472, 324, 144, 20));
    // The team is sent once connected.
    makeButton(QStringLiteral("cmdTeam"), QRect(472, 348, 144, 22), QStringLiteral("Set Team"))
        ->setEnabled(false);
    m_cmdStartGame
        = makeButton(QStringLiteral("cmdStartGame"), QRect(472, 406, 144, 22), QStringLiteral("Start Game"));
    m_cmdPauseGame
        = makeButton(QStringLiteral("cmdPauseGame"), QRect(472, 432, 144, 22), QStringLiteral("Pause Game"));
    m_cmdPauseGame->setEnabled(false);
    makeButton(QStringLiteral("cmdRoomBrowser"), QRect(472, 458, 144, 22), QStringLiteral("Room Browser"));

    m_picChatOptions = makePanel(QStringLiteral("picChatOptions"), kChatRect);
    m_picRoomList = makePanel(QStringLiteral("picRoomList"), kChatRect);
    m_picVote = makePanel(QStringLiteral("picVote"), kChatRect);

    for (const char* name : { "rtChat", "cmdSpectate", "cmdJoinGame", "cmdStartGame", "cmdPauseGame",
             "lstSpectators", "lstPlayers", "txtTeam", "cmdTeam", "txtChatSend", "cmdRoomBrowser" })
        listed(control<QWidget>(QLatin1String(name)));
}

void ChatPage::ShowChatControls()
{
    setListedVisible(true);
}

void ChatPage::HideChatControls()
{
    setListedVisible(false);
    m_picChatOptions->hide();
    m_picRoomList->hide();
    m_picVote->hide();
}

void ChatPage::copyText(const QTextEdit& from)
{
    m_rtChat->setDocument(from.document()->clone(m_rtChat));
}

} // namespace kalvon
