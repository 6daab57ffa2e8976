#pragma once
// The lobby's chat line and the in-game talk line: a line that starts with "/" and is longer
// than one character is a command, anything else is chat. Commands are requests only: the
// client checks no rights, outside servers answer where they refuse. Every line sent is built
// by the wire encoders from text made safe for a payload (no CR or LF, no TAB in a TAB field).
//
// Plain C++ over a small host interface, so the chat page wires it to the client and the chat
// box, and tests record what it sends and prints.

#include "common/bytes.h"
#include "net/clientview.h"

namespace kalvon {

class ClientRoster;

// What the commands reach: the server, the chat box, and the room browser of outside servers.
class ChatCommandHost {
public:
    virtual ~ChatCommandHost() = default;
    virtual void SendToServer(BytesView line) = 0;
    virtual void AddChatText(BytesView text, bool bold, ChatColour colour) = 0;
    // "/join": the room command of outside servers, with the argument as typed.
    virtual void JoinRoomCommand(BytesView argument) = 0;
    // "/rooms": the chat box hidden, the room list shown, the list asked for.
    virtual void showRoomList() = 0;
};

class ChatCommands {
public:
    // `roster` names the players "/callvote" looks up.
    ChatCommands(ChatCommandHost& host, const ClientRoster& roster);

    // Enter in the lobby's chat line. An empty line does nothing; while not connected the
    // notice is printed and nothing is sent.
    void chatLineEntered(BytesView line, bool connected);
    // Enter in the talk line over the field: false when the line is empty (it stays open),
    // otherwise taken as the chat line takes it, the notice included when not connected (a
    // line typed during a game whose connection dropped is not lost without a word).
    bool talkLineEntered(BytesView line, bool connected);

    // One command: the word (case-blind) and its argument (a single space when the line had
    // none). The private message replaces the argument by the message text.
    void ParseChatCommand(BytesView command, Bytes& argument);
    void PrivateMessageCommand(Bytes& argument);
    // The command list, in the statistics colour.
    void printHelp();

private:
    void commandOrChat(BytesView line);
    template <class Message> void send(const Message& message);
    void spotCommand(BytesView argument);
    void callVoteCommand(BytesView argument);

    ChatCommandHost& m_host;
    const ClientRoster& m_roster;
};

} // namespace kalvon
