// Every message of both directions: encoded to its exact bytes and decoded back, the layouts
// as peers may send them, and the lines each decoder refuses.

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

#include <gtest/gtest.h>
#include <set>

using namespace kalvon;
using namespace kalvon::wire;

namespace {

Bytes codes(std::initializer_list<int> values)
{
    Bytes text;
    for (int v : values)
        text += byteChar(v);
    return text;
}

// The 40 options of a new room; its switches travel as -1 (the byte 99) for on.
const std::initializer_list<int> kRoomDefaultCodes = { 100, 101, 101, 101, 101, 116, 99, 99, 101, 99, 99, //
    114, 114, 115, 114, 115, 114, 114, //
    113, 113, 112, 102, 106, 103, 106, 102, 102, 106, 109, 103, 105, 105, 107, 103, //
    100, 100, 100, 100, 100, 100 };

RoomOptions roomDefaults()
{
    RoomOptions options{};
    std::size_t i = 0;
    for (int code : kRoomDefaultCodes)
        options[i++] = code - 100;
    return options;
}

// Host rules with a few values set, and their options string.
HostRules someRules()
{
    HostRules rules;
    rules.maxspecials = 16;
    rules.specials = 1;
    rules.occurancy[0] = 14; // tblock, position 17
    rules.startheight[6] = 3;
    return rules;
}

Bytes someRulesText()
{
    Bytes text(40, byteChar(100));
    text[5] = byteChar(116);
    text[6] = byteChar(101);
    text[16] = byteChar(114);
    text[39] = byteChar(103);
    return text;
}

FieldCells oneCellField()
{
    FieldCells field;
    field.set(0, 21, 3);
    return field;
}

Bytes oneCellDump()
{
    Bytes dump(264, '\xaa');
    dump[21] = byteChar(93);
    return dump;
}

// The two triples (0, 21) colour 3 and (11, 0) colour 21.
const std::vector<CellChange> kTwoChanges = { { 0, 21, 3 }, { 11, 0, 21 } };
const Bytes kTwoChangesText = "\x96\xab\x5d\xa1\x96\x6f";

const BytesView kSpecialCodes = "678=>A@:RBCD9<Ee";

toClient::SlotHolders someHolders()
{
    return { -1, 1, -1, 3, -1, -1, 2 };
}

// Lines a decoder refuses, and why.
struct Refusal {
    const char* why;
    std::vector<Bytes> lines;
};

template <class Message> struct Golden {
    Message message;
    Bytes line;
};

// Each message encodes to its line and the line decodes to the message; every message type
// of the direction has a case.
template <class Message, class Decode>
void expectGolden(const std::vector<Golden<Message>>& cases, Decode decode)
{
    std::set<std::size_t> types;
    for (const Golden<Message>& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.line));
        EXPECT_EQ(std::visit([](const auto& m) { return encode(m); }, c.message), c.line);
        EXPECT_EQ(decode(c.line), c.message);
        types.insert(c.message.index());
    }
    EXPECT_EQ(types.size(), std::variant_size_v<Message>) << "a message type has no golden line";
}

} // namespace

TEST(ToServerMessages, EachEncodesToItsBytesAndDecodesBack)
{
    using namespace toServer;
    std::vector<Golden<Message>> cases = {
        { Hello{ "red", "Ann" }, "\";red\tAnn\r1.91" },
        { Hello{ "\r", "Ann" }, "\";\r\tAnn\r1.91" },
        { Quit{}, "%" },
        { SetTeam{ "blue" }, "&;blue" },
        { SetTeam{ "\r" }, "&;\r" },
        { RequestIndex{}, ")" },
        { Chat{ "hi; there \xe9" }, "*;hi; there \xe9" },
        { BanRequest{ "bob" }, ",;bob" },
        { RequestSettings{}, "/" },
        { FieldUpdate{ kTwoChanges }, "5;" + kTwoChangesText },
        { FieldUpdate{ { { 11, 21, kEmptyCell } } }, "5;\xa1\xab\xaa" },
        { FieldUpdate{}, "5;S" },
        { LinesToAll{ 2 }, "F;\x98" },
        { PlayerLost{}, "G" },
        { CommonLevel{ 5 }, "K;\x9b" },
        { StartGame{}, "M" },
        { StopGame{}, "N" },
        { PauseGame{}, "O" },
        { ResumeGame{}, "P" },
        { KickRequest{ "bob" }, "U;bob" },
        { Action{ "waves" }, "Y;waves" },
        { TakeSpot{ 3 }, "Z;\x99" },
        { TakeSpot{ 0 }, "Z;\x96" },
        { CallKickVote{ 2 }, "^;\x98" },
        { CallRuleVote{ 5, 16 }, "^;\x9b\xa6" },
        { VoteYes{}, "_" },
        { VoteNo{}, "`" },
        { TeamChat{ "go left" }, "d;go left" },
        { Private{ "bob", "hello\tthere" }, "f;bob\thello\tthere" },
        { AdminLogin{ "secret" }, "g;secret" },
        { JoinRoom{ "lobby", "\r" }, "h;lobby\t\r" },
        { JoinRoom{ "lobby", "pw" }, "h;lobby\tpw" },
        { ListRooms{}, "i" },
        { ListBans{}, "p" },
        { RemoveBan{ "192.0.2.7" }, "q;192.0.2.7" },
        { RequestField{ 3 }, "s;\x99" },
        { RequestField{ -1 }, "s;\x95" },
        { CreateRoom{ "lobby", "\r", roomDefaults() }, "|;lobby\t\r\t" + codes(kRoomDefaultCodes) },
        { MovePlayer{ 2, "bob" },
            "};\x98"
            "bob" },
        { MovePlayer{ 0, "bob" },
            "};\x96"
            "bob" },
    };
    for (int i = 0; i < kSpecialTypes; ++i)
        cases.push_back(
            { Special{ static_cast<SpecialType>(i), 2 }, Bytes{ kSpecialCodes[i], ';', '\x98' } });
    expectGolden(cases, [](BytesView line) { return decode(line); });
}

