// Payloads a hostile peer may send: thousands of mutations of well-formed ones. A decoder either
// refuses a payload or gives values inside their ranges, from which the payload is built again.

#include "net/wire/field.h"
#include "net/wire/gameoptions.h"
#include "net/wire/messages.h"

#include <gtest/gtest.h>

#include <random>

using namespace kalvon;
using namespace kalvon::wire;

namespace {

// Replaces, inserts or removes a few bytes; half the new bytes lie near the encodings' limits.
Bytes mutate(std::mt19937& random, Bytes text)
{
    const int changes = 1 + int(random() % 4);
    for (int i = 0; i < changes; ++i) {
        const std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        const char byte = byteChar(random() % 2 ? int(random() % 256) : 85 + int(random() % 90));
        switch (random() % 3) {
        case 0:
            if (at < text.size())
                text[at] = byte;
            break;
        case 1: text.insert(at, 1, byte); break;
        default:
            if (at < text.size())
                text.erase(at, 1);
            break;
        }
    }
    return text;
}

FieldCells someField()
{
    FieldCells field;
    field.set(0, 21, 3);
    field.set(11, 0, 21);
    field.set(5, 10, 0);
    return field;
}

} // namespace

TEST(MutatedPayloads, DecodedValuesAreInRangeAndEncodeBackToThePayload)
{
    std::mt19937 random(20240611);
    const Bytes dump = encodeFieldDump(someField());
    const Bytes diff = encodeFieldDiff({{0, 0, 5}, {11, 21, kEmptyCell}, {4, 7, 21}});
    HostRules host;
    host.delay = 100;
    host.linelevel = 50;
    host.startheight = {0, 18, 1, 2, 3, 4, 5};
    host.occurancy.fill(100);
    const Bytes options = BuildGameOptions(host);
    const Bytes hello = buildHello("red", "Ann");
    const Bytes record = buildPlayerRecord(3, "Ann", "red");

    const auto inRange = [](int value, int max) { return value >= 0 && value <= max; };
    for (int round = 0; round < 3000; ++round) {
        const Bytes mutatedDump = mutate(random, dump);
        if (const auto field = decodeFieldDump(mutatedDump)) {
            EXPECT_EQ(encodeFieldDump(*field), mutatedDump);
        }

        const Bytes mutatedDiff = mutate(random, diff);
        for (const CellChange& change : validFieldChanges(mutatedDiff))
            ASSERT_TRUE(FieldCells::contains(change.x, change.y) && isWireCell(change.cell));
        if (const auto changes = decodeFieldDiff(mutatedDiff); changes && !changes->empty()) {
            for (const CellChange& change : *changes)
                ASSERT_TRUE(FieldCells::contains(change.x, change.y) && isWireCell(change.cell));
            EXPECT_EQ(encodeFieldDiff(*changes), mutatedDiff);
        }

        GameRules rules;
        BlockOccurancy percentages{};
        const Bytes mutatedOptions = mutate(random, options);
        if (ApplyGameOptions(mutatedOptions, rules, percentages)) {
            EXPECT_EQ(mutatedOptions.size(), kGameOptionsLength);
            for (int value : {rules.delay, rules.maxspecials, rules.startlevel})
                ASSERT_TRUE(inRange(value, 100));
            for (int value : {rules.linelevel, rules.raiselevel, rules.specialline, rules.specialsmade})
                ASSERT_TRUE(inRange(value, 50));
            for (int slot = 1; slot <= kPlayingSlots; ++slot)
                ASSERT_TRUE(inRange(rules.startheight[std::size_t(slot)], 18));
            for (int percentage : percentages)
                ASSERT_TRUE(inRange(percentage, 100));
        }

        const Bytes mutatedHello = mutate(random, hello);
        if (const auto parsed = parseHello(mutatedHello)) {
            EXPECT_EQ(buildHello(parsed->team, parsed->name, parsed->version), mutatedHello);
        }

        const Bytes mutatedRecord = mutate(random, record);
        const auto parsed = parsePlayerRecord(mutatedRecord);
        EXPECT_EQ(parsed.has_value(), !mutatedRecord.empty());
        if (parsed && mutatedRecord.find('\t', 1) != Bytes::npos) {
            EXPECT_EQ(buildPlayerRecord(parsed->index, parsed->name, parsed->team), mutatedRecord);
        }
    }
}
