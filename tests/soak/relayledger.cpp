#include "relayledger.h"

#include "net/overloaded.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "testlines.h"

#include <optional>

namespace kalvon::testing {

namespace {

using namespace wire;

struct Relay {
    RelayLedger::Kind kind;
    Bytes line;
    bool toSender = false;
};

// The line the server relays for a client's line, sent as player `index`.
std::optional<Relay> relayOf(int index, BytesView line)
{
    using Kind = RelayLedger::Kind;
    const std::optional<toServer::Message> message = toServer::decode(line);
    if (!message)
        return std::nullopt;
    return std::visit(
        Overloaded{
            [index](const toServer::Chat& m) {
                return std::optional(Relay{ Kind::Chat, encode(toClient::ChatLine{ index, m.text }), true });
            },
            [index](const toServer::Action& m) {
                return std::optional(
                    Relay{ Kind::Chat, encode(toClient::ActionLine{ index, m.text }), true });
            },
            [index](const toServer::FieldUpdate& m) {
                return std::optional(Relay{ Kind::Field, encode(toClient::FieldRelay{ index, m.changes }) });
            },
            [index](const toServer::Special& m) {
                return std::optional(
                    Relay{ Kind::Special, encode(toClient::SpecialRelay{ m.special, index, m.target }) });
            },
            [index](const toServer::LinesToAll& m) {
                return std::optional(Relay{ Kind::Lines, encode(toClient::LinesRelay{ index, m.lines }) });
            },
            [](const auto&) { return std::optional<Relay>(); },
        },
        *message);
}

// The sender of a relayed line a client received; 0 for any other line.
int relaySender(const toClient::Message& message)
{
    return std::visit(Overloaded{
                          [](const toClient::ChatLine& m) { return m.player; },
                          [](const toClient::ActionLine& m) { return m.player; },
                          [](const toClient::FieldRelay& m) { return m.player; },
                          [](const toClient::SpecialRelay& m) { return m.sender; },
                          [](const toClient::LinesRelay& m) { return m.sender; },
                          [](const auto&) { return 0; },
                      },
        message);
}

RelayLedger::Kind relayKind(const toClient::Message& message)
{
    using Kind = RelayLedger::Kind;
    return std::visit(Overloaded{
                          [](const toClient::FieldRelay&) { return Kind::Field; },
                          [](const toClient::SpecialRelay&) { return Kind::Special; },
                          [](const toClient::LinesRelay&) { return Kind::Lines; },
                          [](const auto&) { return Kind::Chat; },
                      },
        message);
}

} // namespace

int RelayLedger::addClient(Bytes name)
{
    m_clients.emplace_back().name = std::move(name);
    return static_cast<int>(m_clients.size()) - 1;
}

int64_t RelayLedger::nowUs() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_start)
        .count();
}

int RelayLedger::clientOfIndex(int index) const
{
    for (std::size_t i = 0; i < m_clients.size(); ++i) {
        if (index >= 1 && m_clients[i].index == index)
            return static_cast<int>(i);
    }
    return -1;
}

void RelayLedger::fault(std::string text)
{
    // The first few tell the story; a broken relay would otherwise repeat itself for minutes.
    if (m_faults.size() < 20)
        m_faults.push_back(std::move(text));
}

void RelayLedger::sent(int client, BytesView line)
{
    Client& sender = m_clients[static_cast<std::size_t>(client)];
    if (!m_watching || sender.index < 1)
        return;
    const std::optional<Relay> relay = relayOf(sender.index, line);
    if (!relay)
        return;
    ++m_sent[static_cast<std::size_t>(relay->kind)];
    const Expected expected{ relay->line, nowUs(), ++sender.relaysSent, relay->kind == Kind::Field };
    for (std::size_t i = 0; i < m_clients.size(); ++i) {
        Client& receiver = m_clients[i];
        if (receiver.index >= 1 && (static_cast<int>(i) != client || relay->toSender))
            receiver.pending[client].push_back(expected);
    }
}

void RelayLedger::received(int client, BytesView line)
{
    Client& receiver = m_clients[static_cast<std::size_t>(client)];
    const std::optional<toClient::Message> message = toClient::decode(line);
    if (!message)
        return;
    if (const auto* welcome = std::get_if<toClient::Welcome>(&*message))
        receiver.index = welcome->player;
    const int sender = clientOfIndex(relaySender(*message));
    if (!m_watching || sender < 0)
        return;
    std::deque<Expected>& pending = receiver.pending[sender];
    while (!pending.empty() && pending.front().line != line && pending.front().mayBeHeldBack) {
        receiver.heldBack[sender].push_back(pending.front().serial);
        pending.pop_front();
    }
    if (pending.empty() || pending.front().line != line) {
        fault(receiver.name + " got from " + m_clients[static_cast<std::size_t>(sender)].name
            + " what was not sent or not next: " + show(line));
        return;
    }
    m_latencies.push_back(nowUs() - pending.front().sentUs);
    pending.pop_front();
    ++m_arrived[static_cast<std::size_t>(relayKind(*message))];
}

int64_t RelayLedger::heldBack() const
{
    int64_t count = 0;
    for (const Client& client : m_clients) {
        for (const auto& [sender, serials] : client.heldBack)
            count += static_cast<int64_t>(serials.size());
    }
    return count;
}

std::vector<std::string> RelayLedger::faults() const
{
    std::vector<std::string> faults = m_faults;
    // Per sender, what each receiver still misses and what was held back from it.
    std::map<int, std::map<int, std::vector<int64_t>>> heldBackBySender;
    for (std::size_t r = 0; r < m_clients.size(); ++r) {
        const Client& receiver = m_clients[r];
        for (const auto& [sender, pending] : receiver.pending) {
            if (!pending.empty())
                faults.push_back(std::to_string(pending.size()) + " lines from "
                    + m_clients[static_cast<std::size_t>(sender)].name + " never reached " + receiver.name
                    + ", the first: " + show(pending.front().line));
            const auto held = receiver.heldBack.find(sender);
            heldBackBySender[sender][static_cast<int>(r)]
                = held == receiver.heldBack.end() ? std::vector<int64_t>{} : held->second;
        }
    }
    for (const auto& [sender, byReceiver] : heldBackBySender) {
        const std::vector<int64_t>* reference = nullptr;
        for (const auto& [receiver, serials] : byReceiver) {
            if (receiver == sender)
                continue; // only its chat comes back to the sender
            if (!reference)
                reference = &serials;
            else if (serials != *reference)
                faults.push_back("the server held back other field differences of "
                    + m_clients[static_cast<std::size_t>(sender)].name + " from "
                    + m_clients[static_cast<std::size_t>(receiver)].name + " than from the others");
        }
    }
    return faults;
}

} // namespace kalvon::testing
