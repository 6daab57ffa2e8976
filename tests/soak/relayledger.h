#pragma once
// The account of what the server relays. Every line a client sends that the server passes on
// (chat and actions to everyone, field differences, specials and lines added to the others)
// is expected, in order, at every client that should get it; each arrival is matched to its
// send and timed. A field difference the server answers with game over instead (the game had
// just ended) is the only line it may hold back, and then it holds it back from every client
// alike.

#include "common/bytes.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace kalvon::testing {

class RelayLedger {
public:
    enum class Kind { Chat, Field, Special, Lines };
    static constexpr int kKinds = 4;

    // A client, known from here on by the number returned.
    int addClient(Bytes name);
    // From now on relays are expected at every client that has its index; what was sent
    // before is not followed.
    void watch() { m_watching = true; }

    void sent(int client, BytesView line);
    void received(int client, BytesView line);

    // The lines sent that the server relays, of one kind.
    int64_t sentCount(Kind kind) const { return m_sent[static_cast<std::size_t>(kind)]; }
    // Relayed lines that arrived, one per receiver.
    int64_t arrivals(Kind kind) const { return m_arrived[static_cast<std::size_t>(kind)]; }
    // Field differences the server held back after a game's end.
    int64_t heldBack() const;
    // Send-to-arrival times of every arrival, in microseconds.
    const std::vector<int64_t>& latenciesUs() const { return m_latencies; }

    // What went wrong: a line that came unexpected or out of order, a line still missing, a
    // field difference held back from some clients only. Call once everything has arrived.
    std::vector<std::string> faults() const;

private:
    struct Expected {
        Bytes line;
        int64_t sentUs = 0;
        int64_t serial = 0; // the sender's count of relayed lines
        bool mayBeHeldBack = false;
    };
    struct Client {
        Bytes name;
        int index = 0; // the server's player index, once the welcome came
        int64_t relaysSent = 0;
        // Per sender: what is still to come from it, and what it held back.
        std::map<int, std::deque<Expected>> pending;
        std::map<int, std::vector<int64_t>> heldBack;
    };

    int64_t nowUs() const;
    int clientOfIndex(int index) const;
    void fault(std::string text);

    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    bool m_watching = false;
    std::vector<Client> m_clients;
    int64_t m_sent[kKinds] = {};
    int64_t m_arrived[kKinds] = {};
    std::vector<int64_t> m_latencies;
    std::vector<std::string> m_faults;
};

} // namespace kalvon::testing