TEST(ToClientMessages, EachEncodesToItsBytesAndDecodesBack)
{
    using namespace toClient;
    std::vector<Golden<Message>> cases = {
        { TeamChanged{ 2, "red" }, "&;\x98red" },
        { YourIndex{ 2 }, ");\x98" },
        { ChatLine{ 2, "hi;there" }, "*;\x98hi;there" },
        { NameInUse{}, "+" },
        { Banned{}, "," },
        { Welcome{ 3, someHolders(), true }, "-;\x99,\x97\x96\x99\x96\x96\x98\x97" },
        { GameSettings{ someRules() }, ".;" + someRulesText() },
        { InvalidProtocol{}, "0" },
        { ServerFull{}, "1" },
        { ServerShutdown{}, "2" },
        { PlayerLeft{ 3 }, "3;\x99" },
        { FieldRelay{ 1, kTwoChanges }, "5;\x97" + kTwoChangesText },
        { FieldRelay{ 1, {} }, "5;\x97S" },
        { LinesRelay{ 1, 2 }, "F;\x97\x98" },
        { LostAck{}, "H" },
        { PlayerOut{ 2 }, "I;\x98" },
        { GameOver{ { 1, 3, 6 } }, "J;\x97,\x99,\x9c" },
        { GameOver{}, "J;" },
        { CommonLevel{ 100 }, "K;\xfa" },
        { FieldPoll{}, "L" },
        { GameStarted{ someRules() }, "M;" + someRulesText() },
        { GameStarted{}, "M;" },
        { GameStopped{}, "N" },
        { GamePaused{}, "O" },
        { GameResumed{}, "P" },
        { PlayerJoined{ 3, "Cy", "\r" },
            "Q;\x99"
            "Cy\t\r" },
        { Kicked{}, "U" },
        { VersionRejected{}, "V" },
        { FullField{ 2, oneCellField() }, "W;\x98" + oneCellDump() },
        { SwapField{ oneCellField() }, "X;" + oneCellDump() },
        { ActionLine{ 2, "waves" }, "Y;\x98waves" },
        { SpotChanged{ 1, 3 }, "Z;\x97\x99" },
        { SpotChanged{ 1, 0 }, "Z;\x97\x96" },
        { SpotTaken{}, "[" },
        { PlayerInfo{ 2, "Bob", "\r" },
            "\\;\x98"
            "Bob\t\r" },
        { NoPlayers{}, "]" },
        { KickVoteStarted{ 1, 3 }, "^;\x97\x99" },
        { AlreadyVoted{}, "a" },
        { VoteTally{ 2, 1 }, "b;\x98\x97" },
        { VoteResult{ 2, 0 }, "c;\x98\x96" },
        { TeamChatLine{ 2, "go" }, "d;\x98go" },
        { PrivateLine{ 3, "psst" }, "f;\x99psst" },
        { PrivateUndelivered{}, "f;0" },
        { AdminReply{ true }, "g;\x97" },
        { AdminReply{ false }, "g;\x96" },
        { InRoom{ "lobby" }, "h;lobby" },
        { PlayerEnteredRoom{ 5, "Cy", "red" },
            "j;\x9b"
            "Cy\tred" },
        { PlayerLeftRoom{ 3 }, "k;\x99" },
        { BadRoomName{}, "l" },
        { AdminsOnly{}, "n" },
        { ServerText{ "Welcome" }, "o;Welcome" },
        { WelcomeRoom{ 3, someHolders(), false }, "t;\x99\x97\x96\x99\x96\x96\x98\x96" },
        { RoomList{ 4, 2, true, false, "lobby", roomDefaults() },
            "u;\x9a\x98\x97\x96lobby\t" + codes(kRoomDefaultCodes) },
        { RoomPassword{ "lobby" }, "v;lobby" },
        { RuleVoteStarted{ 1, 5, 16 }, "x;\x97\x9b\xa6" },
        // Passed, then the no count, then the yes count.
        { RuleVoteResult{ true, 5, 3 }, "y;\x97\x99\x9b" },
    };
    for (int i = 0; i < kSpecialTypes; ++i)
        cases.push_back({ SpecialRelay{ static_cast<SpecialType>(i), 2, 1 },
            Bytes{ kSpecialCodes[i], ';', '\x98', '\x97' } });
    expectGolden(cases, [](BytesView line) { return decode(line); });
}

