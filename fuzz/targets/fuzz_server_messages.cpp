// The built-in server's rules (ServerRoom) driven as its socket owner drives them: connections
// open from a few addresses, send lines (well-formed messages, raw lines, bytes split anywhere)
// and close; time passes on a fake clock whose one timer is armed as the socket owner arms it;
// the host kicks, bans, starts and stops games, moves players and reopens the room. After each
// step: every line the room sends decodes as a server message and goes to a connection that is
// open and that the room has not closed; no connection is closed twice, and one its peer closed
// is let go at once; logged-in players never outnumber the client limit; every slot holder is a
// logged-in client that holds that slot; and the timer is armed no later than the room's next
// deadline.
//
// The input is a program: one byte picks the client limit, then each step is one byte of
// operation followed by the bytes that operation takes.

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "harness/quietdialogs.h"
#include "net/banlist.h"
#include "net/hostoptions.h"
#include "net/roomhost.h"
#include "net/serverroom.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "support/fakeclock.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

using namespace kalvon;
namespace toServer = wire::toServer;

namespace {

// The room's owner: checks each send and close against what it knows of the connection, and
// keeps one timer as GameServer does (the earlier of two wakes wins; runDueTimers re-arms it
// for the room's next deadline).
class CheckingRoomHost final : public RoomHost {
public:
    std::set<ConnectionId> open; // accepted, not yet closed by the room
    std::set<ConnectionId> closed; // closed by the room
    std::set<ConnectionId> slow; // answer their sends as fallen behind
    std::optional<int64_t> armed;

    bool sendLine(ConnectionId id, BytesView line) override
    {
        FUZZ_CHECK_MSG(open.contains(id),
            "a line to connection " + std::to_string(id)
                + (closed.contains(id) ? ", which the room closed: " : ", which is not open: ")
                + fuzz::printable(line));
        FUZZ_CHECK_MSG(
            wire::toClient::decode(line).has_value(), "a line no client decodes: " + fuzz::printable(line));
        return !slow.contains(id);
    }
    void closeConnection(ConnectionId id) override
    {
        FUZZ_CHECK_MSG(!closed.contains(id), "connection " + std::to_string(id) + " closed twice");
        FUZZ_CHECK_MSG(open.contains(id), "connection " + std::to_string(id) + " closed but never opened");
        open.erase(id);
        closed.insert(id);
    }
    void wakeAt(int64_t dueMs) override
    {
        if (!armed || dueMs < *armed)
            armed = dueMs;
    }
    void userJoinedRoom(const Bytes&) override { }
    void userLeftRoom(const Bytes&) override { }
    void roomGameStarted() override { }
    void roomGameEnded() override { }
};

constexpr BytesView kAddresses[] = { "10.0.0.1", "10.0.0.2", "10.0.0.3", "192.168.1.20" };
constexpr BytesView kNames[] = { "Ann", "ann", "Bob", "Cy", "Dee", "Eve", "Fay", "Gus" };
constexpr BytesView kTeams[] = { wire::kNoTeam, "red", "RED", "blue" };
constexpr double kLimits[] = { 6, 1, 2, 3, 0, 2.5, 8, -1 };
constexpr int kDelays[] = { 0, 1, 99, 100, 999, 1000, 2999, 3000, 29999, 30000, 30001, 60000 };

class Program {
public:
    explicit Program(fuzz::FuzzInput& input)
        : m_in(input)
        , m_room(m_options, m_bans, m_dialogs, m_clock, m_host)
    {
        openRoom();
    }

    void step()
    {
        // Each operation reads its bytes in the order written here (not as arguments, whose
        // order of evaluation differs between compilers).
        const size_t operation = m_in.pick(10);
        const ConnectionId id = operation == 0 || operation == 6 || operation == 7 ? 0 : connection();
        switch (operation) {
        case 0: connect(); break;
        case 1: sendLine(id, hello()); break;
        case 3: {
            Bytes line(1, char(m_in.byte()));
            line += m_in.piece();
            sendLine(id, line);
            break;
        }
        case 4: send(id, m_in.piece()); break;
        case 5: peerCloses(id); break;
        case 6: timePasses(); break;
        case 7: hostCommand(); break;
        case 8: m_host.slow.insert(id); break;
        default: sendLine(id, message()); break;
        }
        checkInvariants();
    }

private:
    void openRoom()
    {
        m_limit = kLimits[m_in.pick(std::size(kLimits))];
        m_room.open(m_limit);
    }

    void connect()
    {
        const ConnectionId id = ++m_lastId;
        m_ids.push_back(id);
        if (m_room.connectionOpened(id, kAddresses[m_in.pick(std::size(kAddresses))]))
            m_host.open.insert(id);
    }

    // A connection the owner knows, now and then one it no longer reports on.
    ConnectionId connection()
    {
        if (m_ids.empty())
            return 1;
        return m_ids[m_in.pick(m_ids.size())];
    }

    bool reportable(ConnectionId id) const { return m_host.open.contains(id); }

    void send(ConnectionId id, BytesView bytes)
    {
        if (reportable(id))
            m_room.bytesReceived(id, bytes);
    }
    void sendLine(ConnectionId id, const Bytes& line) { send(id, line + "\r\n"); }

    void peerCloses(ConnectionId id)
    {
        if (!reportable(id))
            return;
        m_room.connectionClosed(id);
        FUZZ_CHECK_MSG(
            !m_host.open.contains(id), "connection " + std::to_string(id) + " kept after its close");
    }

