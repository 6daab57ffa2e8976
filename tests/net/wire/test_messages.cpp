// Payloads with their own layout: hello, welcome, roster records, winner lists.

#include "net/wire/encodings.h"
#include "net/wire/messages.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::wire;

TEST(Hello, BuildsTeamTabNameCrVersion)
{
    EXPECT_EQ(buildHello("red", "Ann"), "red\tAnn\r1.91");
    EXPECT_EQ(buildHello(kNoTeam, "Ann"), "\r\tAnn\r1.91");
}

TEST(Hello, Parsing)
{
    struct Case {
        Bytes payload;
        bool ok;
        Bytes team, name, version;
    };
    const Case cases[] = {
        {"red\tAnn\r1.91", true, "red", "Ann", "1.91"},
        {"\r\tAnn\r1.91", true, "\r", "Ann", "1.91"},     // no team: the team itself is a CR
        {"\t\r", true, "", "", ""},                       // empty parts are the server's to refuse
        {"a\tb\tc\rv\rw", true, "a", "b\tc", "v\rw"},     // first TAB, then first CR after it
        {"red Ann\r1.91", false, "", "", ""},             // no TAB
        {"red\tAnn 1.91", false, "", "", ""},             // no CR
        {"\rred\tAnn", false, "", "", ""},                // the CR before the TAB does not count
        {"", false, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.payload);
        const auto hello = parseHello(c.payload);
        ASSERT_EQ(hello.has_value(), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(hello->team, c.team);
        EXPECT_EQ(hello->name, c.name);
        EXPECT_EQ(hello->version, c.version);
    }
}

TEST(Hello, AcceptableNames)
{
    for (BytesView good : {"Ann", "J\xf6rg", "a b", "x!\"#$%&'()*+-./:<=>?"})
        EXPECT_TRUE(isAcceptableName(good)) << good;
    for (BytesView bad : {"", "a\tb", "a,b", "a;b", "a\rb", "\x1f"})
        EXPECT_FALSE(isAcceptableName(bad)) << bad;
}

TEST(Welcome, BuildAndParseBothForms)
{
    Welcome welcome;
    welcome.index = 3;
    welcome.slotHolders = {0, 1, -1, 3, -1, -1, 2};
    welcome.gameRunning = true;
    const Bytes payload = buildWelcome(welcome);
    EXPECT_EQ(payload, "\x99,\x97\x96\x99\x96\x96\x98\x97");

    const auto parsed = parseWelcome(payload, true);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->index, 3);
    EXPECT_EQ(parsed->slotHolders, welcome.slotHolders);
    EXPECT_TRUE(parsed->gameRunning);

    // The room welcome has no ","; any running byte but 151 means no game.
    const auto room = parseWelcome("\x99\x97\x96\x99\x96\x96\x98\x99", false);
    ASSERT_TRUE(room);
    EXPECT_EQ(room->slotHolders, welcome.slotHolders);
    EXPECT_FALSE(room->gameRunning);

    EXPECT_FALSE(parseWelcome("", true));
    EXPECT_FALSE(parseWelcome("\x99\x97\x96", false)); // too few slots
    EXPECT_FALSE(parseWelcome("\x99\x97\x96\x99\x96\x96\x98", true)); // no ","
}

TEST(PlayerRecord, NameTabTeam)
{
    EXPECT_EQ(buildPlayerRecord(2, "Ann", "\r"), "\x98" "Ann\t\r");
    const auto record = parsePlayerRecord("\x98" "Ann\tred\tteam");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->index, 2);
    EXPECT_EQ(record->name, "Ann");
    EXPECT_EQ(record->team, "red\tteam");
    const auto noTab = parsePlayerRecord("\x98" "Bob");
    ASSERT_TRUE(noTab);
    EXPECT_EQ(noTab->name, "Bob");
    EXPECT_EQ(noTab->team, "");
    EXPECT_FALSE(parsePlayerRecord(""));
}

TEST(WinnerList, JoinedByCommas)
{
    EXPECT_EQ(buildWinnerList({}), "");
    EXPECT_EQ(buildWinnerList({2}), "\x98");
    EXPECT_EQ(buildWinnerList({1, 3, 6}), "\x97,\x99,\x9c");
    EXPECT_EQ(parseWinnerList("\x97,\x99,\x9c"), (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(parseWinnerList(""), std::vector<int>{});
    // A bad element is skipped, the rest kept.
    EXPECT_EQ(parseWinnerList("\x97,xy,,\x99"), (std::vector<int>{1, 3}));
}
