#include "window/windowclientview.h"

#include "common/music/gamemusic.h"
#include "engine/store/options.h"
#include "game/gamesession.h"
#include "platform/qtext.h"
#include "platform/surface.h"
#include "render/opponentboardview.h"
#include "render/themerecord.h"
#include "window/chatpagemenus.h"
#include "window/mainwindow.h"
#include "window/pages/chatpage.h"
#include "window/pages/connectpage.h"
#include "window/pages/fieldspage.h"
#include "window/roombrowsing.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

namespace kalvon {

namespace {

int32_t colourOf(const ChatOptions& chat, ChatColour colour)
{
    switch (colour) {
    case ChatColour::Normal: return chat.normal;
    case ChatColour::Player: return chat.player;
    case ChatColour::Server: return chat.server;
    case ChatColour::Client: return chat.client;
    case ChatColour::Other: return chat.other;
    case ChatColour::Action: return chat.action;
    case ChatColour::Team: return chat.team;
    case ChatColour::Vote: return chat.vote;
    case ChatColour::Stat: return chat.stat;
    case ChatColour::SendMsg: return chat.sendmsg;
    case ChatColour::RecvMsg: return chat.recvmsg;
    case ChatColour::SpecialGood: return chat.specialgood;
    case ChatColour::SpecialBad: return chat.specialbad;
    case ChatColour::SpecialTarget: return chat.specialtarget;
    case ChatColour::SpecialUser: break;
    }
    return chat.specialuser;
}

// CR LF, a lone CR and a lone LF each break the line.
QString chatText(BytesView text)
{
    QString result = toQString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

void appendRun(QTextEdit& box, const QString& text, const QTextCharFormat& format)
{
    QTextCursor cursor(box.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, format);
}

void scrollToEnd(QTextEdit& box)
{
    QScrollBar* bar = box.verticalScrollBar();
    bar->setValue(bar->maximum());
}

void setList(QListWidget& list, const std::vector<Bytes>& lines)
{
    list.clear();
    for (const Bytes& line : lines)
        list.addItem(toQString(line));
}

} // namespace

WindowClientView::WindowClientView(WindowClientViewParts parts)
    : m(std::move(parts))
{
}

// --- chat and boxes ---

void WindowClientView::ApplyChatBackColor()
{
    const QColor back = QColor::fromRgb(rgbFromColorRef(static_cast<uint32_t>(m.options.chat.bg)));
    for (QTextEdit* box : { &m.window.fieldsPage().specialsLog(), &m.window.chatPage().chatBox() }) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, back);
        box->setPalette(palette);
    }
}

void WindowClientView::AddChatText(BytesView text, bool bold, ChatColour colour)
{
    const ChatOptions& chat = m.options.chat;
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontFamilies({ toQString(chat.font) });
    const int32_t colorRef = colourOf(chat, colour);
    format.setForeground(QColor::fromRgb(rgbFromColorRef(static_cast<uint32_t>(colorRef))));
    m_buffer.append(text, bold, colorRef);
    const QString run = chatText(text);
    for (QTextEdit* box : { &m.window.fieldsPage().specialsLog(), &m.window.chatPage().chatBox() })
        appendRun(*box, run, format);
    scrollChatToEnd();
}

void WindowClientView::clearChat()
{
    m.window.chatPage().chatBox().clear();
    m_buffer.clear();
}

void WindowClientView::scrollChatToEnd()
{
    scrollToEnd(m.window.fieldsPage().specialsLog());
    scrollToEnd(m.window.chatPage().chatBox());
}

void WindowClientView::showError(BytesView text)
{
    if (m.showError)
        m.showError(text);
}

// --- controls ---

void WindowClientView::setEnabled(ClientControl control, bool enabled)
{
    ChatPage& chat = m.window.chatPage();
    ConnectPage& connect = m.window.connectPage();
    QWidget* widget = nullptr;
    switch (control) {
    case ClientControl::ConnectButton: widget = &connect.connectButton(); break;
    case ClientControl::NameBox: widget = &connect.nameBox(); break;
    case ClientControl::AddressBox: widget = &connect.addressBox(); break;
    case ClientControl::TeamBox: widget = &chat.teamBox(); break;
    case ClientControl::TeamButton: widget = &chat.teamButton(); break;
    case ClientControl::JoinGame: widget = &chat.joinGameButton(); break;
    case ClientControl::Spectate: widget = &chat.spectateButton(); break;
    case ClientControl::StartGame: widget = &chat.startGameButton(); break;
    case ClientControl::PauseGame: widget = &chat.pauseGameButton(); break;
    case ClientControl::RoomBrowser: widget = &chat.roomBrowserButton(); break;
    case ClientControl::MenuStart: m.session.setFileItemEnabled(FileItem::StartStop, enabled); return;
    case ClientControl::MenuPause: m.session.setFileItemEnabled(FileItem::PauseResume, enabled); return;
    case ClientControl::MenuGameMode: m.session.setFileItemEnabled(FileItem::GameMode, enabled); return;
    case ClientControl::BlockRatioControls: m.window.setBlockRatioFramesEnabled(enabled); return;
    case ClientControl::MenuRoomBrowser:
    case ClientControl::MenuStartVote:
        if (m_menus)
            m_menus->setItemEnabled(control, enabled);
        return;
    default:
        // The room browser's controls; the administration items are offered to everyone.
        widget = m_rooms ? m_rooms->control(control) : nullptr;
        if (!widget)
            return;
    }
    widget->setEnabled(enabled);
}