TEST(ToServerMessages, LayoutsAsPeersSendThem)
{
    using namespace toServer;
    const std::vector<Golden<Message>> cases = {
        // Only the first ";" separates; a message without payload ignores one it gets.
        { Chat{ "" }, "*" },
        { SetTeam{ "" }, "&" },
        { Quit{}, "%;bye" },
        // The hello splits at the first TAB, then at the first CR after it; empty parts are the
        // server's to refuse.
        { Hello{ "a", "b\tc", "v\rw" }, "\";a\tb\tc\rv\rw" },
        { Hello{ "", "", "" }, "\";\t\r" },
        { FieldUpdate{}, "5;T" },
        // A special's target and a level above 100 to relay are the byte as it came (clients
        // take the level as 100).
        { Special{ SpecialType::AddLine, 105 }, "6;\xff" },
        { LinesToAll{ 4 }, "F;\x9a" },
        { CommonLevel{ 105 }, "K;\xff" },
        { Private{ "bob", "" }, "f;bob\t" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.line));
        EXPECT_EQ(decode(c.line), c.message);
    }
}

TEST(ToServerMessages, RefusedLines)
{
    const Bytes options(40, 'd');
    const Refusal refusals[] = {
        { "empty, or no code a client sends", { "", "~", "\x01", "S", "L" } },
        { "hello without payload, TAB or CR after it",
            { "\"", "\";red Ann\r1.91", "\";red\tAnn 1.91", "\";\rred\tAnn" } },
        { "field update with a short triple, a column 12, a row 22, a colour 22 or a byte too many",
            { "5", "5;", "5;\x96\x96", "5;\xa2\x96\x5a", "5;\x96\xac\x5a", "5;\x96\x96\x70",
                "5;" + kTwoChangesText + "\x96" } },
        { "special, lines or level not one byte",
            { "6", "6;", "6;\x97\x98", "F", "F;\x97\x98", "K", "K;\x97\x98" } },
        // Their relays would reach every client as lines no client takes.
        { "lines outside 1..4, a level below 0", { "F;\x96", "F;\x9b", Bytes{ 'F', ';', '\0' }, "K;\x95" } },
        { "slot outside 0..6 or not one byte", { "Z", "Z;", "Z;\x9d", "Z;\x95", "Z;\xff", "Z;\x98\x98" } },
        { "vote on nobody, rule or value below 0, three bytes",
            { "^", "^;", "^;\x96", "^;\x95\x97", "^;\x97\x95", "^;\x97\x97\x97" } },
        { "private message without TAB", { "f", "f;bob" } },
        { "room without TAB, options not 40 bytes",
            { "h;lobby", "|;lobby\tpw", "|;lobby\tpw\t" + options.substr(1),
                "|;lobby\tpw\t" + options + "d" } },
        { "field request for no player, move to slot 7",
            { "s", "s;\x96", "s;\x97\x97", "}",
                "};\x9d"
                "bob" } },
    };
    for (const Refusal& refusal : refusals) {
        for (const Bytes& line : refusal.lines)
            EXPECT_EQ(toServer::decode(line), std::nullopt)
                << refusal.why << ": " << ::testing::PrintToString(line);
    }
}

