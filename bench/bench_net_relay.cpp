// Relay of field differences by the built-in server: six players on loopback, each sending a
// field difference every 10 ms for 10 s, alone or with four spectators who only receive.
// Reports relayed lines per second, lost lines, the median and 99th-percentile time from a
// player's send to another client's receipt, and the allocations the server's thread makes per
// line a player sends (counted by this program's malloc while the players send).
//
// The server runs in this thread's Qt event loop; the clients are plain blocking sockets in a
// thread of their own, so the measurement includes both loopback trips.

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
#include <cstddef>
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

// Allocations made by the server's thread while the players send.
thread_local bool t_serverThread = false;
std::atomic<bool> g_countAllocations = false;
std::atomic<long> g_serverAllocations = 0;

void noteAllocation()
{
    if (t_serverThread && g_countAllocations.load(std::memory_order_relaxed))
        g_serverAllocations.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

// glibc's own allocator, under the names it keeps for a program that counts its calls.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void __libc_free(void* p);

// Every allocation of the server's thread, its own, Qt's and the standard library's, passes here.
void* malloc(std::size_t size)
{
    noteAllocation();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    noteAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* p, std::size_t size)
{
    noteAllocation();
    return __libc_realloc(p, size);
}

void free(void* p)
{
    __libc_free(p);
}
}

namespace {

constexpr int kClients = 6;
constexpr int kSpectators = 4;
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

// The clients' side: the players log in and take slots 1-6, the spectators log in after them
// and stay spectators; the first player starts the game, then the players send and everyone
// receives for kDuration.
RelayResult runClients(quint16 port, int spectators)
{
    RelayResult result;
    std::vector<std::unique_ptr<RawClient>> clients;
    // A new client logged in under `name`; false when that failed.
    const auto logIn = [&](const Bytes& name) {
        clients.push_back(std::make_unique<RawClient>(port));
        if (!clients.back()->ok())
            return false;
        clients.back()->sendLine(wire::toServer::encode(wire::toServer::Hello{ Bytes(wire::kNoTeam), name }));
        return clients.back()->waitFor<wire::toClient::Welcome>();
    };
    for (int i = 0; i < kClients; ++i) {
        if (!logIn("bench" + std::to_string(i)))
            return result;
        const int slot = i + 1;
        clients.back()->sendLine(wire::toServer::encode(wire::toServer::TakeSpot{ slot }));
        if (!clients.back()->waitFor<wire::toClient::SpotChanged>(
                [slot](const wire::toClient::SpotChanged& m) { return m.slot == slot; }))
            return result;
    }
    for (int i = 0; i < spectators; ++i) {
        if (!logIn("watcher" + std::to_string(i)))
            return result;
    }
    const int everyone = static_cast<int>(clients.size());
    clients[0]->sendLine(wire::encode(wire::toServer::StartGame{}));
    for (auto& client : clients) {
        if (!client->waitFor<wire::toClient::GameStarted>())
            return result;
    }
    result.ready = true;

    // Sender i's k-th line left at sendTimes[i][k]; relays from one sender arrive in order.
    std::array<std::vector<Steady::time_point>, kClients> sendTimes;
    std::vector<std::array<std::size_t, kClients>> receivedFrom(static_cast<std::size_t>(everyone));
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
        for (int r = 0; r < everyone; ++r) {
            for (const Bytes& line : clients[r]->readLines()) {
                const std::optional<wire::toClient::Message> message = wire::toClient::decode(line);
                const auto* relay = message ? std::get_if<wire::toClient::FieldRelay>(&*message) : nullptr;
                if (!relay)
                    continue;
                const int sender = relay->player - 1;
                if (sender < 0 || sender >= kClients)
                    continue;
                const std::size_t seq = receivedFrom[static_cast<std::size_t>(r)][sender]++;
                if (seq < sendTimes[sender].size())
                    result.latenciesUs.push_back(
                        std::chrono::duration<double, std::micro>(now - sendTimes[sender][seq]).count());
                ++result.received;
            }
        }
    };

    g_countAllocations = true;
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
    g_countAllocations = false;
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

// Six players relaying their field changes through the server, and `spectators` more clients
// that receive every relay too.
void relayBenchmark(benchmark::State& state, int spectators)
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
    // The server page allows six clients at most; the room itself takes as many as it is
    // opened for, so the spectators come on top of the six players.
    if (spectators > 0)
        server.room().open(kClients + spectators);
    t_serverThread = true;
    for (auto _ : state) {
        std::atomic<bool> done = false;
        RelayResult result;
        g_serverAllocations = 0;
        std::thread clients([&] {
            result = runClients(server.listeningPort(), spectators);
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
        const int recipients = kClients - 1 + spectators;
        state.counters["relayed_per_s"] = static_cast<double>(result.received) / seconds;
        state.counters["lost"] = static_cast<double>(result.sent * recipients - result.received);
        state.counters["median_us"] = percentile(result.latenciesUs, 0.5);
        state.counters["p99_us"] = percentile(result.latenciesUs, 0.99);
        state.counters["server_allocs_per_line"] = static_cast<double>(g_serverAllocations.load())
            / static_cast<double>(std::max(result.sent, 1L));
    }
    t_serverThread = false;
    server.StopServer();
}

void BM_ServerRelaySixClients(benchmark::State& state)
{
    relayBenchmark(state, 0);
}
BENCHMARK(BM_ServerRelaySixClients)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ServerRelaySixClientsFourSpectators(benchmark::State& state)
{
    relayBenchmark(state, kSpectators);
}
BENCHMARK(BM_ServerRelaySixClientsFourSpectators)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
