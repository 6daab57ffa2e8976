// The internet client's receiving side (InternetClient: its line splitter, queue and dispatcher
// with every handler) over a checking view and a real engine in internet mode, without a
// socket: the server's bytes arrive in fuzzed pieces (well-formed messages about a small cast
// of players, raw lines, bytes split anywhere), the queue is drained as its timer would drain
// it, the local player moves, uses specials and votes, and the server may close the
// connection. After each step: every board and spot label the client names to the view is one
// that exists; the opponent boards and the own field hold only valid cells; the roster's spots
// name players in range and each maps to a board that exists, and the own spot is one of them
// or none.
//
// The input is a program: each step is one byte of operation followed by the bytes that
// operation takes.

#include "engine/enginerandom.h"
#include "engine/gameengine.h"
#include "engine/specials.h"
#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/wire/encodings.h"
#include "net/wire/toclient.h"
#include "support/fakeclock.h"

#include <QCoreApplication>
#include <memory>
#include <string>

using namespace kalvon;
namespace toClient = wire::toClient;

namespace kalvon {

// The client's connection without a socket: the form accepted and the connection made, then
// what the socket's signals and the queue's timer call.
struct InternetClientAccess {
    static void connected(InternetClient& client, BytesView name)
    {
        client.m_sessionActive = true;
        client.m_connectButtonIdle = false;
        client.m_MyName = Bytes(name);
        client.ClientConnected();
    }
    static void arrived(InternetClient& client, BytesView data) { client.ClientDataArrival(data); }
    static void drain(InternetClient& client) { client.drainQueue(); }
    static void closedByServer(InternetClient& client) { client.onSocketClosed(); }
};

} // namespace kalvon

namespace {

void checkBoard(int board, const char* call)
{
    FUZZ_CHECK_MSG(OpponentBoards::isBoard(board), std::string(call) + " for board " + std::to_string(board));
}

// The window: checks the board and label numbers it is given, shows nothing.
class CheckingClientView final : public ClientView {
public:
    void AddChatText(BytesView, bool, ChatColour) override { }
    void scrollChatToEnd() override { }
    void showError(BytesView text) override { FUZZ_CHECK(!text.empty()); }
    void setEnabled(ClientControl, bool) override { }
    void setCaption(ClientControl, BytesView) override { }
    void setConnectButtonIdle(bool) override { }
    void showActiveLevel(bool) override { }
    void setWindowCaption(BytesView) override { }
    void setSpotLabel(int board, BytesView) override
    {
        FUZZ_CHECK_MSG(board >= 0 && board <= kInternetFields, "a label for board " + std::to_string(board));
    }
    void setPlayerList(const std::vector<Bytes>&) override { }
    void setSpectatorList(const std::vector<Bytes>&) override { }
    void clearRoomList() override { m_rooms = 0; }
    void addRoom(BytesView) override
    {
        ++m_rooms;
        FUZZ_CHECK_MSG(m_rooms <= InternetClient::kMaxRooms, "room " + std::to_string(m_rooms));
    }
    void selectRoom(int row) override { FUZZ_CHECK(row >= 0 && row < m_rooms); }
    void setRoomsCaption(BytesView) override { }
    void showRoomInfo(const RoomInfoText&) override { }
    void showChatBox() override { }
    // At most one room password box is open at a time.
    void askRoomPassword(BytesView) override
    {
        FUZZ_CHECK(!m_passwordAsked);
        m_passwordAsked = true;
    }
    void closeRoomPassword() override { m_passwordAsked = false; }
    int currentScreen() const override { return kFieldScreen; }
    void ShowChatScreen() override { }
    void ShowFieldScreen() override { }
    void PlayGameMusic() override { }
    void StopMusic() override { }
    void UpdateInternetFieldBlocks(int board) override { checkBoard(board, "UpdateInternetFieldBlocks"); }
    void DrawNetPlayerField(int board) override { checkBoard(board, "DrawNetPlayerField"); }
    void DrawNetPlayerBackground(int board) override { checkBoard(board, "DrawNetPlayerBackground"); }
    void StartLostFieldAnimation(int board) override { checkBoard(board, "StartLostFieldAnimation"); }
    void ResetLostFieldAnimation(int board) override { checkBoard(board, "ResetLostFieldAnimation"); }
    void setBoardInUse(int board, bool) override { checkBoard(board, "setBoardInUse"); }
    void finishLostFieldAnimation(int board) override { checkBoard(board, "finishLostFieldAnimation"); }
    void FillLostFieldRandom(int board) override { checkBoard(board, "FillLostFieldRandom"); }
    void ResetNetBoard(int board) override { checkBoard(board, "ResetNetBoard"); }

private:
    int m_rooms = 0;
    bool m_passwordAsked = false;
};

// The engine's host: draws nothing, lets time pass in waits, and forwards the network calls to
// the client as the game core does.
class ForwardingEngineHost final : public EngineHost {
public:
    explicit ForwardingEngineHost(testing::FakeClock& clock)
        : m_clock(clock)
    {
    }
    InternetClient* client = nullptr;

