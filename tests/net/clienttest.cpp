#include "clienttest.h"

#include "testlines.h"

#include <QCoreApplication>

namespace kalvon::testing {

void forwardNetworkCalls(RecordingEngineHost& host, InternetClient& client)
{
    host.onCall = [&host, &client](const std::string& call) {
        constexpr std::string_view kLinesToAll = "addLinesToAll ";
        if (call == "sendPauseGame") {
            client.sendPauseGame();
        } else if (call == "sendResumeGame") {
            client.sendResumeGame();
        } else if (call == "sendPlayerLost") {
            client.sendPlayerLost();
        } else if (call.starts_with(kLinesToAll)) {
            client.addLinesToAll(std::stoi(call.substr(kLinesToAll.size())));
        } else if (call == "SendFieldUpdate") {
            client.SendFieldUpdate();
        } else if (call == "ResetSentField") {
            client.ResetSentField();
        } else if (call == "CheckLevelUp") {
            client.CheckLevelUp();
        } else if (call == "MarkMyPlayerDead") {
            client.MarkMyPlayerDead();
        }
    };
}

Bytes welcomeLine(int index, const std::array<int, kPlayingSlots>& holders, bool running)
{
    wire::toClient::Welcome welcome{ index, {}, running };
    welcome.holders.fill(-1);
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        const int holder = holders[static_cast<std::size_t>(spot - 1)];
        welcome.holders[static_cast<std::size_t>(spot)] = holder == 0 ? -1 : holder;
    }
    return encode(welcome);
}

Bytes rosterRecord(int index, BytesView name, BytesView team)
{
    return encode(wire::toClient::PlayerInfo{ index, Bytes(name), Bytes(team) });
}

NetEngineRig::NetEngineRig(const Clock& clock)
    : engine(host, random, clock)
{
    engine.setEffects(effects);
    engine.setGameMode(GameMode::Internet);
}

ClientTest::ClientTest()
{
    forwardNetworkCalls(rig.host, client);
}

void ClientTest::settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void ClientTest::connect(BytesView name, BytesView team)
{
    client.connectButtonClicked(name, team, server.address());
    ASSERT_TRUE(server.accept());
    const std::optional<Bytes> hello = server.nextLine();
    const auto message = hello ? wire::toServer::decode(*hello) : std::nullopt;
    ASSERT_TRUE(message && std::holds_alternative<wire::toServer::Hello>(*message))
        << show(hello.value_or("<nothing>"));
}

void ClientTest::join(
    int index, const std::array<int, kPlayingSlots>& holders, bool running, const std::vector<Bytes>& records)
{
    connect(myName, myTeam);
    std::vector<Bytes> lines = records;
    lines.push_back(welcomeLine(index, holders, running));
    server.sendLines(lines);
    // Every line before the welcome is answered with an index request; the welcome with a
    // request for the settings.
    ASSERT_TRUE(server.linesUntil(encode(wire::toServer::RequestSettings{})));
    server.clear();
    view.clear();
    rig.host.clear();
}

void ClientTest::seat(int mySpot)
{
    myTeam = "red";
    join(1, { 0, 2, 0, 3, 0, 0 }, false, { rosterRecord(2, "Bob", "red"), rosterRecord(3, "Cy") });
    if (mySpot > 0)
        deliver({ encode(wire::toClient::SpotChanged{ 1, mySpot }) });
    view.clear();
    rig.host.clear();
    rig.effects.calls.clear();
}

std::vector<Bytes> ClientTest::deliver(const std::vector<Bytes>& lines)
{
    std::vector<Bytes> all = lines;
    all.push_back(encode(wire::toClient::YourIndex{ 0 }));
    server.sendLines(all);
    std::optional<std::vector<Bytes>> sent = server.linesUntil(encode(wire::toServer::RequestIndex{}));
    EXPECT_TRUE(sent) << "the client did not handle the lines";
    if (!sent)
        return {};
    sent->pop_back();
    return *sent;
}

std::vector<Bytes> ClientTest::startGame(const wire::HostRules& rules)
{
    return deliver({ encode(wire::toClient::GameStarted{ rules }) });
}

} // namespace kalvon::testing
