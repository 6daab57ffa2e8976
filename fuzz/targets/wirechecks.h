#pragma once
// The ranges a decoded wire value must keep, shared by the codec's targets.

#include "harness/fuzzcheck.h"
#include "net/wire/field.h"
#include "net/wire/gameoptions.h"
#include "net/wire/line.h"

#include <optional>
#include <vector>

namespace kalvon::fuzz {

inline void checkCell(int cell)
{
    FUZZ_CHECK(wire::isWireCell(cell));
}

inline void checkChanges(const std::vector<wire::CellChange>& changes)
{
    for (const wire::CellChange& change : changes) {
        FUZZ_CHECK(wire::FieldCells::contains(change.x, change.y));
        checkCell(change.cell);
    }
}

inline void checkField(const wire::FieldCells& field)
{
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y)
            checkCell(field.at(x, y));
    }
}

inline void checkInRange(int value, int low, int high)
{
    FUZZ_CHECK_MSG(value >= low && value <= high,
        std::to_string(value) + " outside " + std::to_string(low) + ".." + std::to_string(high));
}

// Decoded game options: every value clamped to its rule's range.
inline void checkHostRules(const wire::HostRules& rules)
{
    for (int percent : { rules.delay, rules.maxspecials, rules.startlevel })
        checkInRange(percent, 0, 100);
    for (int step : { rules.linelevel, rules.raiselevel, rules.specialline, rules.specialsmade })
        checkInRange(step, 0, 50);
    for (int flag : { rules.specials, rules.classic, rules.samelevel, rules.linespecial })
        checkInRange(flag, 0, 155);
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        checkInRange(rules.startheight[size_t(slot)], 0, 18);
    FUZZ_CHECK(rules.startheight[0] == 0);
    for (int percent : rules.occurancy)
        checkInRange(percent, 0, 100);
}

// One direction's line through its codec (`Codec::decode` of a line and of a code and payload,
// `Codec::encode`): both decoders agree, the message passes `checkRanges`, and it encodes to a
// line that decodes to the same message and encodes to the same line again.
template <class Codec, class CheckRanges> void checkLineThroughCodec(BytesView line, CheckRanges checkRanges)
{
    const auto message = Codec::decode(line);
    if (const std::optional<wire::RawLine> raw = wire::parseLine(line))
        FUZZ_CHECK(Codec::decode(raw->code, raw->payload) == message);
    else
        FUZZ_CHECK(!message);
    if (!message)
        return;

    checkRanges(*message);
    const Bytes encoded = Codec::encode(*message);
    const auto again = Codec::decode(encoded);
    FUZZ_CHECK_MSG(again == message, "re-encoded as " + printable(encoded));
    FUZZ_CHECK(Codec::encode(*again) == encoded);
}

} // namespace kalvon::fuzz