TEST(ToClientMessages, LayoutsAsServersSendThem)
{
    using namespace toClient;
    FieldRelay relayed{ 2, { { 1, 20, 5 }, { 4, 21, 0 } } };
    const std::vector<Golden<Message>> cases = {
        // An index reply that names no player asks again.
        { YourIndex{ 0 }, ")" },
        { YourIndex{ 0 }, ");\x10" },
        // Triples out of range and an incomplete rest are skipped.
        { relayed, "5;\x98\x97\xaa\x5f\xa2\x96\x5b\x98\x98\x20\x9a\xab\x5a\x96\x96" },
        { FieldRelay{ 2, {} }, "5;\x98T" },
        // Winners that are not one byte naming a player are skipped.
        { GameOver{ { 3, 50 } }, "J;\x99,xx,\xc8" },
        { GameOver{ { 1, 3 } }, "J;\x97,xy,,\x99,\x10" },
        // Levels above 100 read as 100.
        { CommonLevel{ 100 }, "K;\xff" },
        // Options of the wrong length: the game starts with the rules it has.
        { GameStarted{}, "M;short" },
        // A record without a TAB has no team; further TABs stay in the team.
        { PlayerJoined{ 2, "Bob", "" },
            "Q;\x98"
            "Bob" },
        { PlayerInfo{ 2, "Ann", "red\tteam" },
            "\\;\x98"
            "Ann\tred\tteam" },
        // Holders below 1 are free slots; a running byte but 151 means no game; a missing one too.
        { WelcomeRoom{ 3, someHolders(), false }, "t;\x99\x97\x10\x99\x96\x96\x98\x99" },
        { Welcome{ 3, someHolders(), false }, "-;\x99,\x97\x96\x99\x96\x96\x98" },
        // Bytes after the ones a message reads are not looked at.
        { SpotChanged{ 2, 4 }, "Z;\x98\x9a\xff" },
        { SpecialRelay{ SpecialType::BlockBomb, 90, 91 }, "E;\xf0\xf1" },
        { SpecialRelay{ SpecialType::AddLine, -134, -134 }, "6;\x10\x10" },
        { AdminReply{ true }, "g;\x98" },
        { ServerText{ "" }, "o" },
        { RoomList{ 0, 0, true, true, "", RoomOptions{} }, "u;\x96\x96\x10\xff\t" + Bytes(40, 'd') },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.line));
        EXPECT_EQ(decode(c.line), c.message);
    }
}

TEST(ToClientMessages, RefusedLines)
{
    const Bytes dump(264, '\xaa');
    const Bytes options(40, 'd');
    const Refusal refusals[] = {
        { "empty, or no code a server sends",
            { "", "~", "\x01", "S", "T", "G", "s", ";", "\x97;x", "w;\x97", "(", "4;\x98", "\";x", "%" } },
        { "main player index missing or below 1",
            { "&", "&;", "&;\x10red", "*", "*;\x96hi", "d;\x01", "Y;\x10", "f;", "3", "3;\x10", "k;\x10", "I",
                "I;\x95", "Q", "Q;\x10name\tteam", "\\;", "j;\x96", "5", "5;\x10S", "W;\x10" + dump } },
        { "welcome too short, without its comma, or naming no player",
            { "-;", "-;\x96,\x96\x96\x96\x96\x96\x96\x96", "-;\x99\x97\x96", "-;\x99\x97\x96\x99\x96\x96\x98",
                "t;\x97" } },
        { "field not 264 valid cells",
            { "W;\x98" + dump.substr(1), "W;\x98" + dump + "\xaa", "X;abc", "X",
                "X;\x20" + dump.substr(1) } },
        { "lines from nobody, or not 1..4", { "F", "F;\x98", "F;\x98\x96", "F;\x98\x9b", "F;\x10\x97" } },
        { "spot change to a slot outside 0..6", { "Z;\x97", "Z;\x98\x9d", "Z;\x98\x95", "Z;\x10\x97" } },
        { "level below 0, settings not 40 bytes", { "K", "K;\x10", ".;short", "." } },
        { "special without sender and target", { "6", "6;\x97", "E;\xff" } },
        { "votes and rooms too short, counts below 0",
            { "^;\x97", "^;\x97\x96", "b;\x97", "b;\x95\x97", "c;\x97\x95", "x;\x97\x97", "x;\x96\x97\x97",
                "y;\x97\x97", "y;\x97\x95\x97", "g", "u;", "u;\x96\x96\x96\x96lobby",
                "u;\x96\x96\x96\x96lobby\t" + options.substr(1), "u;\x95\x96\x96\x96lobby\t" + options } },
    };
    for (const Refusal& refusal : refusals) {
        for (const Bytes& line : refusal.lines)
            EXPECT_EQ(toClient::decode(line), std::nullopt)
                << refusal.why << ": " << ::testing::PrintToString(line);
    }
}

TEST(Names, AcceptableNames)
{
    for (BytesView good : { "Ann", "J\xf6rg", "a b", "x!\"#$%&'()*+-./:<=>?" })
        EXPECT_TRUE(isAcceptableName(good)) << good;
    for (BytesView bad : { "", "a\tb", "a,b", "a;b", "a\rb", "\x1f" })
        EXPECT_FALSE(isAcceptableName(bad)) << bad;
}
