// The ban list file: historic field rules on reading, CR LF lines and a whole-file write.

#include "net/banlist.h"
#include "net/hostoptions.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(BanList, ReadingSplitsFieldsAndSkipsEmptyOnes)
{
    struct Case {
        Bytes text;
        std::vector<Bytes> entries;
    };
    const Case cases[] = {
        { "1.2.3.4\r\n5.6.7.8\r\n", { "1.2.3.4", "5.6.7.8" } },
        { "1.2.3.4\r\n\r\n5.6.7.8", { "1.2.3.4", "5.6.7.8" } }, // empty line, no final line end
        { "1.2.3.4\n\n5.6.7.8\r\r\n", { "1.2.3.4", "5.6.7.8" } }, // LF and CR CR LF alike
        { "\"1.2.3.4\"\r\n", { "1.2.3.4" } }, // quotes removed
        { "1.2.3.4,5.6.7.8\r\n", { "1.2.3.4", "5.6.7.8" } }, // a comma ends an entry
        { "\"a,b\",c\r\n", { "a,b", "c" } },
        { "  1.2.3.4  \r\n,,\r\n\"\"\r\n", { "1.2.3.4" } },
        { "\"open\r\nnext\r\n", { "open", "next" } }, // an unclosed quote ends at the line end
        { "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(BanList::parse(c.text), c.entries) << c.text;
}

TEST(BanList, LoadThenSaveDropsEmptyLinesAndKeepsOrder)
{
    ScratchFolder folder;
    const auto file = folder.write("banlist.txt", "10.0.0.1\r\n\r\n10.0.0.2\n\"10.0.0.3\"\r\n");
    BanList bans;
    bans.LoadBanList(file);
    EXPECT_TRUE(bans.contains("10.0.0.2"));
    EXPECT_FALSE(bans.contains("10.0.0.2 "));
    bans.add("10.0.0.4");
    bans.removeAt(0);
    bans.removeAt(99);
    ASSERT_TRUE(bans.SaveBanList(file).ok);
    EXPECT_EQ(readFile(file), "10.0.0.2\r\n10.0.0.3\r\n10.0.0.4\r\n");

    BanList missing;
    missing.add("x");
    missing.LoadBanList(folder / "none.txt");
    EXPECT_TRUE(missing.entries().empty());
}

TEST(BanList, FailedSaveKeepsTheOldFile)
{
    ScratchFolder folder;
    const auto file = folder.write("banlist.txt", "10.0.0.1\r\n");
    BanList bans;
    bans.add("10.0.0.9");
    setAtomicWriteFaultForTesting([](std::string_view step) { return step != "write"; });
    const AtomicWriteResult result = bans.SaveBanList(file);
    setAtomicWriteFaultForTesting(nullptr);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(readFile(file), "10.0.0.1\r\n");
}

TEST(HostOptions, PortText)
{
    for (const auto& [text, port] :
        std::vector<std::pair<Bytes, int>>{ { "90", 90 }, { " 1 ", 1 }, { "65535", 65535 }, { "007", 7 } })
        EXPECT_EQ(parsePortText(text), port) << text;
    for (BytesView bad : { "", "0", "65536", "100000", "1.5", "-1", "+5", "9 0", "&H5A", "1e2" })
        EXPECT_EQ(parsePortText(bad), std::nullopt) << bad;
}