void WindowClientView::attachRooms(RoomBrowsing& rooms, ChatPageMenus& menus)
{
    m_rooms = &rooms;
    m_menus = &menus;
}

void WindowClientView::setCaption(ClientControl control, BytesView caption)
{
    QPushButton* button = nullptr;
    switch (control) {
    case ClientControl::ConnectButton: button = &m.window.connectPage().connectButton(); break;
    case ClientControl::StartGame: button = &m.window.chatPage().startGameButton(); break;
    case ClientControl::PauseGame: button = &m.window.chatPage().pauseGameButton(); break;
    default: return;
    }
    button->setText(toQString(caption));
}

void WindowClientView::setConnectButtonIdle(bool idle)
{
    m.window.setOffline(idle);
    m.window.PaintToolbarButtons();
}

void WindowClientView::showActiveLevel(bool visible)
{
    m.window.fieldsPage().label(LabelId::ActiveLevel, 1).setVisible(visible);
}

void WindowClientView::setWindowCaption(BytesView caption)
{
    m.window.setCaption(caption);
}

// --- rooms ---

void WindowClientView::clearRoomList()
{
    if (m_rooms)
        m_rooms->clearRoomList();
}

void WindowClientView::addRoom(BytesView name)
{
    if (m_rooms)
        m_rooms->addRoom(name);
}

void WindowClientView::selectRoom(int row)
{
    if (m_rooms)
        m_rooms->selectRoom(row);
}

void WindowClientView::setRoomsCaption(BytesView caption)
{
    if (m_rooms)
        m_rooms->setRoomsCaption(caption);
}

void WindowClientView::showRoomInfo(const RoomInfoText& info)
{
    if (m_rooms)
        m_rooms->showRoomInfo(info);
}

void WindowClientView::showChatBox()
{
    if (m_rooms)
        m_rooms->showChatBox();
}

void WindowClientView::askRoomPassword(BytesView room)
{
    if (m_rooms)
        m_rooms->askRoomPassword(room);
}

void WindowClientView::closeRoomPassword()
{
    if (m_rooms)
        m_rooms->closeRoomPassword();
}

// --- lobby ---

void WindowClientView::setSpotLabel(int board, BytesView text)
{
    FieldsPage& fields = m.window.fieldsPage();
    if (board == 0)
        fields.nameLabel(1).setText(toQString(text));
    else if (board >= 1 && board <= 5)
        fields.internetName(board).setText(toQString(text));
}

void WindowClientView::setPlayerList(const std::vector<Bytes>& lines)
{
    setList(m.window.chatPage().playerList(), lines);
}

void WindowClientView::setSpectatorList(const std::vector<Bytes>& names)
{
    setList(m.window.chatPage().spectatorList(), names);
}

// --- pages and music ---

int WindowClientView::currentScreen() const
{
    return static_cast<int>(m.window.CurrentScreen());
}

void WindowClientView::ShowChatScreen()
{
    m.window.ShowChatScreen();
}

void WindowClientView::ShowFieldScreen()
{
    m.window.ShowFieldScreen();
}

void WindowClientView::PlayGameMusic()
{
    // The music box's text goes in as a copy: the theme's music only stands in for it here.
    Bytes music = m.options.sound.lastMusic;
    kalvon::PlayGameMusic(m.music, MusicOptions{ m.options.sound.playMusic, m.options.sound.useThemeMusic },
        m.themes.ThemeMusic, music);
}

void WindowClientView::StopMusic()
{
    kalvon::StopGameMusic(m.music);
}

// --- opponent boards ---

void WindowClientView::UpdateInternetFieldBlocks(int board)
{
    m.boards.UpdateInternetFieldBlocks(board);
}

void WindowClientView::DrawNetPlayerField(int board)
{
    m.boards.DrawNetPlayerField(board);
}

void WindowClientView::DrawNetPlayerBackground(int board)
{
    m.boards.DrawNetPlayerBackground(board);
}

void WindowClientView::StartLostFieldAnimation(int board)
{
    m.boards.StartLostFieldAnimation(board);
}

void WindowClientView::ResetLostFieldAnimation(int board)
{
    m.boards.ResetLostFieldAnimation(board);
}

void WindowClientView::setBoardInUse(int board, bool inUse)
{
    m.boards.setBoardInUse(board, inUse);
}

void WindowClientView::finishLostFieldAnimation(int board)
{
    m.boards.finishLostFieldAnimation(board);
}

void WindowClientView::FillLostFieldRandom(int board)
{
    m.boards.FillLostFieldRandom(board);
}

void WindowClientView::ResetNetBoard(int board)
{
    m.boards.ResetNetBoard(board);
}

} // namespace kalvon
