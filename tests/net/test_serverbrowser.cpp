// The server browser's rules on the fake clock, with a recording view and socket owner: a
// refresh asks the master and then every listed server once; the answers become rows with their
// ping; datagrams from anyone else, late ones, second ones and those beyond the caps change
// nothing; a master that stays silent ends the refresh after 5 seconds.

#include "net/serverbrowser.h"
#include "recordingbrowserview.h"
#include "support/fakeclock.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using wire::encodeInfoReply;
using wire::encodeListEntry;
using wire::InfoReply;
using wire::ListEntry;

constexpr uint32_t kMaster = 0x0A000001; // 10.0.0.1
constexpr uint16_t kMasterPort = 21347;
constexpr uint32_t kServerA = 0x0A000005; // 10.0.0.5
constexpr uint32_t kServerB = 0x0A00000C; // 10.0.0.12
constexpr int64_t kStart = 1000;

struct Sent {
    BrowserSocket socket;
    uint32_t address;
    uint16_t port;
    Bytes datagram;
    bool operator==(const Sent&) const = default;
};

class RecordingHost final : public BrowserHost {
public:
    std::vector<uint64_t> lookUps;
    std::vector<Sent> sent;
    int64_t wake = -1;

    void lookUpMaster(uint64_t request) override { lookUps.push_back(request); }
    void sendDatagram(BrowserSocket socket, uint32_t address, uint16_t port, BytesView datagram) override
    {
        sent.push_back(Sent{ socket, address, port, Bytes(datagram) });
    }
    void wakeAt(int64_t dueMs) override { wake = dueMs; }
};

class ServerBrowserTest : public ::testing::Test {
protected:
    // A refresh whose master has been found at kMaster.
    void refresh()
    {
        browser.RequestServerList();
        browser.masterFound(host.lookUps.back(), kMaster);
    }
    void fromMaster(BytesView datagram) { browser.masterDatagram(kMaster, kMasterPort, datagram); }
    static Bytes listOf(std::initializer_list<ListEntry> entries)
    {
        Bytes datagram;
        for (const ListEntry& entry : entries)
            datagram += encodeListEntry(entry);
        return datagram;
    }
    std::vector<Sent> infoRequests() const
    {
        std::vector<Sent> requests;
        for (const Sent& sent : host.sent) {
            if (sent.socket == BrowserSocket::Info)
                requests.push_back(sent);
        }
        return requests;
    }

    testing::FakeClock clock{ kStart };
    testing::RecordingBrowserView view;
    RecordingHost host;
    ServerBrowser browser{ view, host, clock, "Kalvon v1.91", {} };
};

TEST_F(ServerBrowserTest, ARefreshAsksTheMasterAndEveryListedServer)
{
    browser.RequestServerList();
    EXPECT_EQ(view.clears, 1);
    EXPECT_EQ(view.caption, "Kalvon v1.91 - Getting server list...");
    EXPECT_FALSE(view.refreshEnabled);
    EXPECT_EQ(host.wake, kStart + 5000);
    ASSERT_EQ(host.lookUps.size(), 1u);
    EXPECT_TRUE(host.sent.empty());

    browser.masterFound(host.lookUps.back(), kMaster);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], (Sent{ BrowserSocket::Master, kMaster, kMasterPort, "GETLIST\r\n" }));

    fromMaster(listOf({ { kServerA, 90 }, { kServerA, 91 }, { kServerB, 9090 } }));
    EXPECT_EQ(view.addresses, (std::vector<Bytes>{ "10.0.0.5:90", "10.0.0.5:91", "10.0.0.12:9090" }));
    EXPECT_EQ(infoRequests(),
        (std::vector<Sent>{ { BrowserSocket::Info, kServerA, 21345, "GETINFO\r\n" },
            { BrowserSocket::Info, kServerA, 21344, "GETINFO\r\n" },
            { BrowserSocket::Info, kServerB, 12345, "GETINFO\r\n" } }));
    // The master has answered: caption and button are back, the address box shows its first entry.
    EXPECT_EQ(view.caption, "Kalvon v1.91");
    EXPECT_TRUE(view.refreshEnabled);
    EXPECT_EQ(view.firstSelected, 1);
    EXPECT_TRUE(view.errors.empty());

    // More of the list within the refresh's time is still taken.
    clock.advance(4999);
    fromMaster(listOf({ { kServerB, 90 } }));
    EXPECT_EQ(browser.serverCount(), 4);
}

