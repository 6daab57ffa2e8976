#pragma once
// The server browser's rules, without sockets: a refresh asks the master list server for the
// game servers it knows, asks each listed server for its information and turns every answer
// into a row of the connect page's server list, with the time the answer took as its ping.
//
// What a stranger can send is limited: list datagrams count only from the master's address
// and port and only during the refresh's 5 seconds; at most 128 servers are kept and asked,
// each once, and only those whose game port and information port are real ports; an
// information reply counts only from the address and port that were asked, once per server,
// and only when it names the game port it was asked for. A refresh that hears nothing from
// the master ends after those 5 seconds. Time is the injected clock; the owner wakes the
// browser for its deadline (runDueTimers).

#include "common/bytes.h"
#include "net/wire/browserdatagrams.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kalvon {

class Clock;

// One row of the server list: "Server Name", "IP Address", "Clients", "Rooms", "Ping".
struct ServerRow {
    Bytes name;
    Bytes address; // "a.b.c.d:port"
    int clients = 0;
    int clientLimit = 0;
    int rooms = 0;
    int ping = 0; // milliseconds, at most kMaxPing
    bool operator==(const ServerRow&) const = default;
};

// What the browser shows: the connect page, the window's caption, the error boxes.
class BrowserView {
public:
    virtual ~BrowserView() = default;
    // A refresh begins: the server list keeps only its empty first row, the address box's list
    // only the address typed now.
    virtual void clearServers() = 0;
    virtual void setCaption(BytesView caption) = 0;
    // The refresh button takes clicks, or not while the master is being asked.
    virtual void setRefreshEnabled(bool enabled) = 0;
    // A listed server's "a.b.c.d:port" joins the address box's list.
    virtual void addAddress(BytesView address) = 0;
    // The address box shows the first entry of its list, when it has one.
    virtual void selectFirstAddress() = 0;
    virtual void addServerRow(const ServerRow& row) = 0;
    // A critical box titled "Error".
    virtual void showError(BytesView text) = 0;
};

// Which of the two sockets: the master's, or the one that asks the servers.
enum class BrowserSocket { Master, Info };

// What the browser asks of the owner of its sockets and its timer.
class BrowserHost {
public:
    virtual ~BrowserHost() = default;
    // Find the master's address by its host name; answer with masterFound(request, ...).
    virtual void lookUpMaster(uint64_t request) = 0;
    virtual void sendDatagram(BrowserSocket socket, uint32_t address, uint16_t port, BytesView datagram) = 0;
    // Call runDueTimers at `dueMs` on the clock (later is harmless).
    virtual void wakeAt(int64_t dueMs) = 0;
};

// The master's failures, as the socket reports them.
enum class MasterError { TimedOut, Refused, HostNotFound };

class ServerBrowser {
public:
    static constexpr int kMaxServers = 128;
    static constexpr int kMaxPing = 9999;
    static constexpr int64_t kRefreshMs = 5000;

    struct Ports {
        uint16_t master = wire::kMasterListPort;
        int infoBase = wire::kInfoPortBase;
    };

    // `programCaption` is the caption the window shows when no refresh runs ("Kalvon v1.91").
    ServerBrowser(
        BrowserView& view, BrowserHost& host, const Clock& clock, Bytes programCaption, Ports ports);

    // The refresh button: the list emptied, the master looked up and asked.
    void RequestServerList();
    // The master's address for the refresh numbered `request`; nothing when the name was not
    // found. An answer for an older refresh is ignored.
    void masterFound(uint64_t request, std::optional<uint32_t> address);
    // A datagram on the master's socket or on the information socket, with its sender.
    void masterDatagram(uint32_t from, uint16_t fromPort, BytesView datagram);
    void infoDatagram(uint32_t from, uint16_t fromPort, BytesView datagram);
    // The master's socket failed while the master was asked.
    void masterFailed(MasterError error);
    void runDueTimers();

    // The master is being asked: the caption says so and the button waits.
    bool waitingForMaster() const { return m_phase == Phase::Waiting; }
    int serverCount() const { return static_cast<int>(m_servers.size()); }

private:
    enum class Phase {
        Idle, // no refresh, or its list time is over: only information replies count
        Waiting, // the master is asked and has not answered
        Listing, // the master has answered; more of its list may follow until the deadline
    };
    struct Server {
        wire::ListEntry entry;
        uint16_t infoPort = 0;
        int64_t sentAt = 0;
        bool answered = false;
    };

    void takeListEntry(const wire::ListEntry& entry);
    // The refresh stops waiting: caption and button back.
    void endWaiting();

    BrowserView& m_view;
    BrowserHost& m_host;
    const Clock& m_clock;
    Bytes m_programCaption;
    Ports m_ports;
    Phase m_phase = Phase::Idle;
    uint64_t m_request = 0;
    std::optional<uint32_t> m_master;
    int64_t m_listEndsAt = 0;
    std::vector<Server> m_servers;
};

} // namespace kalvon