    EngineDrawing& drawing() override { return m_drawing; }
    void playSound(SoundSlot) override { }
    void setLabel(LabelId, int, BytesView) override { }
    void BotPieceUpdate(int) override { }
    void sendPauseGame() override { client->sendPauseGame(); }
    void sendResumeGame() override { client->sendResumeGame(); }
    void sendPlayerLost() override { client->sendPlayerLost(); }
    void addLinesToAll(int lines) override { client->addLinesToAll(lines); }
    void SendFieldUpdate() override { client->SendFieldUpdate(); }
    void ResetSentField() override { client->ResetSentField(); }
    void CheckLevelUp() override { client->CheckLevelUp(); }
    void Yield() override { }
    void Wait(int64_t ms) override { m_clock.advance(std::max<int64_t>(ms, 0)); }
    void SetGameTimer(bool) override { }
    void PauseMusic() override { }
    void ResumeMusic() override { }
    void StopGameMusic() override { }
    void SetPauseCaption(BytesView) override { }
    void FocusField() override { }
    void LocalGameEnded() override { }
    bool IsHostingServer() const override { return false; }
    void ServerMsgPause(int) override { }
    void ServerMsgResume(int) override { }
    void MarkMyPlayerDead() override { client->MarkMyPlayerDead(); }

private:
    testing::FakeClock& m_clock;
    NoDrawing m_drawing;
};

constexpr BytesView kNames[] = { "Ann", "Bob", "Cy", "Dee", "Eve", "Fay", "Gus" };
constexpr BytesView kTeams[] = { wire::kNoTeam, "red", "RED", "blue" };

class Program {
public:
    explicit Program(fuzz::FuzzInput& input)
        : m_in(input)
    {
        m_host.client = &m_client;
        m_engine.setEffects(m_specials);
        m_engine.setGameMode(GameMode::Internet);
        InternetClientAccess::connected(m_client, "Ann");
    }

    void step()
    {
        switch (m_in.pick(8)) {
        case 0: arrive(encode(message()) + "\r\n"); break;
        case 1: {
            Bytes line(1, char(m_in.byte()));
            line += m_in.piece();
            arrive(line + "\r\n");
            break;
        }
        case 2: arrive(Bytes(m_in.piece())); break;
        case 3: InternetClientAccess::drain(m_client); break;
        case 4: localPlayer(); break;
        case 5: m_clock.advance(m_in.between(0, 255) * 40); break;
        case 6:
            if (m_in.pick(16) == 0)
                InternetClientAccess::closedByServer(m_client);
            break;
        default: arrive(encode(message()) + "\r\n"); break;
        }
        checkInvariants();
    }

    void finish()
    {
        InternetClientAccess::drain(m_client);
        checkInvariants();
    }

private:
    void arrive(BytesView bytes) { InternetClientAccess::arrived(m_client, bytes); }