TEST_F(ServerBrowserTest, AnswersBecomeRowsWithTheirPing)
{
    refresh();
    fromMaster(listOf({ { kServerA, 90 }, { kServerB, 91 } }));

    clock.advance(120);
    browser.infoDatagram(kServerB, 21344, encodeInfoReply({ 1, 4, 0, 91, "Beta" }));
    clock.advance(12000);
    browser.infoDatagram(kServerA, 21345, encodeInfoReply({ 3, 6, 2, 90, "Alpha" }));

    // In the order the answers came; a ping above 9999 ms shows 9999.
    EXPECT_EQ(view.rows,
        (std::vector<ServerRow>{
            { "Beta", "10.0.0.12:91", 1, 4, 0, 120 }, { "Alpha", "10.0.0.5:90", 3, 6, 2, 9999 } }));
}

TEST_F(ServerBrowserTest, InformationRepliesThatChangeNothing)
{
    refresh();
    fromMaster(listOf({ { kServerA, 90 }, { kServerB, 91 } }));
    const Bytes alpha = encodeInfoReply({ 3, 6, 2, 90, "Alpha" });

    // From an address that was not asked, though one listed address holds its text; from the
    // right address but another port; naming another game port; malformed.
    browser.infoDatagram(0x0A000001, 21345, alpha);
    browser.infoDatagram(kServerA, 21344, alpha);
    browser.infoDatagram(kServerA, 21346, alpha);
    browser.infoDatagram(kServerA, 21345, encodeInfoReply({ 3, 6, 2, 91, "Alpha" }));
    browser.infoDatagram(kServerA, 21345,
        "z?\x99\x9c\x98"
        "90\rAlpha");
    EXPECT_TRUE(view.rows.empty());

    // The first good reply counts, a second one from the same server does not.
    browser.infoDatagram(kServerA, 21345, alpha);
    browser.infoDatagram(kServerA, 21345, encodeInfoReply({ 5, 6, 2, 90, "Alpha again" }));
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0].name, "Alpha");

    // A new refresh forgets the servers asked before.
    refresh();
    browser.infoDatagram(kServerB, 21344, encodeInfoReply({ 1, 4, 0, 91, "Beta" }));
    EXPECT_TRUE(view.rows.empty());
}

TEST_F(ServerBrowserTest, ListDatagramsThatChangeNothing)
{
    const Bytes list = listOf({ { kServerA, 90 } });
    // Before any refresh; before the master is known.
    fromMaster(list);
    browser.RequestServerList();
    fromMaster(list);
    browser.masterFound(host.lookUps.back(), kMaster);
    // From another address, or from the master's address on another port.
    browser.masterDatagram(kServerA, kMasterPort, list);
    browser.masterDatagram(kMaster, kMasterPort + 1, list);
    EXPECT_TRUE(view.addresses.empty());
    EXPECT_TRUE(infoRequests().empty());
    EXPECT_FALSE(view.refreshEnabled);

    fromMaster(list);
    ASSERT_EQ(view.addresses.size(), 1u);
    // Once the refresh's time is over, whether or not its timer has run yet.
    clock.advance(5000);
    fromMaster(listOf({ { kServerB, 90 } }));
    browser.runDueTimers();
    fromMaster(listOf({ { kServerB, 91 } }));
    EXPECT_EQ(view.addresses.size(), 1u);
    EXPECT_EQ(infoRequests().size(), 1u);
}

