// The connect page's server list against a fake master list server and fake information
// responders over loopback UDP: the refresh button empties the grid and the address list and
// waits, the answers fill the grid in the order they came with the caption and the button back,
// a click on a row offers its address, a double click connects to it. Every step waits for what
// it expects, with a generous bound.

#include "engine/state.h"
#include "engine/store/options.h"
#include "platform/qtext.h"
#include "render/windowskin.h"
#include "skinfixture.h"
#include "support/fakeclock.h"
#include "support/udppeer.h"
#include "window/mainwindow.h"
#include "window/pages/connectpage.h"
#include "window/servergrid.h"
#include "window/serverlisthandlers.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::bytesOf;
using testing::kTestInfoBase;
using testing::kUdpWaitMs;
using testing::UdpPeer;
using wire::encodeInfoReply;
using wire::encodeListEntry;

class ServerListTest : public ::testing::Test {
protected:
    ServerListTest()
    {
        network.masterServer = "127.0.0.1";
        window.setGameState(state);
        window.show();
        page().ShowConnectControls();
        page().addressBox().setEditText(QStringLiteral("typed.example:9000"));
    }

    ConnectPage& page() { return window.connectPage(); }
    ServerGrid& grid() { return page().serverList(); }
    QStringList addressList()
    {
        QStringList items;
        for (int i = 0; i < page().addressBox().count(); ++i)
            items << page().addressBox().itemText(i);
        return items;
    }
    QStringList rowCells(int row)
    {
        QStringList cells;
        for (int c = 0; c < grid().columnCount(); ++c)
            cells << (grid().item(row, c) ? grid().item(row, c)->text() : QString());
        return cells;
    }
    QPoint cellCentre(int row) { return grid().visualRect(grid().model()->index(row, 0)).center(); }
    static QString addressOf(const UdpPeer& peer)
    {
        return toQString(wire::serverAddressText(peer.address(), peer.gamePort()));
    }

    testing::SkinFixture fixture;
    WindowSkin skin;
    Themes themes;
    EngineState state;
    MainWindow window{ skin, fixture.images, themes };
    testing::FakeClock clock;
    NetworkSettings network;
    std::vector<Bytes> errors;
    UdpPeer master{ "127.0.0.1" };
    ServerListHandlers handlers{ ServerListParts{ window, clock, network,
        [this](BytesView text) { errors.emplace_back(text); }, { master.port(), kTestInfoBase } } };
};

TEST_F(ServerListTest, TheGridFillsAndARowIsChosenAndOpened)
{
    UdpPeer alpha("127.0.0.2");
    UdpPeer beta("127.0.0.3");

    QTest::mouseClick(&page().serverListButton(), Qt::LeftButton);
    const QNetworkDatagram listRequest = master.next();
    ASSERT_EQ(bytesOf(listRequest), "GETLIST\r\n");
    EXPECT_EQ(window.caption(), QStringLiteral("Kalvon v1.91 - Getting server list..."));
    EXPECT_FALSE(page().serverListButton().isEnabled());
    // One empty row waits for the first answer.
    EXPECT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(addressList(), QStringList{ QStringLiteral("typed.example:9000") });

    master.answer(listRequest,
        encodeListEntry({ alpha.address(), alpha.gamePort() })
            + encodeListEntry({ beta.address(), beta.gamePort() }));
    const QNetworkDatagram askBeta = beta.next();
    const QNetworkDatagram askAlpha = alpha.next();
    clock.advance(25);
    beta.answer(askBeta, encodeInfoReply({ 2, 6, 1, beta.gamePort(), "Beta \xC4rger" }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !grid().addressAt(0).isEmpty(); }, kUdpWaitMs));
    clock.advance(50);
    alpha.answer(askAlpha, encodeInfoReply({ 3, 6, 2, alpha.gamePort(), "Alpha" }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid().rowCount() == 2; }, kUdpWaitMs));

    EXPECT_EQ(rowCells(0),
        (QStringList{ QStringLiteral("Beta \u00C4rger"), addressOf(beta), QStringLiteral("2/6"),
            QStringLiteral("1"), QStringLiteral("25") }));
    EXPECT_EQ(rowCells(1),
        (QStringList{ QStringLiteral("Alpha"), addressOf(alpha), QStringLiteral("3/6"), QStringLiteral("2"),
            QStringLiteral("75") }));
    EXPECT_EQ(window.caption(), QStringLiteral("Kalvon v1.91"));
    EXPECT_TRUE(page().serverListButton().isEnabled());
    EXPECT_EQ(addressList(),
        (QStringList{ QStringLiteral("typed.example:9000"), addressOf(alpha), addressOf(beta) }));
    EXPECT_EQ(page().addressBox().currentText(), QStringLiteral("typed.example:9000"));

    // A click offers the row's address; a double click also presses Connect.
    QSignalSpy connects(&page(), &ConnectPage::connectClicked);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(1));
    EXPECT_EQ(page().addressBox().currentText(), addressOf(alpha));
    EXPECT_EQ(connects.count(), 0);
    // A double click's first press and release, then its second press.
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(0));
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(0));
    EXPECT_EQ(page().addressBox().currentText(), addressOf(beta));
    EXPECT_EQ(connects.count(), 1);
    EXPECT_TRUE(errors.empty());

    // The next refresh starts from the empty row and the address now typed.
    QTest::mouseClick(&page().serverListButton(), Qt::LeftButton);
    EXPECT_EQ(grid().rowCount(), 1);
    EXPECT_TRUE(grid().addressAt(0).isEmpty());
    EXPECT_EQ(addressList(), QStringList{ addressOf(beta) });
}

TEST_F(ServerListTest, ASilentMasterGivesTheButtonBack)
{
    QTest::mouseClick(&page().serverListButton(), Qt::LeftButton);
    ASSERT_EQ(bytesOf(master.next()), "GETLIST\r\n");
    clock.advance(5000);
    handlers.sockets().runDueTimers();
    EXPECT_EQ(window.caption(), QStringLiteral("Kalvon v1.91"));
    EXPECT_TRUE(page().serverListButton().isEnabled());
    EXPECT_EQ(errors, (std::vector<Bytes>{ "Connection to server timed out!" }));
}

// The empty row a refresh leaves is filled first, even by a server without a name, which the
// next server does not overwrite; the list stops growing at its cap.
TEST(ServerGrid, RowsFollowTheEmptyRowUpToTheCap)
{
    QWidget area;
    ServerGrid grid(&area, QRect(0, 0, 450, 262));
    grid.clearServers();
    ASSERT_TRUE(grid.addServer({ "", "10.0.0.5:90", 1, 6, 0, 10 }));
    ASSERT_TRUE(grid.addServer({ "Beta", "10.0.0.6:90", 2, 6, 1, 20 }));
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.addressAt(0), QStringLiteral("10.0.0.5:90"));
    EXPECT_EQ(grid.addressAt(1), QStringLiteral("10.0.0.6:90"));
    EXPECT_EQ(grid.addressAt(2), QString());

    while (grid.rowCount() < ServerGrid::kMaxRows)
        ASSERT_TRUE(grid.addServer({ "More", "10.0.0.7:90", 0, 6, 0, 1 }));
    EXPECT_FALSE(grid.addServer({ "One too many", "10.0.0.8:90", 0, 6, 0, 1 }));
    EXPECT_EQ(grid.rowCount(), ServerGrid::kMaxRows);
}

} // namespace
} // namespace kalvon
