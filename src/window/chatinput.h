#pragma once
// The chat page's input line in use: Enter sends the line through the chat commands, which
// reach the server through the internet client and print their notices in the chat box; the
// "/rooms" command opens the room browser and "/join" asks the client for a room.

#include "net/chatcommands.h"

#include <QObject>
#include <functional>

namespace kalvon {

class ChatPage;
class ClientView;
class InternetClient;

struct ChatInputParts {
    ChatPage& page;
    InternetClient& client;
    // Where the commands' notices go: the chat box (and its buffer).
    ClientView& view;
    // "/rooms": the room browser in the chat box's place, the room list asked for.
    std::function<void()> openRoomBrowser;
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
    void JoinRoomCommand(BytesView argument) override;
    void showRoomList() override;

private:
    ChatInputParts m;
    ChatCommands m_commands;
};

} // namespace kalvon