    int player() { return m_in.between(-1, 9); }
    int spot() { return m_in.between(-1, 7); }
    Bytes name() { return Bytes(kNames[m_in.pick(std::size(kNames))]); }
    Bytes team() { return Bytes(kTeams[m_in.pick(std::size(kTeams))]); }

    wire::FieldCells field()
    {
        wire::FieldCells cells;
        for (int i = m_in.between(0, 40); i > 0; --i) {
            const int x = m_in.between(0, kFieldColumns - 1);
            const int y = m_in.between(0, kFieldRows - 1);
            cells.set(x, y, m_in.between(0, wire::kMaxWireColour));
        }
        return cells;
    }

    toClient::Message message()
    {
        switch (m_in.pick(23)) {
        case 0: {
            toClient::Welcome welcome{ player(), {}, m_in.flag() };
            welcome.holders.fill(-1);
            for (int slot = 1; slot <= kPlayingSlots; ++slot)
                welcome.holders[size_t(slot)] = m_in.flag() ? m_in.between(1, 9) : -1;
            return welcome;
        }
        case 1: {
            const int index = player();
            Bytes who = name();
            return toClient::PlayerInfo{ index, std::move(who), team() };
        }
        case 2: {
            const int index = player();
            Bytes who = name();
            return toClient::PlayerJoined{ index, std::move(who), team() };
        }
        case 3: return toClient::SpotChanged{ player(), m_in.between(0, kPlayingSlots) };
        case 4: return toClient::YourIndex{ m_in.between(0, 9) };
        case 5:
            return toClient::GameStarted{ m_in.flag() ? std::optional<wire::HostRules>(wire::HostRules{})
                                                      : std::nullopt };
        case 6: {
            const int index = player();
            std::vector<wire::CellChange> changes;
            for (int i = m_in.between(0, 6); i > 0; --i)
                changes.push_back({ m_in.between(0, kFieldColumns - 1), m_in.between(0, kFieldRows - 1),
                    m_in.flag() ? wire::kEmptyCell : m_in.between(0, wire::kMaxWireColour) });
            return toClient::FieldRelay{ index, std::move(changes) };
        }
        case 7: {
            const int index = player();
            return toClient::FullField{ index, field() };
        }
        case 8: return toClient::SwapField{ field() };
        case 9: {
            const auto special = SpecialType(m_in.pick(kSpecialTypes));
            const int from = player();
            return toClient::SpecialRelay{ special, from, m_in.between(0, 9) };
        }
        case 10: {
            const int from = player();
            return toClient::LinesRelay{ from, m_in.between(1, 4) };
        }
        case 11: return toClient::PlayerOut{ player() };
        case 12: {
            toClient::GameOver over;
            for (int i = m_in.between(0, 3); i > 0; --i)
                over.winners.push_back(m_in.between(1, 9));
            return over;
        }
        case 13: return toClient::PlayerLeft{ player() };
        case 14: {
            const int index = player();
            return toClient::TeamChanged{ index, team() };
        }
        case 15: return toClient::CommonLevel{ m_in.between(kMinLevel, kMaxLevel) };
        case 16: {
            const int index = player();
            return toClient::ChatLine{ index, Bytes(m_in.piece()) };
        }
        case 17:
            switch (m_in.pick(8)) {
            case 0: return toClient::GameStopped{};
            case 1: return toClient::GamePaused{};
            case 2: return toClient::GameResumed{};
            case 3: return toClient::LostAck{};
            case 4: return toClient::FieldPoll{};
            case 5: return toClient::Kicked{};
            case 6: return toClient::ServerFull{};
            default: return toClient::GameSettings{ wire::HostRules{} };
            }
        case 18: return toClient::PlayerLeftRoom{ player() };
        case 19: {
            const int caller = player();
            return toClient::KickVoteStarted{ caller, player() };
        }
        case 20: {
            const int yes = m_in.between(0, 9);
            const int no = m_in.between(0, 9);
            switch (m_in.pick(3)) {
            case 0: return toClient::VoteTally{ yes, no };
            case 1: return toClient::VoteResult{ yes, no };
            default: return toClient::RuleVoteResult{ m_in.flag(), yes, no };
            }
        }
        case 21: {
            const int caller = player();
            const int rule = m_in.between(-1, 40);
            return toClient::RuleVoteStarted{ caller, rule, m_in.between(-1, 120) };
        }
        default: {
            const int index = player();
            return toClient::PrivateLine{ index, Bytes(m_in.piece()) };
        }
        }
    }

