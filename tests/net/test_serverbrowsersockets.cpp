// The server browser on real UDP sockets over loopback: a fake master list server and fake
// information responders on addresses of their own (127.0.0.x) answer it, strangers try to
// slip datagrams in. Each step waits for the datagram or the row it expects, with a generous
// bound; what must be ignored is sent before a datagram that must count, on the same path, so
// once the latter has shown, the former has been handled.

#include "net/serverbrowsersockets.h"
#include "recordingbrowserview.h"
#include "support/fakeclock.h"
#include "support/udppeer.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kalvon {
namespace {

using testing::bytesOf;
using testing::UdpPeer;
using wire::encodeInfoReply;
using wire::encodeListEntry;

using testing::kTestInfoBase;
using testing::kUdpWaitMs;

class ServerBrowserSocketsTest : public ::testing::Test {
protected:
    void makeBrowser(Bytes masterHost)
    {
        sockets = std::make_unique<ServerBrowserSockets>(
            view, clock, "Kalvon v1.91", [masterHost] { return masterHost; },
            ServerBrowser::Ports{ master.port(), kTestInfoBase });
    }
    // A refresh, with the master's request received; the request's sender is the browser's
    // master socket.
    QNetworkDatagram refresh()
    {
        sockets->browser().RequestServerList();
        QNetworkDatagram request = master.next();
        EXPECT_EQ(bytesOf(request), "GETLIST\r\n");
        return request;
    }
    bool waitForRows(size_t count)
    {
        return QTest::qWaitFor([&] { return view.rows.size() >= count; }, kUdpWaitMs);
    }
    bool waitForAddresses(size_t count)
    {
        return QTest::qWaitFor([&] { return view.addresses.size() >= count; }, kUdpWaitMs);
    }

    testing::FakeClock clock;
    testing::RecordingBrowserView view;
    UdpPeer master{ "127.0.0.1" };
    std::unique_ptr<ServerBrowserSockets> sockets;
};

TEST_F(ServerBrowserSocketsTest, FakeServersFillTheRowsAndStrangersDoNot)
{
    makeBrowser("127.0.0.1");
    UdpPeer alpha("127.0.0.2");
    UdpPeer beta("127.0.0.3");
    UdpPeer silent("127.0.0.4");
    UdpPeer late("127.0.0.6");
    // A stranger on alpha's address with a port of its own, and one on an address of its own.
    UdpPeer alphaTwin("127.0.0.2");
    UdpPeer stranger("127.0.0.5");

    const QNetworkDatagram listRequest = refresh();
    master.answer(listRequest,
        encodeListEntry({ alpha.address(), alpha.gamePort() })
            + encodeListEntry({ beta.address(), beta.gamePort() })
            + encodeListEntry({ silent.address(), silent.gamePort() }));
    ASSERT_TRUE(waitForAddresses(3));
    EXPECT_EQ(view.caption, "Kalvon v1.91");
    EXPECT_TRUE(view.refreshEnabled);

    const QNetworkDatagram askAlpha = alpha.next();
    const QNetworkDatagram askBeta = beta.next();
    EXPECT_EQ(bytesOf(askAlpha), "GETINFO\r\n");
    EXPECT_EQ(bytesOf(askBeta), "GETINFO\r\n");
    EXPECT_EQ(bytesOf(silent.next()), "GETINFO\r\n");

    // A reply from alpha's address but not from the port asked goes first, then alpha's own.
    alphaTwin.answer(askAlpha, encodeInfoReply({ 6, 6, 9, alpha.gamePort(), "Impostor" }));
    clock.advance(40);
    alpha.answer(askAlpha, encodeInfoReply({ 3, 6, 2, alpha.gamePort(), "Alpha" }));
    ASSERT_TRUE(waitForRows(1));

    // Alpha answers again, a stranger sends the browser a list of its own on the master's
    // path, the master's own further line follows; then beta answers.
    alpha.answer(askAlpha, encodeInfoReply({ 5, 6, 2, alpha.gamePort(), "Alpha again" }));
    stranger.answer(listRequest, encodeListEntry({ stranger.address(), stranger.gamePort() }));
    master.answer(listRequest, encodeListEntry({ late.address(), late.gamePort() }));
    ASSERT_TRUE(waitForAddresses(4));
    EXPECT_EQ(bytesOf(late.next()), "GETINFO\r\n");
    clock.advance(80);
    beta.answer(askBeta, encodeInfoReply({ 0, 4, 0, beta.gamePort(), "Beta" }));
    ASSERT_TRUE(waitForRows(2));

    const auto address
        = [](const UdpPeer& peer) { return wire::serverAddressText(peer.address(), peer.gamePort()); };
    EXPECT_EQ(view.addresses,
        (std::vector<Bytes>{ address(alpha), address(beta), address(silent), address(late) }));
    EXPECT_EQ(view.rows,
        (std::vector<ServerRow>{
            { "Alpha", address(alpha), 3, 6, 2, 40 }, { "Beta", address(beta), 0, 4, 0, 120 } }));
    EXPECT_TRUE(view.errors.empty());
}

TEST_F(ServerBrowserSocketsTest, ASilentMasterTimesOutOnTheClock)
{
    makeBrowser("127.0.0.1");
    refresh();
    EXPECT_FALSE(view.refreshEnabled);
    EXPECT_EQ(view.caption, "Kalvon v1.91 - Getting server list...");

    clock.advance(4999);
    sockets->runDueTimers();
    EXPECT_FALSE(view.refreshEnabled);
    clock.advance(1);
    sockets->runDueTimers();
    EXPECT_TRUE(view.refreshEnabled);
    EXPECT_EQ(view.caption, "Kalvon v1.91");
    EXPECT_EQ(view.errors, (std::vector<Bytes>{ "Connection to server timed out!" }));
}

TEST_F(ServerBrowserSocketsTest, AMasterNameThatIsNotFoundIsRefused)
{
    makeBrowser("");
    sockets->browser().RequestServerList();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.errors.empty(); }, kUdpWaitMs));
    EXPECT_EQ(view.errors, (std::vector<Bytes>{ "Connection Refused! (No Kalvon Server Running)" }));
    EXPECT_TRUE(view.refreshEnabled);
}

} // namespace
} // namespace kalvon
