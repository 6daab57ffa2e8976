#include "window/chatinput.h"

#include "game/fieldkeyboard.h"
#include "net/internetclient.h"
#include "platform/qtext.h"
#include "window/pages/chatpage.h"
#include "window/pages/fieldspage.h"

#include <QTextEdit>

namespace kalvon {

ChatInput::ChatInput(ChatInputParts parts, QObject* parent)
    : QObject(parent)
    , m(parts)
    , m_commands(*this, parts.client.roster())
{
    connect(&m.page, &ChatPage::chatLineEntered, this, &ChatInput::chatLineEntered);
    connect(&m.fields, &FieldsPage::talkLineEntered, this, &ChatInput::talkLineEntered);
    connect(&m.fields, &FieldsPage::talkLineEscaped, this, &ChatInput::talkLineEscaped);
}

void ChatInput::chatLineEntered(const QString& line)
{
    m_commands.chatLineEntered(fromQString(line), m.client.Connected());
}

void ChatInput::talkLineEntered(const QString& line)
{
    if (m_commands.talkLineEntered(fromQString(line), m.client.Connected()))
        m.keyboard.closeTalkLine();
}

void ChatInput::talkLineEscaped()
{
    m.keyboard.closeTalkLine();
}

void ChatInput::SendToServer(BytesView line)
{
    m.client.SendToServer(line);
}

void ChatInput::AddChatText(BytesView text, bool bold, ChatColour colour)
{
    m.view.AddChatText(text, bold, colour);
}

void ChatInput::JoinRoomCommand(BytesView) { }

void ChatInput::showRoomList()
{
    m.page.chatBox().hide();
    m.page.roomListPanel().show();
}

} // namespace kalvon
