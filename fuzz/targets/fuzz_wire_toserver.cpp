// A line from a client, as the server decodes it: the decoders of both entry points agree,
// what the layout fixes is in range, and the message encodes to a line that decodes to the
// same message (and encodes to the same line again).

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/wire/toserver.h"
#include "wirechecks.h"

#include <type_traits>

using namespace kalvon;
using namespace kalvon::wire::toServer;
using fuzz::checkInRange;

namespace {

void checkRanges(const Message& message)
{
    std::visit(
        [](const auto& m) {
            using M = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<M, FieldUpdate>)
                fuzz::checkChanges(m.changes);
            else if constexpr (std::is_same_v<M, TakeSpot>)
                checkInRange(m.slot, 0, kPlayingSlots);
            else if constexpr (std::is_same_v<M, MovePlayer>)
                checkInRange(m.slot, 0, kPlayingSlots);
            else if constexpr (std::is_same_v<M, CallKickVote>)
                FUZZ_CHECK(m.subject >= 1);
            else if constexpr (std::is_same_v<M, CallRuleVote>)
                FUZZ_CHECK(m.rule >= 0 && m.value >= 0);
            else if constexpr (std::is_same_v<M, RequestField>)
                FUZZ_CHECK(m.player == -1 || m.player >= 1);
            else if constexpr (std::is_same_v<M, Hello>)
                FUZZ_CHECK(m.team.find('\t') == Bytes::npos && m.name.find('\r') == Bytes::npos);
            else if constexpr (std::is_same_v<M, Private>)
                FUZZ_CHECK(m.addressee.find('\t') == Bytes::npos);
        },
        message);
}

} // namespace

struct Codec {
    static std::optional<Message> decode(BytesView line) { return wire::toServer::decode(line); }
    static std::optional<Message> decode(char code, BytesView payload)
    {
        return wire::toServer::decode(code, payload);
    }
    static Bytes encode(const Message& message) { return wire::toServer::encode(message); }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::checkLineThroughCodec<Codec>(fuzz::asBytes(data, size), checkRanges);
    return 0;
}