    int player() { return m_in.between(-1, 9); }

    Bytes hello()
    {
        toServer::Hello hello;
        hello.team = Bytes(kTeams[m_in.pick(std::size(kTeams))]);
        const size_t name = m_in.pick(std::size(kNames) + 1);
        hello.name = name < std::size(kNames) ? Bytes(kNames[name]) : Bytes(m_in.piece());
        if (m_in.pick(8) == 0)
            hello.version = Bytes(m_in.piece());
        return encode(hello);
    }

    Bytes message()
    {
        switch (m_in.pick(16)) {
        case 0: return encode(toServer::TakeSpot{ m_in.between(0, 6) });
        case 1: return encode(toServer::StartGame{});
        case 2: return encode(toServer::CallKickVote{ m_in.between(1, 9) });
        case 3: return encode(m_in.flag() ? toServer::Message(toServer::VoteYes{}) : toServer::VoteNo{});
        case 4: {
            toServer::FieldUpdate update;
            for (int i = m_in.between(0, 4); i > 0; --i)
                update.changes.push_back({ m_in.between(0, kFieldColumns - 1),
                    m_in.between(0, kFieldRows - 1), m_in.flag() ? wire::kEmptyCell : m_in.between(0, 21) });
            return encode(update);
        }
        case 5: return encode(toServer::Special{ SpecialType(m_in.pick(kSpecialTypes)), player() });
        case 6: return encode(toServer::PlayerLost{});
        case 7: return encode(toServer::Quit{});
        case 8: return encode(toServer::Private{ toLower(kNames[m_in.pick(std::size(kNames))]), "hi" });
        case 9: return encode(toServer::SetTeam{ Bytes(kTeams[m_in.pick(std::size(kTeams))]) });
        case 10: return encode(toServer::LinesToAll{ m_in.flag() ? 4 : 1 });
        case 11: return encode(toServer::StopGame{});
        case 12:
            return encode(m_in.flag() ? toServer::Message(toServer::PauseGame{}) : toServer::ResumeGame{});
        case 13: return encode(toServer::TeamChat{ "go" });
        case 14: return encode(toServer::RequestIndex{});
        default: return encode(toServer::CommonLevel{ m_in.between(0, 200) });
        }
    }

    void timePasses()
    {
        m_clock.advance(kDelays[m_in.pick(std::size(kDelays))]);
        // The owner's timer fires once its time has come (and re-arms while more is due).
        while (m_host.armed && *m_host.armed <= m_clock.nowMs()) {
            m_host.armed.reset();
            m_room.runDueTimers();
            if (const std::optional<int64_t> next = m_room.nextDueMs())
                m_host.wakeAt(*next);
        }
    }

    void hostCommand()
    {
        const int idx = player();
        switch (m_in.pick(10)) {
        case 0: m_room.kickClient(idx); break;
        case 1: m_room.banClient(idx, kDelays[m_in.pick(std::size(kDelays))]); break;
        case 2: m_room.ServerStartGame(-1); break;
        case 3: m_room.ServerStopGame(); break;
        case 4: m_room.ServerMsgTakeSlot(idx, m_in.between(-1, 7)); break;
        case 5: m_room.DisconnectClient(idx); break;
        case 6: m_room.broadcastGameSettings(); break;
        case 7: m_in.flag() ? m_room.ServerMsgPause(-1) : m_room.ServerMsgResume(-1); break;
        case 8: m_room.shutdown(); break;
        default: openRoom(); break;
        }
    }

    FUZZ_UNCOUNTED void checkInvariants()
    {
        int loggedIn = 0;
        for (int i = 1; i <= m_room.socketCount(); ++i)
            loggedIn += m_room.client(i).Connected;
        if (m_room.isOpen())
            // A hello is served while the places held are fewer than the limit, so a limit of
            // 2.5 lets a third in.
            FUZZ_CHECK_MSG(loggedIn <= std::max(std::ceil(m_limit), 0.0),
                std::to_string(loggedIn) + " players logged in with a limit of " + std::to_string(m_limit));
        else
            FUZZ_CHECK(loggedIn == 0);

        std::set<int> holders;
        for (int slot = 1; slot <= kPlayingSlots; ++slot) {
            const int holder = m_room.PlayerSlot(slot);
            if (holder < 0)
                continue;
            FUZZ_CHECK_MSG(holder >= 1 && holder <= m_room.socketCount() && m_room.client(holder).Connected,
                "slot " + std::to_string(slot) + " held by " + std::to_string(holder)
                    + ", who is not logged in");
            FUZZ_CHECK(m_room.client(holder).Slot == slot);
            FUZZ_CHECK_MSG(
                holders.insert(holder).second, "client " + std::to_string(holder) + " holds two slots");
        }

        if (const std::optional<int64_t> next = m_room.nextDueMs())
            FUZZ_CHECK_MSG(m_host.armed && *m_host.armed <= *next,
                "a deadline at " + std::to_string(*next) + " that no timer wakes");
    }

    fuzz::FuzzInput& m_in;
    HostOptions m_options;
    BanList m_bans;
    fuzz::QuietDialogs m_dialogs;
    testing::FakeClock m_clock;
    CheckingRoomHost m_host;
    ServerRoom m_room;
    double m_limit = 0;
    ConnectionId m_lastId = 0;
    std::vector<ConnectionId> m_ids;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    Program program(input);
    for (int steps = 0; !input.empty() && steps < 2000; ++steps)
        program.step();
    return 0;
}
