#include "window/chatpagemenus.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "engine/store/options.h"
#include "net/chatbuffer.h"
#include "net/internetclient.h"
#include "net/playeradministration.h"
#include "platform/qtext.h"
#include "window/pages/chatpage.h"
#include "window/windowclientview.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace kalvon {

namespace {

constexpr const char* kSaveFilter = "Text File (*.txt)|*.txt|Rich Text File (*.rtf)|*.rtf|";

QString slotCaption(int slot)
{
    return QStringLiteral("Player #%1").arg(slot);
}

} // namespace

ChatPageMenus::ChatPageMenus(ChatPageMenusParts parts, QObject* parent)
    : QObject(parent)
    , m(std::move(parts))
    , m_playerMenu(new QMenu(QStringLiteral("PlayerList")))
    , m_spectatorMenu(new QMenu(QStringLiteral("SpectatorList")))
    , m_chatMenu(new QMenu(QStringLiteral("ChatList")))
{
    PlayerAdministration& admin = m.administration;

    m_joinGame = m_playerMenu->addAction(
        QStringLiteral("Join Game"), this, [this] { m.client.takeSpot(selectedRow() + 1); });
    m_playerMenu->addAction(
        QStringLiteral("Kick Player"), this, [this, &admin] { admin.kickPlayer(selectedRow()); });
    m_playerMenu->addAction(
        QStringLiteral("Ban Player"), this, [this, &admin] { admin.banPlayer(selectedRow()); });
    m_playerMove = m_playerMenu->addMenu(QStringLiteral("Move Player"));
    for (int slot = 1; slot <= 6; ++slot)
        m_playerMove->addAction(
            slotCaption(slot), this, [this, &admin, slot] { admin.movePlayer(selectedRow(), slot); });
    m_playerMove->addAction(
        QStringLiteral("Spectator"), this, [this, &admin] { admin.movePlayer(selectedRow(), 0); });
    // The player's own spot is the one place it cannot move to.
    connect(m_playerMove, &QMenu::aboutToShow, this, [this, &admin] {
        const std::array<bool, 7> targets = admin.moveTargets(selectedRow());
        const QList<QAction*> items = m_playerMove->actions();
        for (int slot = 1; slot <= 6; ++slot)
            items[slot - 1]->setEnabled(targets[size_t(slot)]);
    });

    m_spectatorMenu->addAction(QStringLiteral("Spectate"), this, [this] { m.client.spectate(); });
    m_spectatorMenu->addAction(
        QStringLiteral("Kick Spectator"), this, [this, &admin] { admin.kickSpectator(selectedSpectator()); });
    m_spectatorMenu->addAction(
        QStringLiteral("Ban Spectator"), this, [this, &admin] { admin.banSpectator(selectedSpectator()); });
    QMenu* spectatorMove = m_spectatorMenu->addMenu(QStringLiteral("Move Spectator"));
    for (int slot = 1; slot <= 6; ++slot)
        spectatorMove->addAction(slotCaption(slot), this,
            [this, &admin, slot] { admin.moveSpectator(selectedSpectator(), slot); });

    m_chatMenu->addAction(QStringLiteral("&Copy"), this, [this] {
        const QString selected = m.page.chatBox().textCursor().selection().toPlainText();
        if (!selected.isEmpty())
            QApplication::clipboard()->setText(selected);
    });
    m_chatMenu->addAction(QStringLiteral("Chat Options"), this, [this] {
        if (m.openChatOptions)
            m.openChatOptions();
    });
    m_chatMenu->addAction(QStringLiteral("Clear Buffer"), this, [this] { m.view.clearChat(); });
    m_chatMenu->addAction(QStringLiteral("Save Buffer"), this, &ChatPageMenus::saveBuffer);
    m_roomBrowser = m_chatMenu->addAction(QStringLiteral("Room Browser"), this, [this] {
        if (m.openRoomBrowser)
            m.openRoomBrowser();
    });
    m_startVote = m_chatMenu->addAction(QStringLiteral("Start Vote"), this, [this] {
        if (m.openVotePanel)
            m.openVotePanel();
    });
    // Both wait for a server: the room browser for its welcome, the vote for a room.
    m_roomBrowser->setEnabled(false);
    m_startVote->setEnabled(false);
    m_chatMenu->addSeparator();
    m_voteYes
        = m_chatMenu->addAction(QStringLiteral("Vote Yes"), this, [this] { m.client.answerVote(true); });
    m_voteNo = m_chatMenu->addAction(QStringLiteral("Vote No"), this, [this] { m.client.answerVote(false); });

    for (QWidget* widget :
        std::initializer_list<QWidget*>{ &m.page.playerList(), &m.page.spectatorList(), &m.page.chatBox() }) {
        // The right press opens our menu; the widgets' own menus stay shut.
        widget->setContextMenuPolicy(Qt::NoContextMenu);
        static_cast<QAbstractScrollArea*>(widget)->viewport()->installEventFilter(this);
    }
}

ChatPageMenus::~ChatPageMenus()
{
    delete m_playerMenu;
    delete m_spectatorMenu;
    delete m_chatMenu;
}

int ChatPageMenus::selectedRow() const
{
    const QListWidget& list = m.page.playerList();
    const QListWidgetItem* item = list.currentItem();
    return item && item->isSelected() ? list.row(item) : -1;
}

Bytes ChatPageMenus::selectedSpectator() const
{
    const QListWidgetItem* item = m.page.spectatorList().currentItem();
    return item && item->isSelected() ? fromQString(item->text()) : Bytes();
}

bool ChatPageMenus::openPlayerMenu(const QPoint& globalPos)
{
    const int row = selectedRow();
    if (row < 0)
        return false;
    m_joinGame->setEnabled(m.administration.joinGameAvailable(row, m.client.Connected()));
    m_playerMenu->popup(globalPos);
    return true;
}

void ChatPageMenus::openSpectatorMenu(const QPoint& globalPos)
{
    m_spectatorMenu->popup(globalPos);
}

void ChatPageMenus::openChatMenu(const QPoint& globalPos)
{
    m_voteYes->setEnabled(m.client.Connected());
    m_voteNo->setEnabled(m.client.Connected());
    m_chatMenu->popup(globalPos);
}

void ChatPageMenus::saveBuffer()
{
    const std::optional<Bytes> name = m.dialogs.saveFile({ "Save Buffer", kSaveFilter, {}, {} });
    if (!name || name->empty())
        return;
    const std::optional<std::filesystem::path> file = paths::resolve(*name, paths::programDir());
    // A file that cannot be written leaves the one that was there; the menu says nothing.
    if (file)
        (void)saveChatBuffer(*file, *name, m.view.chatBuffer(), m.chat.font);
}

void ChatPageMenus::setItemEnabled(ClientControl control, bool enabled)
{
    if (control == ClientControl::MenuRoomBrowser)
        m_roomBrowser->setEnabled(enabled);
    else if (control == ClientControl::MenuStartVote)
        m_startVote->setEnabled(enabled);
}

bool ChatPageMenus::eventFilter(QObject* watched, QEvent* event)
{
    const bool rightPress = event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if (!rightPress && !doubleClick)
        return QObject::eventFilter(watched, event);
    const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    if (watched == m.page.playerList().viewport())
        openPlayerMenu(at);
    else if (watched == m.page.spectatorList().viewport())
        openSpectatorMenu(at);
    else if (rightPress && watched == m.page.chatBox().viewport())
        openChatMenu(at);
    else
        return QObject::eventFilter(watched, event);
    // A right press opens the menu and nothing else: the selection stays.
    return rightPress;
}

} // namespace kalvon
