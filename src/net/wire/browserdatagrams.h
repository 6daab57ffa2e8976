#pragma once
// The server browser's datagrams (UDP, one request or reply per datagram, lines ended by
// CR LF). The client asks the master list server with "GETLIST" and gets list lines
// "{" + one unread byte + "a.b.c.d:port"; it asks each listed server with "GETINFO" on the UDP
// port 21435 minus the server's game port and gets one information line: "z", one unread byte,
// PlayerChar(clients), PlayerChar(client limit), PlayerChar(rooms), the game port in decimal,
// CR, the server's name. Every value a peer sends is checked here: an address is a dotted IPv4
// address (kept as a number, so two spellings never name two servers), a port is 1..65535 in
// plain decimal digits, a count is 0..105.

#include "common/bytes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kalvon::wire {

// The master list server's UDP port.
inline constexpr uint16_t kMasterListPort = 21347;
// A listed server answers information requests on this number minus its game port.
inline constexpr int kInfoPortBase = 21435;

// The information port of a server on `gamePort` for a given base (kInfoPortBase on the real
// network); nothing when the difference is no port.
std::optional<uint16_t> infoPortOf(uint16_t gamePort, int base = kInfoPortBase);

// A port written as 1 to 5 plain decimal digits, 1..65535; nothing for anything else.
std::optional<uint16_t> parsePort(BytesView text);

// An IPv4 address as a number (a.b.c.d is a * 2^24 + b * 2^16 + c * 2^8 + d), and its text.
std::optional<uint32_t> parseIpv4(BytesView text);
Bytes ipv4Text(uint32_t address);
// "a.b.c.d:port".
Bytes serverAddressText(uint32_t address, uint16_t port);

// "GETLIST" CR LF, and whether a datagram is that request.
Bytes encodeListRequest();
bool isListRequest(BytesView datagram);

// One server of the master's list.
struct ListEntry {
    uint32_t address = 0;
    uint16_t port = 0;
    bool operator==(const ListEntry&) const = default;
};

// The list line of an entry with its CR LF.
Bytes encodeListEntry(const ListEntry& entry);
// The entries of a master datagram in their order: every CR LF line and a last unterminated
// line; lines of another first byte and entries that break the layout are skipped.
std::vector<ListEntry> decodeListDatagram(BytesView datagram);

// "GETINFO" CR LF, and whether a datagram is that request.
Bytes encodeInfoRequest();
bool isInfoRequest(BytesView datagram);

// A server's answer to "GETINFO".
struct InfoReply {
    int clients = 0;
    int clientLimit = 0;
    int rooms = 0;
    uint16_t port = 0;
    Bytes name;
    bool operator==(const InfoReply&) const = default;
};

// The information line with its CR LF; counts outside 0..105 are clamped to one byte's reach.
Bytes encodeInfoReply(const InfoReply& reply);
// The reply a datagram holds: its first CR LF line, which needs "z", the unread byte, three
// counts, the port's digits, a CR and the name. Nothing when any of that is missing or out of
// range.
std::optional<InfoReply> decodeInfoReply(BytesView datagram);

} // namespace kalvon::wire
