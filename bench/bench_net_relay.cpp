// Relay of field differences by the built-in server: six clients on loopback, each sending a
// field difference every 10 ms for 10 s. Reports relayed lines per second, lost lines, and the
// median and 99th-percentile time from a client's send to another client's receipt.
//
// The server runs in this thread's Qt event loop; the six clients are plain blocking sockets
// in a thread of their own, so the measurement includes both loopback trips.

#include "common/clock.h"
#include "common/dialogs.h"
#include "net/banlist.h"
#include "net/gameserver.h"
#include "net/hostoptions.h"
#include "net/wire/field.h"
#include "net/wire/line.h"
#include "net/wire/linesplitter.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace kalvon;
using Steady = std::chrono::steady_clock;

namespace {

constexpr int kClients = 6;
constexpr auto kSendEvery = std::chrono::milliseconds(10);
constexpr auto kDuration = std::chrono::seconds(10);

class NoDialogs final : public Dialogs {
public:
    MessageAnswer messageBox(BytesView, BytesView, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
    std::optional<Bytes> inputBox(BytesView, BytesView, BytesView) override { return std::nullopt; }
    std::optional<Bytes> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<Bytes> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<uint32_t> chooseColor(uint32_t) override { return std::nullopt; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
};

// One blocking loopback client with its line splitter.
class RawClient {
public:
    explicit RawClient(quint16 port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int one = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_ok = ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { ::close(m_fd); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool ok() const { return m_ok; }
    int fd() const { return m_fd; }

    void sendLine(BytesView line)
    {
        const Bytes data = wire::framed(line);
        std::size_t sent = 0;
        while (sent < data.size()) {
            const ssize_t n = ::send(m_fd, data.data() + sent, data.size() - sent, 0);
            if (n <= 0)
                return;
            sent += static_cast<std::size_t>(n);
        }
    }

    // Lines of what can be read now.
    std::vector<Bytes> readLines()
    {
        char buffer[65536];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n <= 0)
            return {};
        return m_splitter.feed(BytesView(buffer, static_cast<std::size_t>(n)));
    }

    // Blocks until a message of type M arrives that `accept` takes; false after two seconds.
    template <class M>
    bool waitFor(const std::function<bool(const M&)>& accept = [](const M&) { return true; })
    {
        const auto deadline = Steady::now() + std::chrono::seconds(2);
        while (Steady::now() < deadline) {
            pollfd p{ m_fd, POLLIN, 0 };
            ::poll(&p, 1, 10);
            for (const Bytes& line : readLines()) {
                const std::optional<wire::toClient::Message> message = wire::toClient::decode(line);
                const M* wanted = message ? std::get_if<M>(&*message) : nullptr;
                if (wanted && accept(*wanted))
                    return true;
            }
        }
        return false;
    }

private:
    int m_fd = -1;
    bool m_ok = false;
    wire::LineSplitter m_splitter;
};

struct RelayResult {
    bool ready = false;
    long sent = 0;
    long received = 0;
    std::vector<double> latenciesUs;
};

// The clients' side: log in, take slots 1-6, start, then send and receive for kDuration.
RelayResult runClients(quint16 port)
{
    RelayResult result;
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(std::make_unique<RawClient>(port));
        if (!clients.back()->ok())
            return result;
        clients.back()->sendLine(wire::toServer::encode(
            wire::toServer::Hello{ Bytes(wire::kNoTeam), "bench" + std::to_string(i) }));
        if (!clients.back()->waitFor<wire::toClient::Welcome>())
            return result;
        const int slot = i + 1;
        clients.back()->sendLine(wire::toServer::encode(wire::toServer::TakeSpot{ slot }));
        if (!clients.back()->waitFor<wire::toClient::SpotChanged>(
                [slot](const wire::toClient::SpotChanged& m) { return m.slot == slot; }))
            return result;
    }
    clients[0]->sendLine(wire::encode(wire::toServer::StartGame{}));
    for (auto& client : clients) {
        if (!client->waitFor<wire::toClient::GameStarted>())
            return result;
    }
    result.ready = true;

    // Sender i's k-th line left at sendTimes[i][k]; relays from one sender arrive in order.
    std::array<std::vector<Steady::time_point>, kClients> sendTimes;
    std::array<std::array<std::size_t, kClients>, kClients> receivedFrom{};
    const auto start = Steady::now();
    std::array<Steady::time_point, kClients> nextSend;
    for (int i = 0; i < kClients; ++i)
        nextSend[i] = start + kSendEvery * i / kClients;
    std::vector<pollfd> polls;
    for (auto& client : clients)
        polls.push_back({ client->fd(), POLLIN, 0 });

    const auto receiveAll = [&] {
        ::poll(polls.data(), polls.size(), 0);
        const auto now = Steady::now();
        for (int r = 0; r < kClients; ++r) {
            for (const Bytes& line : clients[r]->readLines()) {
                const std::optional<wire::toClient::Message> message = wire::toClient::decode(line);
                const auto* relay = message ? std::get_if<wire::toClient::FieldRelay>(&*message) : nullptr;
                if (!relay)
                    continue;
                const int sender = relay->player - 1;
                if (sender < 0 || sender >= kClients)
                    continue;
                const std::size_t seq = receivedFrom[r][sender]++;
                if (seq < sendTimes[sender].size())
                    result.latenciesUs.push_back(
                        std::chrono::duration<double, std::micro>(now - sendTimes[sender][seq]).count());
                ++result.received;
            }
        }
    };

    int step = 0;
    while (Steady::now() - start < kDuration) {
        for (int i = 0; i < kClients; ++i) {
            if (Steady::now() < nextSend[i])
                continue;
            // A piece moving one row down: four cells emptied, four filled.
            const int row = step++ % 18;
            std::vector<wire::CellChange> changes;
            for (int x = 4; x < 8; ++x) {
                changes.push_back({ x, row, wire::kEmptyCell });
                changes.push_back({ x, row + 1, i % 6 });
            }
            sendTimes[i].push_back(Steady::now());
            clients[i]->sendLine(wire::toServer::encode(wire::toServer::FieldUpdate{ changes }));
            ++result.sent;
            nextSend[i] += kSendEvery;
        }
        ::poll(polls.data(), polls.size(), 1);
        receiveAll();
    }
    const auto drainUntil = Steady::now() + std::chrono::milliseconds(500);
    while (Steady::now() < drainUntil) {
        ::poll(polls.data(), polls.size(), 5);
        receiveAll();
    }
    return result;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    const auto rank = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(rank), values.end());
    return values[rank];
}

void BM_ServerRelaySixClients(benchmark::State& state)
{
    HostOptions options;
    BanList bans;
    NoDialogs dialogs;
    SteadyClock clock;
    GameServer server(options, bans, dialogs, clock);
    {
        QTcpServer probe;
        probe.listen(QHostAddress::Any, 0);
        options.port = std::to_string(probe.serverPort());
    }
    if (!server.StartServer()) {
        state.SkipWithError("the server did not start");
        return;
    }
    for (auto _ : state) {
        std::atomic<bool> done = false;
        RelayResult result;
        std::thread clients([&] {
            result = runClients(server.listeningPort());
            done = true;
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        clients.join();
        if (!result.ready) {
            state.SkipWithError("the clients could not set up a game");
            return;
        }
        const double seconds = std::chrono::duration<double>(kDuration).count();
        state.counters["relayed_per_s"] = static_cast<double>(result.received) / seconds;
        state.counters["lost"] = static_cast<double>(result.sent * (kClients - 1) - result.received);
        state.counters["median_us"] = percentile(result.latenciesUs, 0.5);
        state.counters["p99_us"] = percentile(result.latenciesUs, 0.99);
    }
    server.StopServer();
}
BENCHMARK(BM_ServerRelaySixClients)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
