#include "window/roombrowsing.h"

#include "engine/gameengine.h"
#include "net/internetclient.h"
#include "platform/qtext.h"
#include "window/chatpagemenus.h"
#include "window/pages/chatpage.h"
#include "window/roombrowserpanel.h"
#include "window/roomcreationpanel.h"
#include "window/rulevotepanel.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>

namespace kalvon {

namespace {

// A panel's contents fill its place on the chat page.
template <class Panel> Panel* fill(QWidget& place, Panel* panel)
{
    panel->setGeometry(0, 0, place.width(), place.height());
    return panel;
}

} // namespace

RoomBrowsing::RoomBrowsing(RoomBrowsingParts parts, QObject* parent)
    : QObject(parent)
    , m(parts)
{
    m_browser = fill(m.page.roomListPanel(), new RoomBrowserPanel(&m.page.roomListPanel()));
    m_creation = fill(m.page.roomCreationPanel(),
        new RoomCreationPanel(m.client.roomCreateOptions(), &m.page.roomCreationPanel()));
    m_vote = fill(m.page.votePanel(),
        new RuleVotePanel(
            [this] {
                const EngineState& state = m.engine.state();
                return gameRuleValues(state.Rules, state.InetBlockOccurancy);
            },
            &m.page.votePanel()));

    connect(&m.page.roomBrowserButton(), &QPushButton::clicked, this, [this] { openRoomBrowser(); });
    connect(m_browser, &RoomBrowserPanel::roomClicked, this,
        [this](const QString& name) { m.client.ShowRoomInfo(fromQString(name)); });
    connect(m_browser, &RoomBrowserPanel::roomDoubleClicked, this, &RoomBrowsing::lstRooms_DblClick);
    connect(m_browser, &RoomBrowserPanel::joinClicked, this, &RoomBrowsing::cmdJoinRoom_Click);
    connect(m_browser, &RoomBrowserPanel::createClicked, this, &RoomBrowsing::cmdCreateRoom_Click);
    connect(m_browser, &RoomBrowserPanel::moreOptionsClicked, this, &RoomBrowsing::cmdMoreOptions_Click);
    connect(m_browser, &RoomBrowserPanel::refreshClicked, this, [this] { m.client.RequestRoomList(); });
    connect(m_browser, &RoomBrowserPanel::closeClicked, this, &RoomBrowsing::cmdRoomX_Click);
    connect(m_creation, &RoomCreationPanel::createClicked, this, &RoomBrowsing::cmdCreateRoomOption_Click);
    connect(m_creation, &RoomCreationPanel::closeClicked, this, &RoomBrowsing::cmdCloseRoomCreate_Click);
    connect(m_vote, &RuleVotePanel::startVoteClicked, this, &RoomBrowsing::cmdStartVote_Click);
    connect(m_vote, &RuleVotePanel::cancelClicked, this, &RoomBrowsing::cmdCancelVote_Click);
}

RoomBrowsing::~RoomBrowsing()
{
    delete m_passwordBox;
}

void RoomBrowsing::setRoomBrowserAvailable(bool available)
{
    m.page.roomBrowserButton().setEnabled(available);
    m.menus.setItemEnabled(ClientControl::MenuRoomBrowser, available);
}

void RoomBrowsing::openRoomBrowser(bool fromMenu)
{
    m.page.chatBox().hide();
    m.page.roomListPanel().show();
    m.page.roomListPanel().raise();
    if (!fromMenu) {
        m.page.roomCreationPanel().hide();
        m.page.votePanel().hide();
    }
    for (ClientControl enabled :
        { ClientControl::CreateRoom, ClientControl::JoinRoom, ClientControl::JoinRoomBox,
            ClientControl::RoomNameBox, ClientControl::RoomPasswordBox, ClientControl::RoomList })
        control(enabled)->setEnabled(true);
    setRoomBrowserAvailable(false);
    for (QLineEdit* box : { &m_browser->roomNameBox(), &m_browser->passwordBox(), &m_browser->joinBox() })
        box->clear();
    m.client.RequestRoomList();
}

void RoomBrowsing::cmdRoomX_Click()
{
    m.page.roomListPanel().hide();
    m.page.chatBox().show();
    setRoomBrowserAvailable(true);
}

void RoomBrowsing::lstRooms_DblClick()
{
    const QListWidgetItem* item = m_browser->roomList().currentItem();
    if (!item || !item->isSelected()) {
        m.view.showError("You must choose a room to join!");
        return;
    }
    m_browser->joinBox().setText(item->text());
    m_browser->roomNameBox().setText(item->text());
    cmdJoinRoom_Click();
}

void RoomBrowsing::cmdJoinRoom_Click()
{
    m.client.joinRoom(fromQString(m_browser->joinBox().text()));
}

void RoomBrowsing::cmdCreateRoom_Click()
{
    m.client.createRoom(
        fromQString(m_browser->roomNameBox().text()), fromQString(m_browser->passwordBox().text()));
}

void RoomBrowsing::cmdMoreOptions_Click()
{
    m.page.roomCreationPanel().show();
    m.page.roomCreationPanel().raise();
    setRoomBrowserAvailable(true);
    m_creation->openPanel();
}

void RoomBrowsing::cmdCreateRoomOption_Click()
{
    if (!m.client.createRoomWithOptions(
            fromQString(m_creation->nameBox().text()), fromQString(m_creation->passwordBox().text())))
        return;
    for (QWidget* sent : std::initializer_list<QWidget*>{
             &m_creation->createButton(), &m_creation->nameBox(), &m_creation->passwordBox() })
        sent->setEnabled(false);
}

void RoomBrowsing::cmdCloseRoomCreate_Click()
{
    m.page.roomCreationPanel().hide();
    m.page.chatBox().show();
    setRoomBrowserAvailable(true);
}

void RoomBrowsing::openVotePanel()
{
    m.page.chatBox().hide();
    m.page.votePanel().show();
    m.page.votePanel().raise();
    m_vote->openPanel();
}

void RoomBrowsing::cmdStartVote_Click(int rule, const Bytes& value)
{
    m.page.chatBox().show();
    m.page.votePanel().hide();
    m.client.startRuleVote(rule, value);
}

void RoomBrowsing::cmdCancelVote_Click()
{
    m.page.votePanel().hide();
    m.page.chatBox().show();
}

// --- what the client shows ---

QWidget* RoomBrowsing::control(ClientControl control)
{
    switch (control) {
    case ClientControl::RoomList: return &m_browser->roomList();
    case ClientControl::JoinRoomBox: return &m_browser->joinBox();
    case ClientControl::JoinRoom: return &m_browser->joinButton();
    case ClientControl::RefreshRooms: return &m_browser->refreshButton();
    case ClientControl::RoomNameBox: return &m_browser->roomNameBox();
    case ClientControl::RoomPasswordBox: return &m_browser->passwordBox();
    case ClientControl::CreateRoom: return &m_browser->createButton();
    default: return nullptr;
    }
}

void RoomBrowsing::clearRoomList()
{
    m_browser->clearRooms();
}

void RoomBrowsing::addRoom(BytesView name)
{
    m_browser->addRoom(name);
}

void RoomBrowsing::selectRoom(int row)
{
    m_browser->selectRoom(row);
}

void RoomBrowsing::setRoomsCaption(BytesView caption)
{
    m_browser->setRoomsCaption(caption);
}

void RoomBrowsing::showRoomInfo(const RoomInfoText& info)
{
    m_browser->showRoomInfo(info);
}

void RoomBrowsing::showChatBox()
{
    m.page.roomListPanel().hide();
    m.page.roomCreationPanel().hide();
    m.page.votePanel().hide();
    m.page.chatBox().show();
}

void RoomBrowsing::askRoomPassword(BytesView room)
{
    closeRoomPassword();
    auto* box = new QInputDialog(&m.window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Enter Room Password"));
    box->setLabelText(QStringLiteral("Enter password for room '") + toQString(room) + QStringLiteral("':"));
    box->setTextValue({});
    // A server's room name is shown as it is, never read as markup.
    for (QLabel* label : box->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    connect(box, &QInputDialog::finished, this, [this, box](int result) {
        if (box != m_passwordBox)
            return;
        m_passwordBox = nullptr;
        m.client.answerRoomPassword(
            result == QDialog::Accepted ? std::optional<Bytes>(fromQString(box->textValue())) : std::nullopt);
    });
    m_passwordBox = box;
    box->open();
}

void RoomBrowsing::closeRoomPassword()
{
    QInputDialog* box = m_passwordBox;
    m_passwordBox = nullptr;
    if (box)
        box->close();
}

} // namespace kalvon
