#include "net/clientroster.h"

#include "common/vbconv.h"
#include "net/wire/names.h"

namespace kalvon {

bool sameTeam(BytesView a, BytesView b)
{
    return !wire::isNoTeam(a) && !wire::isNoTeam(b) && toLower(a) == toLower(b);
}

PlayerInfo* ClientRoster::player(int index)
{
    if (index < 1 || index > HighestPlayerIndex())
        return nullptr;
    return &m_players[static_cast<std::size_t>(index)];
}

const PlayerInfo* ClientRoster::player(int index) const
{
    return const_cast<ClientRoster*>(this)->player(index);
}

PlayerInfo* ClientRoster::recordFor(int index)
{
    if (index < 1 || index > kMaxPlayerIndex)
        return nullptr;
    if (index > HighestPlayerIndex())
        m_players.resize(static_cast<std::size_t>(index) + 1);
    return player(index);
}

Bytes ClientRoster::nameOf(int index) const
{
    const PlayerInfo* info = player(index);
    return info ? info->Name : Bytes();
}

void ClientRoster::clear()
{
    m_players.assign(1, PlayerInfo{});
}

int ClientRoster::spotPlayer(int spot) const
{
    return isSpot(spot) ? m_spotPlayer[static_cast<std::size_t>(spot)] : kNoPlayer;
}

void ClientRoster::setSpotPlayer(int spot, int index)
{
    if (isSpot(spot))
        m_spotPlayer[static_cast<std::size_t>(spot)] = index;
}

void ClientRoster::clearSpots()
{
    m_spotPlayer.fill(kNoPlayer);
}

std::vector<int> ClientRoster::spotsOf(int index) const
{
    std::vector<int> spots;
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        if (spotPlayer(spot) == index)
            spots.push_back(spot);
    }
    return spots;
}

void ClientRoster::MapSpotsToBoards()
{
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        int& board = m_spotBoard[static_cast<std::size_t>(spot)];
        if (isPlaying()) {
            if (spot != MySpot)
                board = spot < MySpot ? spot : spot - 1;
        } else if (spot != 1) {
            board = spot - 1;
        }
    }
}

std::optional<int> ClientRoster::boardOf(int spot) const
{
    if (!isSpot(spot) || onBigField(spot))
        return std::nullopt;
    const int board = m_spotBoard[static_cast<std::size_t>(spot)];
    if (board < 1 || board > kInternetFields)
        return std::nullopt;
    return board;
}

bool ClientRoster::isListed(int index) const
{
    const PlayerInfo* info = player(index);
    return info && info->Connected && !info->Name.empty();
}

Bytes ClientRoster::spotText(int spot) const
{
    Bytes text = vb::formatInt(spot);
    const int holder = spotPlayer(spot);
    if (!isListed(holder))
        return text + ". (Not Playing)";
    return text + ". " + nameOf(holder);
}

Bytes ClientRoster::bigFieldLabel(BytesView myName) const
{
    if (!isPlaying())
        return spotText(1);
    Bytes text = vb::formatInt(MySpot);
    text += ". ";
    text += myName;
    return text;
}

std::vector<std::pair<int, Bytes>> ClientRoster::boardLabels() const
{
    std::vector<std::pair<int, Bytes>> labels;
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        if (const std::optional<int> board = boardOf(spot))
            labels.emplace_back(*board, spotText(spot));
    }
    return labels;
}

std::vector<Bytes> ClientRoster::playerListLines() const
{
    std::vector<Bytes> lines;
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        Bytes line = spotText(spot);
        const PlayerInfo* holder = isListed(spotPlayer(spot)) ? player(spotPlayer(spot)) : nullptr;
        if (holder && !wire::isNoTeam(holder->Team)) {
            line += " - ";
            line += holder->Team;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<Bytes> ClientRoster::spectatorNames() const
{
    std::vector<Bytes> names;
    for (int index = 1; index <= HighestPlayerIndex(); ++index) {
        if (isListed(index) && player(index)->Spectator)
            names.push_back(player(index)->Name);
    }
    return names;
}

} // namespace kalvon
