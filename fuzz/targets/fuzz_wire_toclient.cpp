// A line from a server, as the client decodes it: the decoders of both entry points agree,
// main indices and values are in range and bad elements were skipped, and the message encodes
// to a line that decodes to the same message (and encodes to the same line again).

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/wire/toclient.h"
#include "wirechecks.h"

#include <type_traits>

using namespace kalvon;
using namespace kalvon::wire::toClient;
using fuzz::checkInRange;

namespace {

void checkPlayer(int player)
{
    FUZZ_CHECK_MSG(player >= 1, "player " + std::to_string(player));
}

void checkRanges(const Message& message)
{
    std::visit(
        [](const auto& m) {
            using M = std::decay_t<decltype(m)>;
            // Messages whose main index is a player.
            if constexpr (requires { m.player; }
                && !std::is_same_v<M, Welcome> && !std::is_same_v<M, WelcomeRoom>)
                checkPlayer(m.player);
            if constexpr (std::is_same_v<M, Welcome> || std::is_same_v<M, WelcomeRoom>) {
                checkPlayer(m.player);
                FUZZ_CHECK(m.holders[0] == -1);
                for (int holder : m.holders)
                    FUZZ_CHECK(holder == -1 || holder >= 1);
            } else if constexpr (std::is_same_v<M, YourIndex>) {
                FUZZ_CHECK(m.index >= 0);
            } else if constexpr (std::is_same_v<M, SpotChanged>) {
                checkInRange(m.slot, 0, kPlayingSlots);
            } else if constexpr (std::is_same_v<M, GameSettings>) {
                fuzz::checkHostRules(m.options);
            } else if constexpr (std::is_same_v<M, GameStarted>) {
                if (m.options)
                    fuzz::checkHostRules(*m.options);
            } else if constexpr (std::is_same_v<M, FieldRelay>) {
                fuzz::checkChanges(m.changes);
            } else if constexpr (std::is_same_v<M, FullField> || std::is_same_v<M, SwapField>) {
                fuzz::checkField(m.field);
            } else if constexpr (std::is_same_v<M, LinesRelay>) {
                checkPlayer(m.sender);
                FUZZ_CHECK(m.lines >= 1 && m.lines <= 4);
            } else if constexpr (std::is_same_v<M, CommonLevel>) {
                checkInRange(m.level, kMinLevel, kMaxLevel);
            } else if constexpr (std::is_same_v<M, GameOver>) {
                for (int winner : m.winners)
                    checkPlayer(winner);
            } else if constexpr (std::is_same_v<M, KickVoteStarted>) {
                checkPlayer(m.caller);
                checkPlayer(m.subject);
            } else if constexpr (
                std::is_same_v<M,
                    VoteTally> || std::is_same_v<M, VoteResult> || std::is_same_v<M, RuleVoteResult>) {
                FUZZ_CHECK(m.yes >= 0 && m.no >= 0);
            } else if constexpr (std::is_same_v<M, RuleVoteStarted>) {
                checkPlayer(m.caller);
                FUZZ_CHECK(m.rule >= 0 && m.value >= 0);
            } else if constexpr (std::is_same_v<M, RoomList>) {
                FUZZ_CHECK(m.clients >= 0 && m.players >= 0);
                FUZZ_CHECK(m.name.find('\t') == Bytes::npos);
            } else if constexpr (
                std::is_same_v<M,
                    PlayerJoined> || std::is_same_v<M, PlayerInfo> || std::is_same_v<M, PlayerEnteredRoom>) {
                FUZZ_CHECK(m.name.find('\t') == Bytes::npos);
            }
        },
        message);
}

} // namespace

struct Codec {
    static std::optional<Message> decode(BytesView line) { return wire::toClient::decode(line); }
    static std::optional<Message> decode(char code, BytesView payload)
    {
        return wire::toClient::decode(code, payload);
    }
    static Bytes encode(const Message& message) { return wire::toClient::encode(message); }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::checkLineThroughCodec<Codec>(fuzz::asBytes(data, size), checkRanges);
    return 0;
}
