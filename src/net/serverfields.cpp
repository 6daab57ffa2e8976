// The server's copies of the slots' fields, the field relay, the lost message and game over.

#include "net/serverroom.h"
#include "net/wire/toclient.h"

namespace kalvon {

using namespace wire;

int ServerRoom::heldSlot(int idx) const
{
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        if (PlayerSlot(slot) == idx)
            return slot;
    }
    return 0;
}

void ServerRoom::freeSlotsOf(int idx)
{
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        if (PlayerSlot(slot) == idx)
            m_playerSlot[static_cast<std::size_t>(slot)] = -1;
    }
}

void ServerRoom::ServerMsgFieldUpdate(int idx, const std::vector<CellChange>& changes)
{
    // The copy is the one of the slot the sender holds; a spectator's update is dropped.
    const int slot = heldSlot(idx);
    if (slot == 0)
        return;
    const std::optional<std::vector<int>> winners = CheckGameOver();
    if (!winners) {
        applyChanges(m_fields[static_cast<std::size_t>(slot)], changes);
        sendToAll(encode(toClient::FieldRelay{ idx, changes }), idx);
    } else if (m_gameRunning) {
        ServerGameOver(*winners);
    } else {
        SendToClient(idx, encode(toClient::GameOver{ *winners }));
    }
}

void ServerRoom::ServerMsgPlayerLost(int idx)
{
    SendToClient(idx, encode(toClient::LostAck{}));
    if (!m_gameRunning || heldSlot(idx) == 0)
        return;
    m_clients[static_cast<std::size_t>(idx)].info.Dead = true;
    if (const std::optional<std::vector<int>> winners = CheckGameOver())
        ServerGameOver(*winners);
    else
        sendToAll(encode(toClient::PlayerOut{ idx }));
}

void ServerRoom::SendFullField(int idx, int slot)
{
    SendToClient(
        idx, encode(toClient::FullField{ PlayerSlot(slot), m_fields[static_cast<std::size_t>(slot)] }));
}

std::optional<std::vector<int>> ServerRoom::CheckGameOver() const
{
    // Runs for every field change a player reports, so it decides before it allocates.
    const auto alive
        = [this](int holder) { return holder >= 0 && isLoggedIn(holder) && !client(holder).Dead; };
    int aliveCount = 0;
    BytesView reference; // the first alive holder's team
    bool oneTeam = true;
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        const int holder = PlayerSlot(slot);
        if (!alive(holder))
            continue;
        // Over only when every alive player is on one team; the comparison is exact.
        const Bytes& team = client(holder).Team;
        if (aliveCount++ == 0)
            reference = team;
        oneTeam = oneTeam && !isNoTeam(team) && team == reference;
    }
    if (aliveCount > 1 && !oneTeam)
        return std::nullopt;
    std::vector<int> winners;
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        if (alive(PlayerSlot(slot)))
            winners.push_back(PlayerSlot(slot));
    }
    return winners;
}

void ServerRoom::ServerGameOver(const std::vector<int>& winners)
{
    sendToAll(encode(toClient::GameOver{ winners }));
    m_gameRunning = false;
    m_host.roomGameEnded();
}

} // namespace kalvon
