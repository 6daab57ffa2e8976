#include "net/playeradministration.h"

#include "net/clientroster.h"
#include "net/serverroom.h"
#include "net/wire/toserver.h"

#include <utility>

namespace kalvon {

using namespace wire;

PlayerAdministration::PlayerAdministration(Parts parts)
    : m(std::move(parts))
{
}

bool PlayerAdministration::joinGameAvailable(int row, bool connected) const
{
    return connected && ClientRoster::isSpot(row + 1) && m.roster.spotPlayer(row + 1) == kNoPlayer;
}

std::array<bool, 7> PlayerAdministration::moveTargets(int row) const
{
    std::array<bool, 7> targets{};
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        targets[static_cast<std::size_t>(slot)] = slot != row + 1;
    return targets;
}

Bytes PlayerAdministration::playerName(int row) const
{
    const int slot = row + 1;
    if (!ClientRoster::isSpot(slot))
        return {};
    if (m.isAdmin())
        return m.roster.nameOf(m.roster.spotPlayer(slot));
    const ServerRoom* room = m.hostedRoom();
    if (!room || room->PlayerSlot(slot) < 1)
        return {};
    return room->client(room->PlayerSlot(slot)).Name;
}

void PlayerAdministration::act(Item item, BytesView name, bool spectator, int slot)
{
    if (name.empty()) {
        static constexpr const char* kMessages[2][3] = {
            { "You need to select a player to ban!", "You need to select a player to kick!",
                "You need to select a player to move!" },
            { "You need to select a spectator to ban!", "You need to select a spectator to kick!",
                "You need to select a spectator to move!" },
        };
        m.showError(kMessages[spectator ? 1 : 0][static_cast<int>(item)]);
        return;
    }
    if (m.isAdmin()) {
        const Bytes lower = toLower(name);
        switch (item) {
        case Item::Ban: m.sendToServer(toServer::encode(toServer::BanRequest{ lower })); break;
        case Item::Kick: m.sendToServer(toServer::encode(toServer::KickRequest{ lower })); break;
        case Item::Move: m.sendToServer(toServer::encode(toServer::MovePlayer{ slot, lower })); break;
        }
        return;
    }
    ServerRoom* room = m.hostedRoom();
    const int client = room ? room->findClient(name) : 0;
    if (client < 1)
        return;
    switch (item) {
    case Item::Ban: ban(*room, client, spectator ? kSpectatorBanWaitMs : kPlayerBanWaitMs); break;
    case Item::Kick: room->kickClient(client); break;
    case Item::Move: room->ServerMsgTakeSlot(client, slot); break;
    }
}

void PlayerAdministration::ban(ServerRoom& room, int client, int waitMs)
{
    room.banClient(client, waitMs);
    if (m.bansChanged)
        m.bansChanged();
}

void PlayerAdministration::banPlayer(int row)
{
    act(Item::Ban, playerName(row), false, 0);
}

void PlayerAdministration::banSpectator(BytesView name)
{
    act(Item::Ban, name, true, 0);
}

void PlayerAdministration::kickPlayer(int row)
{
    act(Item::Kick, playerName(row), false, 0);
}

void PlayerAdministration::kickSpectator(BytesView name)
{
    act(Item::Kick, name, true, 0);
}

void PlayerAdministration::movePlayer(int row, int slot)
{
    if (slot < 0 || slot > kPlayingSlots)
        return;
    act(Item::Move, playerName(row), false, slot);
}

void PlayerAdministration::moveSpectator(BytesView name, int slot)
{
    if (!ClientRoster::isSpot(slot))
        return;
    act(Item::Move, name, true, slot);
}

void PlayerAdministration::userItem(BytesView name, BytesView emptyMessage, Item item)
{
    if (name.empty()) {
        m.showError(emptyMessage);
        return;
    }
    ServerRoom* room = m.hostedRoom();
    const int client = room ? room->findClient(name) : 0;
    if (client < 1)
        return;
    if (item == Item::Ban)
        ban(*room, client, kSpectatorBanWaitMs);
    else
        room->kickClient(client);
}

void PlayerAdministration::banUser(BytesView name)
{
    userItem(name, "Select a user to ban!", Item::Ban);
}

void PlayerAdministration::kickUser(BytesView name)
{
    userItem(name, "Select a user to kick!", Item::Kick);
}

} // namespace kalvon
