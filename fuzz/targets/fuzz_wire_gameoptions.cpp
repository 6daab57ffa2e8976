// The game options string: it decodes exactly when it is 40 bytes, into values clamped to
// their rules' ranges, and building it again from them decodes to the same rules; applying the
// text and applying its decoded rules set the same game rules. The room options carry their
// 40 values exactly. Options built from any numbers decode to those numbers clamped.

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/wire/gameoptions.h"
#include "wirechecks.h"

#include <algorithm>

using namespace kalvon;
using namespace kalvon::wire;

namespace {

void checkDecoded(BytesView bytes)
{
    const std::optional<HostRules> rules = decodeGameOptions(bytes);
    FUZZ_CHECK(rules.has_value() == (bytes.size() == kGameOptionsLength));
    GameRules applied{};
    BlockOccurancy occurancy{};
    FUZZ_CHECK(ApplyGameOptions(bytes, applied, occurancy) == rules.has_value());
    if (!rules)
        return;
    fuzz::checkHostRules(*rules);
    const Bytes built = BuildGameOptions(*rules);
    FUZZ_CHECK(built.size() == kGameOptionsLength);
    FUZZ_CHECK(decodeGameOptions(built) == rules);

    GameRules direct{};
    BlockOccurancy directOccurancy{};
    ApplyGameOptions(*rules, direct, directOccurancy);
    FUZZ_CHECK(directOccurancy == occurancy && directOccurancy == rules->occurancy);
    FUZZ_CHECK(direct.specials == IsOne(rules->specials) && applied.specials == direct.specials);
    FUZZ_CHECK(direct.classic == IsOne(rules->classic) && applied.classic == direct.classic);
    FUZZ_CHECK(direct.delay == rules->delay && applied.delay == direct.delay);
    FUZZ_CHECK(direct.startheight == applied.startheight);
}

void checkRoomOptions(BytesView bytes)
{
    const std::optional<RoomOptions> options = decodeRoomOptions(bytes);
    FUZZ_CHECK(options.has_value() == (bytes.size() == kGameOptionsLength));
    if (options)
        FUZZ_CHECK(encodeRoomOptions(*options) == bytes);
}

// Rules from any 16-bit numbers of the input, built and decoded.
void checkBuilt(BytesView bytes)
{
    fuzz::FuzzInput input(bytes);
    const auto number = [&] { return int(int16_t(uint16_t(input.byte() << 8 | input.byte()))); };
    HostRules host;
    for (int* value : { &host.delay, &host.linelevel, &host.raiselevel, &host.specialline, &host.specialsmade,
             &host.maxspecials, &host.specials, &host.classic, &host.startlevel, &host.samelevel,
             &host.linespecial })
        *value = number();
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        host.startheight[size_t(slot)] = number();
    for (int16_t& percent : host.occurancy)
        percent = int16_t(number());

    const Bytes built = BuildGameOptions(host);
    FUZZ_CHECK(built.size() == kGameOptionsLength);
    const std::optional<HostRules> decoded = decodeGameOptions(built);
    FUZZ_CHECK(decoded.has_value());
    fuzz::checkHostRules(*decoded);
    const auto clamped = [](int value, int high) { return std::clamp(value, 0, high); };
    FUZZ_CHECK(decoded->delay == clamped(host.delay, 100));
    FUZZ_CHECK(decoded->linelevel == clamped(host.linelevel, 50));
    FUZZ_CHECK(decoded->classic == clamped(host.classic, 155));
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        FUZZ_CHECK(decoded->startheight[size_t(slot)] == clamped(host.startheight[size_t(slot)], 18));
    for (size_t i = 0; i < host.occurancy.size(); ++i)
        FUZZ_CHECK(decoded->occurancy[i] == clamped(host.occurancy[i], 100));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BytesView bytes = fuzz::asBytes(data, size);
    checkDecoded(bytes);
    checkRoomOptions(bytes);
    checkBuilt(bytes);
    return 0;
}
