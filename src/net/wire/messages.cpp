#include "net/wire/messages.h"

#include "net/wire/encodings.h"

namespace kalvon::wire {

Bytes teamOnWire(BytesView team)
{
    return Bytes(team.empty() ? kNoTeam : team);
}

bool isNoTeam(BytesView team)
{
    return team.empty() || team == kNoTeam;
}

Bytes buildHello(BytesView team, BytesView name, BytesView version)
{
    Bytes payload(team);
    payload += '\t';
    payload += name;
    payload += '\r';
    payload += version;
    return payload;
}

std::optional<Hello> parseHello(BytesView payload)
{
    const auto tab = payload.find('\t');
    if (tab == BytesView::npos)
        return std::nullopt;
    const BytesView rest = payload.substr(tab + 1);
    const auto cr = rest.find('\r');
    if (cr == BytesView::npos)
        return std::nullopt;
    return Hello{Bytes(payload.substr(0, tab)), Bytes(rest.substr(0, cr)), Bytes(rest.substr(cr + 1))};
}

bool isAcceptableName(BytesView name)
{
    if (name.empty())
        return false;
    for (char c : name) {
        if (byteCode(c) < 32 || c == ',' || c == ';')
            return false;
    }
    return true;
}

Bytes buildWelcome(const Welcome& welcome)
{
    Bytes payload;
    payload += PlayerChar(welcome.index);
    payload += ',';
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        const int holder = welcome.slotHolders[static_cast<std::size_t>(slot)];
        payload += holder < 0 ? kPlayerNone : PlayerChar(holder);
    }
    payload += PlayerChar(welcome.gameRunning ? 1 : 0);
    return payload;
}

std::optional<Welcome> parseWelcome(BytesView payload, bool withComma)
{
    if (payload.empty())
        return std::nullopt;
    Welcome welcome;
    welcome.index = playerValue(payload.front());
    std::size_t pos = 1;
    if (withComma) {
        const auto comma = payload.find(',');
        if (comma == BytesView::npos)
            return std::nullopt;
        pos = comma + 1;
    }
    if (payload.size() < pos + kPlayingSlots)
        return std::nullopt;
    for (int slot = 1; slot <= kPlayingSlots; ++slot, ++pos) {
        const char c = payload[pos];
        welcome.slotHolders[static_cast<std::size_t>(slot)] = c == kPlayerNone ? -1 : playerValue(c);
    }
    welcome.gameRunning = pos < payload.size() && playerValue(payload[pos]) == 1;
    return welcome;
}

Bytes buildPlayerRecord(int index, BytesView name, BytesView team)
{
    Bytes payload(1, PlayerChar(index));
    payload += name;
    payload += '\t';
    payload += team;
    return payload;
}

std::optional<PlayerRecord> parsePlayerRecord(BytesView payload)
{
    if (payload.empty())
        return std::nullopt;
    PlayerRecord record;
    record.index = playerValue(payload.front());
    const BytesView rest = payload.substr(1);
    const auto tab = rest.find('\t');
    record.name = Bytes(rest.substr(0, tab));
    if (tab != BytesView::npos)
        record.team = Bytes(rest.substr(tab + 1));
    return record;
}

Bytes buildWinnerList(const std::vector<int>& winners)
{
    Bytes list;
    for (std::size_t i = 0; i < winners.size(); ++i) {
        if (i > 0)
            list += ',';
        list += PlayerChar(winners[i]);
    }
    return list;
}

std::vector<int> parseWinnerList(BytesView list)
{
    std::vector<int> winners;
    while (!list.empty()) {
        const auto comma = list.find(',');
        const BytesView element = list.substr(0, comma);
        if (element.size() == 1)
            winners.push_back(playerValue(element.front()));
        if (comma == BytesView::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return winners;
}

} // namespace kalvon::wire
