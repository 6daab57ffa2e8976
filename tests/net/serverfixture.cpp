#include "serverfixture.h"

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

namespace kalvon::testing {

Player& ServerFixture::join(BytesView name, BytesView team)
{
    auto player = std::make_unique<Player>();
    player->name = Bytes(name);
    player->peer = connectPeer();
    player->peer->sendLine(encode(wire::toServer::Hello{ Bytes(team), Bytes(name) }));
    for (;;) {
        const auto line = player->peer->nextLine();
        if (!line) {
            ADD_FAILURE() << "no welcome for " << name;
            break;
        }
        const auto message = wire::toClient::decode(*line);
        const auto* welcome = message ? std::get_if<wire::toClient::Welcome>(&*message) : nullptr;
        if (!welcome)
            continue;
        player->index = welcome->player;
        for (int slot = 1; slot <= kPlayingSlots && welcome->gameRunning; ++slot) {
            if (welcome->holders[static_cast<std::size_t>(slot)] >= 0)
                player->fullFields.push_back(player->peer->nextLine().value_or(""));
        }
        break;
    }
    const Bytes notice
        = encode(wire::toClient::PlayerJoined{ player->index, Bytes(name), wire::teamOnWire(team) });
    for (const auto& other : players) {
        if (other->peer->isConnected() && !other->peer->closedByServer())
            EXPECT_LINE(other->peer, notice);
    }
    players.push_back(std::move(player));
    return *players.back();
}

void ServerFixture::takeSlot(Player& player, int slot)
{
    player->sendLine(encode(wire::toServer::TakeSpot{ slot }));
    expectAllGet(encode(wire::toClient::SpotChanged{ player.index, slot }));
}

void ServerFixture::callKickVote(Player& caller, Player& subject)
{
    caller->sendLine(encode(wire::toServer::CallKickVote{ subject.index }));
    const Bytes started = encode(wire::toClient::KickVoteStarted{ caller.index, subject.index });
    for (const auto& player : players) {
        if (player.get() != &subject)
            EXPECT_LINE(player->peer, started);
    }
}

void ServerFixture::startGame(Player& slotOneHolder)
{
    slotOneHolder->sendLine(encode(wire::toServer::StartGame{}));
    expectAllGet(gameStartedLine());
}

Bytes ServerFixture::gameStartedLine() const
{
    return encode(wire::toClient::GameStarted{ options.rules });
}

void ServerFixture::expectAllGet(BytesView line)
{
    for (const auto& player : players) {
        SCOPED_TRACE(player->name);
        EXPECT_LINE(player->peer, line);
    }
}

void ServerFixture::clearAll()
{
    for (const auto& player : players)
        player->peer->clear();
}

} // namespace kalvon::testing
