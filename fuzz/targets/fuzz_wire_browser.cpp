// The server browser's datagrams: every list entry decoded names a real port and encodes back
// to a line that decodes to itself; an information reply decodes only with counts in 0..105
// and a real port, and encodes back to itself; addresses and ports read back as they were
// written; an information port is the base minus the game port and a real port.

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/wire/browserdatagrams.h"

#include <string>

using namespace kalvon;
using namespace kalvon::wire;

namespace {

void checkList(BytesView bytes)
{
    const std::vector<ListEntry> entries = decodeListDatagram(bytes);
    Bytes again;
    for (const ListEntry& entry : entries) {
        FUZZ_CHECK(entry.port >= 1);
        const Bytes line = encodeListEntry(entry);
        FUZZ_CHECK(decodeListDatagram(line) == std::vector<ListEntry>{ entry });
        again += line;
    }
    FUZZ_CHECK(decodeListDatagram(again) == entries);
}

void checkInfo(BytesView bytes)
{
    const std::optional<InfoReply> reply = decodeInfoReply(bytes);
    if (!reply)
        return;
    for (const int count : { reply->clients, reply->clientLimit, reply->rooms })
        FUZZ_CHECK(count >= 0 && count <= 105);
    FUZZ_CHECK(reply->port >= 1);
    FUZZ_CHECK(decodeInfoReply(encodeInfoReply(*reply)) == reply);
}

void checkAddressAndPort(BytesView bytes)
{
    if (const std::optional<uint32_t> address = parseIpv4(bytes))
        FUZZ_CHECK(parseIpv4(ipv4Text(*address)) == address);
    if (const std::optional<uint16_t> port = parsePort(bytes)) {
        FUZZ_CHECK(*port >= 1);
        FUZZ_CHECK(parsePort(std::to_string(*port)) == port);
    }
}

// Information ports of ports and bases the input picks.
void checkInfoPort(BytesView bytes)
{
    fuzz::FuzzInput input(bytes);
    const auto port = uint16_t(input.byte() << 8 | input.byte());
    const int base = int(int32_t(uint32_t(input.byte()) << 24 | uint32_t(input.byte()) << 16
        | uint32_t(input.byte()) << 8 | uint32_t(input.byte())));
    if (const std::optional<uint16_t> info = infoPortOf(port, base)) {
        FUZZ_CHECK(*info >= 1);
        FUZZ_CHECK(int64_t(*info) == int64_t(base) - int64_t(port));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BytesView bytes = fuzz::asBytes(data, size);
    checkList(bytes);
    checkInfo(bytes);
    checkAddressAndPort(bytes);
    checkInfoPort(bytes);
    return 0;
}