    void localPlayer()
    {
        switch (m_in.pick(10)) {
        case 0: m_engine.MovePieceLeft(1); break;
        case 1: m_engine.MovePieceRight(1); break;
        case 2: m_engine.MovePieceDown(1); break;
        case 3: m_engine.HardDrop(1); break;
        case 4: m_engine.RotatePiece(1, 1); break;
        case 5: m_client.SendSpecial(m_in.between(0, 7)); break;
        case 6: m_client.requestStartGame(); break;
        case 7: m_client.answerVote(m_in.flag()); break;
        case 8: {
            const int rule = m_in.between(-1, 40);
            m_client.startRuleVote(rule, m_in.piece());
            break;
        }
        default: m_client.CheckLevelUp(); break;
        }
    }

    FUZZ_UNCOUNTED void checkInvariants()
    {
        const OpponentBoards& boards = m_client.boards();
        for (int board = 1; board <= kInternetFields; ++board) {
            for (int x = 0; x < kFieldColumns; ++x) {
                for (int y = 0; y < kFieldRows; ++y) {
                    const int16_t occupied = boards.InetFieldOccupied[size_t(board)][size_t(x)][size_t(y)];
                    const int16_t colour = boards.InetFieldColor[size_t(board)][size_t(x)][size_t(y)];
                    FUZZ_CHECK(occupied == kCellEmpty || occupied == kCellOccupied);
                    FUZZ_CHECK_MSG(colour >= 0 && colour <= wire::kMaxWireColour,
                        "board " + std::to_string(board) + " holds colour " + std::to_string(colour));
                }
            }
        }
        const EngineState& state = m_engine.state();
        for (int x = 0; x < kFieldColumns; ++x) {
            for (int y = 0; y < kFieldRows; ++y) {
                const int16_t colour = state.FieldColor[1][size_t(x)][size_t(y)];
                FUZZ_CHECK_MSG((colour >= 0 && colour <= kLastSpecialCode)
                        || (colour >= kFallingCodeOffset && colour < kFallingCodeOffset + 6),
                    "the own field holds colour " + std::to_string(colour));
            }
        }

        const ClientRoster& roster = m_client.roster();
        for (int spot = 1; spot <= kPlayingSlots; ++spot) {
            const int holder = roster.spotPlayer(spot);
            FUZZ_CHECK_MSG(holder == kNoPlayer || (holder >= 1 && holder <= kMaxPlayerIndex),
                "spot " + std::to_string(spot) + " held by " + std::to_string(holder));
            if (const std::optional<int> board = roster.boardOf(spot))
                FUZZ_CHECK(OpponentBoards::isBoard(*board));
        }
        FUZZ_CHECK_MSG(roster.MySpot >= -1 && roster.MySpot <= kPlayingSlots,
            "own spot " + std::to_string(roster.MySpot));
        FUZZ_CHECK(roster.HighestPlayerIndex() <= kMaxPlayerIndex);
    }

    fuzz::FuzzInput& m_in;
    testing::FakeClock m_clock;
    ForwardingEngineHost m_host{ m_clock };
    StandardRandom m_random{ 1 };
    GameEngine m_engine{ m_host, m_random, m_clock };
    GameSpecials m_specials{ m_engine };
    CheckingClientView m_view;
    InternetClient m_client{ m_view, m_engine, m_clock };
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The client's timers need an application object; none of them runs here.
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    Program program(input);
    for (int steps = 0; !input.empty() && steps < 2000; ++steps)
        program.step();
    program.finish();
    return 0;
}
