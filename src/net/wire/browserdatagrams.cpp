#include "net/wire/browserdatagrams.h"

#include "net/wire/encodings.h"
#include "net/wire/line.h"

namespace kalvon::wire {

namespace {

constexpr char kListCode = '{';
constexpr char kInfoCode = 'z';
// The byte after the code that no reader looks at.
constexpr char kUnread = ' ';
constexpr BytesView kListRequest = "GETLIST\r\n";
constexpr BytesView kInfoRequest = "GETINFO\r\n";

// A decimal number of 1 to `maxDigits` plain digits, at most `maximum`; nothing otherwise.
std::optional<int> plainNumber(BytesView text, size_t maxDigits, int maximum)
{
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > maximum)
        return std::nullopt;
    return value;
}

std::optional<ListEntry> decodeListLine(BytesView line)
{
    if (line.size() < 2 || line[0] != kListCode)
        return std::nullopt;
    const BytesView entry = line.substr(2);
    const size_t colon = entry.find(':');
    if (colon == BytesView::npos)
        return std::nullopt;
    const std::optional<uint32_t> address = parseIpv4(entry.substr(0, colon));
    const std::optional<uint16_t> port = parsePort(entry.substr(colon + 1));
    if (!address || !port)
        return std::nullopt;
    return ListEntry{ *address, *port };
}

} // namespace

std::optional<uint16_t> infoPortOf(uint16_t gamePort, int base)
{
    // In 64 bits: any base, however far out, gives a difference that is simply no port.
    const int64_t port = int64_t(base) - int64_t(gamePort);
    if (gamePort == 0 || port < 1 || port > 65535)
        return std::nullopt;
    return static_cast<uint16_t>(port);
}

std::optional<uint16_t> parsePort(BytesView text)
{
    const std::optional<int> port = plainNumber(text, 5, 65535);
    if (!port || *port == 0)
        return std::nullopt;
    return static_cast<uint16_t>(*port);
}

std::optional<uint32_t> parseIpv4(BytesView text)
{
    uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        const size_t dot = part < 3 ? text.find('.') : text.size();
        if (dot == BytesView::npos)
            return std::nullopt;
        const std::optional<int> value = plainNumber(text.substr(0, dot), 3, 255);
        if (!value)
            return std::nullopt;
        address = address << 8 | static_cast<uint32_t>(*value);
        text.remove_prefix(part < 3 ? dot + 1 : dot);
    }
    return address;
}

Bytes ipv4Text(uint32_t address)
{
    Bytes text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty())
            text += '.';
        text += std::to_string(address >> shift & 0xFF);
    }
    return text;
}

Bytes serverAddressText(uint32_t address, uint16_t port)
{
    return ipv4Text(address) + ':' + std::to_string(port);
}

Bytes encodeListRequest()
{
    return Bytes(kListRequest);
}

bool isListRequest(BytesView datagram)
{
    return datagram == kListRequest;
}

Bytes encodeListEntry(const ListEntry& entry)
{
    return Bytes{ kListCode, kUnread } + serverAddressText(entry.address, entry.port) + Bytes(kLineEnd);
}

std::vector<ListEntry> decodeListDatagram(BytesView datagram)
{
    std::vector<ListEntry> entries;
    while (!datagram.empty()) {
        const size_t end = datagram.find(kLineEnd);
        const BytesView line = datagram.substr(0, end);
        if (const std::optional<ListEntry> entry = decodeListLine(line))
            entries.push_back(*entry);
        datagram.remove_prefix(end == BytesView::npos ? datagram.size() : end + kLineEnd.size());
    }
    return entries;
}

Bytes encodeInfoRequest()
{
    return Bytes(kInfoRequest);
}

bool isInfoRequest(BytesView datagram)
{
    return datagram == kInfoRequest;
}

Bytes encodeInfoReply(const InfoReply& reply)
{
    return Bytes{ kInfoCode, kUnread, PlayerChar(reply.clients), PlayerChar(reply.clientLimit),
        PlayerChar(reply.rooms) }
    + std::to_string(reply.port) + '\r' + reply.name + Bytes(kLineEnd);
}

std::optional<InfoReply> decodeInfoReply(BytesView datagram)
{
    const size_t end = datagram.find(kLineEnd);
    if (end == BytesView::npos)
        return std::nullopt;
    const BytesView line = datagram.substr(0, end);
    constexpr size_t kPortAt = 5;
    if (line.size() <= kPortAt || line[0] != kInfoCode)
        return std::nullopt;
    InfoReply reply;
    int* counts[] = { &reply.clients, &reply.clientLimit, &reply.rooms };
    for (size_t i = 0; i < std::size(counts); ++i) {
        const int value = playerValue(line[2 + i]);
        if (value < 0)
            return std::nullopt;
        *counts[i] = value;
    }
    const BytesView rest = line.substr(kPortAt);
    const size_t cr = rest.find('\r');
    if (cr == BytesView::npos)
        return std::nullopt;
    const std::optional<uint16_t> port = parsePort(rest.substr(0, cr));
    if (!port)
        return std::nullopt;
    reply.port = *port;
    reply.name = Bytes(rest.substr(cr + 1));
    return reply;
}

} // namespace kalvon::wire
