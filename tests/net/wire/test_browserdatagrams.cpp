// The server browser's datagrams: requests, list lines and information replies encoded to
// their bytes and decoded back, the layouts a master or a server may send, and what the
// decoders refuse.

#include "net/wire/browserdatagrams.h"

#include <gtest/gtest.h>
#include <limits>

using namespace kalvon;
using namespace kalvon::wire;

namespace {

constexpr uint32_t k10_0_0_5 = 0x0A000005;
constexpr uint32_t k10_0_0_6 = 0x0A000006;

Bytes infoLine(int clients, int limit, int rooms, BytesView rest, char unread = ' ')
{
    return Bytes{ 'z', unread, byteChar(150 + clients), byteChar(150 + limit), byteChar(150 + rooms) }
    + Bytes(rest);
}

TEST(BrowserDatagrams, RequestsBothWays)
{
    EXPECT_EQ(encodeListRequest(), "GETLIST\r\n");
    EXPECT_EQ(encodeInfoRequest(), "GETINFO\r\n");
    EXPECT_TRUE(isListRequest(encodeListRequest()));
    EXPECT_TRUE(isInfoRequest(encodeInfoRequest()));
    EXPECT_FALSE(isListRequest(encodeInfoRequest()));
    EXPECT_FALSE(isInfoRequest("GETINFO"));
}

TEST(BrowserDatagrams, AddressesAreDottedIpv4Only)
{
    struct Case {
        const char* text;
        std::optional<uint32_t> address;
    };
    const Case cases[] = {
        { "10.0.0.5", k10_0_0_5 },
        { "255.255.255.255", 0xFFFFFFFF },
        { "0.0.0.0", 0 },
        { "010.0.0.5", k10_0_0_5 }, // one number, whatever its spelling
        { "10.0.0.256", std::nullopt },
        { "10.0.0", std::nullopt },
        { "10.0.0.5.1", std::nullopt },
        { "10..0.5", std::nullopt },
        { "10.0.0.5 ", std::nullopt },
        { "-1.0.0.5", std::nullopt },
        { "1000.0.0.5", std::nullopt },
        { "example.org", std::nullopt },
        { "", std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseIpv4(c.text), c.address);
    }
    EXPECT_EQ(ipv4Text(k10_0_0_5), "10.0.0.5");
    EXPECT_EQ(serverAddressText(0xC0A80102, 9090), "192.168.1.2:9090");
}

TEST(BrowserDatagrams, InfoPortIsTheBaseLessTheGamePort)
{
    EXPECT_EQ(infoPortOf(90), 21345);
    EXPECT_EQ(infoPortOf(91), 21344);
    EXPECT_EQ(infoPortOf(21434), 1);
    EXPECT_EQ(infoPortOf(21435), std::nullopt);
    EXPECT_EQ(infoPortOf(30000), std::nullopt);
    EXPECT_EQ(infoPortOf(0), std::nullopt);
    EXPECT_EQ(infoPortOf(100, 65635), 65535);
    EXPECT_EQ(infoPortOf(99, 65635), std::nullopt);
    EXPECT_EQ(infoPortOf(30720, std::numeric_limits<int>::min()), std::nullopt);
    EXPECT_EQ(infoPortOf(1, std::numeric_limits<int>::max()), std::nullopt);
}

TEST(BrowserDatagrams, ListEntriesRoundTrip)
{
    const ListEntry entries[] = { { k10_0_0_5, 90 }, { 0x7F000001, 1 }, { 0xFFFFFFFE, 65535 } };
    Bytes datagram;
    for (const ListEntry& entry : entries)
        datagram += encodeListEntry(entry);
    EXPECT_EQ(encodeListEntry(entries[0]), "{ 10.0.0.5:90\r\n");
    EXPECT_EQ(decodeListDatagram(datagram), std::vector<ListEntry>(std::begin(entries), std::end(entries)));
}

TEST(BrowserDatagrams, ListDatagramsAsMastersSendThem)
{
    struct Case {
        const char* name;
        Bytes datagram;
        std::vector<ListEntry> entries;
    };
    const Case cases[] = {
        { "last line without CR LF", "{x10.0.0.5:90\r\n{x10.0.0.6:91",
            { { k10_0_0_5, 90 }, { k10_0_0_6, 91 } } },
        { "any byte after the code",
            "{\xff"
            "10.0.0.5:90\r\n",
            { { k10_0_0_5, 90 } } },
        { "other lines skipped", "hello\r\n\r\n{x10.0.0.5:90\r\n}x10.0.0.6:91\r\n", { { k10_0_0_5, 90 } } },
        { "bad entries skipped, good ones kept",
            "{x10.0.0.5\r\n{x10.0.0.5:\r\n{x10.0.0.5:0\r\n{x10.0.0.5:65536\r\n{x10.0.0.5:9a\r\n"
            "{x10.0.0.5: 90\r\n{xhost.example:90\r\n{x:90\r\n{\r\n{x10.0.0.5:90:1\r\n{x10.0.0.6:91\r\n",
            { { k10_0_0_6, 91 } } },
        { "a lone LF is no line end", "{x10.0.0.5:90\n{x10.0.0.6:91\r\n", {} },
        { "empty", "", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeListDatagram(c.datagram), c.entries);
    }
}

TEST(BrowserDatagrams, InfoRepliesRoundTrip)
{
    const InfoReply replies[]
        = { { 3, 6, 2, 90, "Alpha" }, { 0, 0, 0, 1, "" }, { 105, 105, 105, 65535, "Gr\xFCn;\tname" } };
    for (const InfoReply& reply : replies) {
        SCOPED_TRACE(reply.name);
        EXPECT_EQ(decodeInfoReply(encodeInfoReply(reply)), reply);
    }
    EXPECT_EQ(encodeInfoReply(replies[0]), infoLine(3, 6, 2, "90\rAlpha\r\n"));
}

TEST(BrowserDatagrams, InfoRepliesThatAreRefused)
{
    struct Case {
        const char* name;
        Bytes datagram;
    };
    const Case cases[] = {
        { "no CR LF", infoLine(3, 6, 2, "90\rAlpha") },
        { "another code", "y" + infoLine(3, 6, 2, "90\rAlpha\r\n").substr(1) },
        { "too short for the counts", "z?\x99\x9c\r\n" },
        { "no port", infoLine(3, 6, 2, "\rAlpha\r\n") },
        { "no CR before the name", infoLine(3, 6, 2, "90\r\n") },
        { "port not a number", infoLine(3, 6, 2, "9x\rAlpha\r\n") },
        { "port 0", infoLine(3, 6, 2, "0\rAlpha\r\n") },
        { "port above 65535", infoLine(3, 6, 2, "65536\rAlpha\r\n") },
        { "negative clients", infoLine(-1, 6, 2, "90\rAlpha\r\n") },
        { "negative limit", infoLine(3, -150, 2, "90\rAlpha\r\n") },
        { "negative rooms", infoLine(3, 6, -2, "90\rAlpha\r\n") },
        { "empty", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeInfoReply(c.datagram), std::nullopt);
    }
}

TEST(BrowserDatagrams, InfoRepliesAsServersSendThem)
{
    struct Case {
        const char* name;
        Bytes datagram;
        InfoReply reply;
    };
    const Case cases[] = {
        { "any byte after the code", infoLine(3, 6, 2, "90\rAlpha\r\n", '\xff'), { 3, 6, 2, 90, "Alpha" } },
        { "only the first line counts",
            infoLine(3, 6, 2, "90\rAlpha\r\n") + infoLine(1, 1, 1, "91\rBeta\r\n"),
            { 3, 6, 2, 90, "Alpha" } },
        { "the name keeps a further CR", infoLine(0, 6, 0, "91\rA\rB\r\n"), { 0, 6, 0, 91, "A\rB" } },
        { "an empty name", infoLine(0, 6, 0, "91\r\r\n"), { 0, 6, 0, 91, "" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeInfoReply(c.datagram), c.reply);
    }
}

} // namespace
