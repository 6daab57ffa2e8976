#pragma once
// The chat page's input line and the talk line over the field in use: Enter sends the line
// through the chat commands, which reach the server through the internet client and print their
// notices in the chat box; the "/rooms" command puts the room list panel in the chat box's place.
// The talk line closes once it sent its line (an empty one stays open) or with Escape, and the
// keyboard goes back to player 1's field.

#include "net/chatcommands.h"

#include <QObject>

namespace kalvon {

class ChatPage;
class ClientView;
class FieldKeyboard;
class FieldsPage;
class InternetClient;

struct ChatInputParts {
    ChatPage& page;
    InternetClient& client;
    // Where the commands' notices go: the chat box (and its buffer).
    ClientView& view;
    // The talk line's page, and the keyboard that opened the line and closes it.
    FieldsPage& fields;
    FieldKeyboard& keyboard;
};

class ChatInput final : public QObject, public ChatCommandHost {
    Q_OBJECT
public:
    explicit ChatInput(ChatInputParts parts, QObject* parent = nullptr);

    // Enter in the chat line.
    void chatLineEntered(const QString& line);
    // Enter in the talk line over the field; Escape in it.
    void talkLineEntered(const QString& line);
    void talkLineEscaped();

    void SendToServer(BytesView line) override;
    void AddChatText(BytesView text, bool bold, ChatColour colour) override;
    // The rooms of outside servers are not browsed from here yet: "/join" asks for nothing.
    void JoinRoomCommand(BytesView argument) override;
    void showRoomList() override;

private:
    ChatInputParts m;
    ChatCommands m_commands;
};

} // namespace kalvon
