#include "window/pages/chatpage.h"

#include "net/clientview.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace kalvon {

namespace {

// The chat box's place, which the four panels take when opened.
constexpr QRect kChatRect{ 24, 60, 424, 392 };

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ChatPage::ChatPage(QWidget& area, QObject* parent)
    : Page(area, parent)
{
    m_rtChat = makeRichText(QStringLiteral("rtChat"), kChatRect);
    m_rtChat->document()->setMaximumBlockCount(kChatLineLimit);
    m_txtChatSend = makeLineEdit(QStringLiteral("txtChatSend"), QRect(24, 458, 424, 22));
    m_lstPlayers = makeList(QStringLiteral("lstPlayers"), QRect(472, 60, 144, 96));
    m_cmdJoinGame
        = makeButton(QStringLiteral("cmdJoinGame"), QRect(472, 160, 70, 22), QStringLiteral("Join Game"));
    m_cmdSpectate
        = makeButton(QStringLiteral("cmdSpectate"), QRect(546, 160, 70, 22), QStringLiteral("Spectate"));
    m_lstSpectators = makeList(QStringLiteral("lstSpectators"), QRect(472, 218, 144, 70));
    m_txtTeam = makeLineEdit(QStringLiteral("txtTeam"), QRect(472, 324, 144, 20));
    m_cmdTeam = makeButton(QStringLiteral("cmdTeam"), QRect(472, 348, 144, 22), QStringLiteral("Set Team"));
    m_cmdStartGame
        = makeButton(QStringLiteral("cmdStartGame"), QRect(472, 406, 144, 22), QStringLiteral("Start Game"));
    m_cmdPauseGame
        = makeButton(QStringLiteral("cmdPauseGame"), QRect(472, 432, 144, 22), QStringLiteral("Pause Game"));
    m_cmdRoomBrowser = makeButton(
        QStringLiteral("cmdRoomBrowser"), QRect(472, 458, 144, 22), QStringLiteral("Room Browser"));
    // Until a server welcomes this client, nobody may join, watch, set a team or start a game;
    // the rooms are an outside server's.
    for (QPushButton* button :
        { m_cmdJoinGame, m_cmdSpectate, m_cmdTeam, m_cmdStartGame, m_cmdPauseGame, m_cmdRoomBrowser })
        button->setEnabled(false);

    connect(m_cmdStartGame, &QPushButton::clicked, this, &ChatPage::startGameClicked);
    connect(m_cmdPauseGame, &QPushButton::clicked, this, &ChatPage::pauseGameClicked);
    connect(m_cmdJoinGame, &QPushButton::clicked, this, &ChatPage::joinGameClicked);
    connect(m_cmdSpectate, &QPushButton::clicked, this, &ChatPage::spectateClicked);
    connect(m_cmdTeam, &QPushButton::clicked, this, &ChatPage::teamClicked);
    m_txtTeam->installEventFilter(this);
    m_txtChatSend->installEventFilter(this);

    m_picChatOptions = makePanel(QStringLiteral("picChatOptions"), kChatRect);
    m_picRoomList = makePanel(QStringLiteral("picRoomList"), kChatRect);
    m_picVote = makePanel(QStringLiteral("picVote"), kChatRect);
    m_picMakeRoom = makePanel(QStringLiteral("picMakeRoom"), kChatRect);

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
    m_picMakeRoom->hide();
}

void ChatPage::copyText(const QTextEdit& from)
{
    m_rtChat->setDocument(from.document()->clone(m_rtChat));
    m_rtChat->document()->setMaximumBlockCount(kChatLineLimit);
}

bool ChatPage::eventFilter(QObject* watched, QEvent* event)
{
    if (!isEnter(event))
        return Page::eventFilter(watched, event);
    // Enter is swallowed in both boxes.
    if (watched == m_txtTeam) {
        if (m_cmdTeam->isEnabled())
            emit teamClicked();
    } else if (watched == m_txtChatSend) {
        const QString line = m_txtChatSend->text();
        m_txtChatSend->clear();
        if (!line.isEmpty())
            emit chatLineEntered(line);
    }
    return true;
}

} // namespace kalvon