TEST_F(ServerBrowserTest, ListedServersThatAreNotAsked)
{
    refresh();
    // A game port whose information port is no port, and a server listed twice.
    fromMaster(listOf({ { kServerA, 21435 }, { kServerA, 30000 }, { kServerA, 90 }, { kServerA, 90 } }));
    EXPECT_EQ(view.addresses, (std::vector<Bytes>{ "10.0.0.5:90" }));
    EXPECT_EQ(infoRequests().size(), 1u);

    // At most 128 servers, over any number of datagrams.
    Bytes many;
    for (uint16_t port = 1000; port < 1200; ++port)
        many += encodeListEntry({ kServerB, port });
    fromMaster(many);
    EXPECT_EQ(browser.serverCount(), ServerBrowser::kMaxServers);
    EXPECT_EQ(infoRequests().size(), size_t(ServerBrowser::kMaxServers));
    EXPECT_EQ(view.addresses.size(), size_t(ServerBrowser::kMaxServers));
    EXPECT_EQ(view.addresses.back(), "10.0.0.12:1126");
}

TEST_F(ServerBrowserTest, ASilentMasterEndsTheRefreshAfterFiveSeconds)
{
    refresh();
    clock.advance(4999);
    browser.runDueTimers();
    EXPECT_FALSE(view.refreshEnabled);
    EXPECT_TRUE(view.errors.empty());

    clock.advance(1);
    browser.runDueTimers();
    EXPECT_TRUE(view.refreshEnabled);
    EXPECT_EQ(view.caption, "Kalvon v1.91");
    EXPECT_EQ(view.errors, (std::vector<Bytes>{ "Connection to server timed out!" }));

    // A late answer is not taken, and the time-out is told once.
    fromMaster(listOf({ { kServerA, 90 } }));
    browser.runDueTimers();
    EXPECT_TRUE(view.addresses.empty());
    EXPECT_EQ(view.errors.size(), 1u);
}

TEST_F(ServerBrowserTest, MasterFailuresEndTheRefreshWithTheirBox)
{
    struct Case {
        const char* name;
        std::function<void(ServerBrowser&, uint64_t)> fail;
        const char* box;
    };
    const Case cases[] = {
        { "host name not found", [](ServerBrowser& b, uint64_t r) { b.masterFound(r, std::nullopt); },
            "Connection Refused! (No Kalvon Server Running)" },
        { "refused", [](ServerBrowser& b, uint64_t) { b.masterFailed(MasterError::Refused); },
            "Connection Refused! (No Kalvon Server Running)" },
        { "timed out", [](ServerBrowser& b, uint64_t) { b.masterFailed(MasterError::TimedOut); },
            "Connection to server timed out!" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.errors.clear();
        browser.RequestServerList();
        c.fail(browser, host.lookUps.back());
        EXPECT_EQ(view.errors, (std::vector<Bytes>{ c.box }));
        EXPECT_TRUE(view.refreshEnabled);
        EXPECT_EQ(view.caption, "Kalvon v1.91");
        // Nothing follows: no time-out box, no request to a master found late.
        clock.advance(5000);
        browser.runDueTimers();
        browser.masterFound(host.lookUps.back(), kMaster);
        EXPECT_EQ(view.errors.size(), 1u);
    }
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(ServerBrowserTest, AnAnswerForAnOlderRefreshIsIgnored)
{
    browser.RequestServerList();
    const uint64_t first = host.lookUps.back();
    browser.RequestServerList();
    browser.masterFound(first, kServerA);
    browser.masterFound(first, std::nullopt);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(view.errors.empty());

    browser.masterFound(host.lookUps.back(), kMaster);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0].address, kMaster);
    // An error of the socket once the master has answered is not told.
    fromMaster("");
    browser.masterFailed(MasterError::Refused);
    EXPECT_TRUE(view.errors.empty());
}

} // namespace
} // namespace kalvon
