#pragma once
// The chat page's input line in use: Enter sends the line through the chat commands, which
// reach the server through the internet client and print their notices in the chat box; the
// "/rooms" command puts the room list panel in the chat box's place.

#include "net/chatcommands.h"

#include <QObject>

namespace kalvon {

class ChatPage;
class ClientView;
class InternetClient;

struct ChatInputParts {
    ChatPage& page;
    InternetClient& client;
    // Where the commands' notices go: the chat box (and its buffer).
    ClientView& view;
};

class ChatInput final : public QObject, public ChatCommandHost {
    Q_OBJECT
public:
    explicit ChatInput(ChatInputParts parts, QObject* parent = nullptr);

    // Enter in the chat line.
    void chatLineEntered(const QString& line);
    // Enter in the talk line over the field: false when the line is empty.
    bool talkLineEntered(const QString& line);

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
