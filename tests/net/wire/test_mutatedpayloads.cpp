// Payloads a hostile peer may send: thousands of mutations of well-formed ones. A decoder either
// refuses a payload or gives values inside their ranges, from which the payload is built again.

#include "net/wire/field.h"
#include "net/wire/gameoptions.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

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

bool inRange(int value, int min, int max)
{
    return value >= min && value <= max;
}

// The values of a decoded message lie in the ranges its receiver relies on.
template <class M> void expectCheckedValues(const M& m)
{
    if constexpr (requires { m.changes; }) {
        for (const CellChange& change : m.changes)
            ASSERT_TRUE(FieldCells::contains(change.x, change.y) && isWireCell(change.cell));
    }
    if constexpr (requires { m.slot; }) {
        ASSERT_TRUE(inRange(m.slot, 0, kPlayingSlots));
    }
    if constexpr (requires { m.holders; }) {
        for (int slot = 1; slot <= kPlayingSlots; ++slot)
            ASSERT_TRUE(m.holders[std::size_t(slot)] == -1 || m.holders[std::size_t(slot)] >= 1);
    }
    if constexpr (requires { m.winners; }) {
        for (int winner : m.winners)
            ASSERT_GE(winner, 1);
    }
    if constexpr (requires { m.yes; }) {
        ASSERT_TRUE(m.yes >= 0 && m.no >= 0);
    }
}

void expectCheckedValues(const toClient::Message& message)
{
    std::visit([](const auto& m) { expectCheckedValues(m); }, message);
    using namespace toClient;
    if (const auto* m = std::get_if<LinesRelay>(&message)) {
        ASSERT_TRUE(m->sender >= 1 && inRange(m->lines, 1, 4));
    }
    if (const auto* m = std::get_if<CommonLevel>(&message)) {
        ASSERT_TRUE(inRange(m->level, 0, 100));
    }
    std::visit(
        [](const auto& m) {
            if constexpr (requires { m.player; }) {
                ASSERT_GE(m.player, 1);
            }
        },
        message);
}

void expectCheckedValues(const toServer::Message& message)
{
    std::visit([](const auto& m) { expectCheckedValues(m); }, message);
    if (const auto* m = std::get_if<toServer::RequestField>(&message)) {
        ASSERT_TRUE(m->player == -1 || m->player >= 1);
    }
    if (const auto* m = std::get_if<toServer::CallKickVote>(&message)) {
        ASSERT_GE(m->subject, 1);
    }
}

// Mutations of each line decode to nothing or to checked values that encode to a line
// decoding to the same message.
template <class Message, class Decode>
void expectMutationsDecodeSafely(std::mt19937& random, const std::vector<Message>& samples, Decode decode)
{
    for (const Message& sample : samples) {
        const Bytes line = std::visit([](const auto& m) { return encode(m); }, sample);
        ASSERT_EQ(decode(line), sample);
        for (int round = 0; round < 300; ++round) {
            const Bytes mutated = mutate(random, line);
            const std::optional<Message> message = decode(mutated);
            if (!message)
                continue;
            SCOPED_TRACE(::testing::PrintToString(mutated));
            expectCheckedValues(*message);
            const Bytes again = std::visit([](const auto& m) { return encode(m); }, *message);
            EXPECT_EQ(decode(again), message);
        }
    }
}

} // namespace

TEST(MutatedPayloads, DecodedValuesAreInRangeAndEncodeBackToThePayload)
{
    std::mt19937 random(20240611);
    const Bytes dump = encodeFieldDump(someField());
    const Bytes diff = encodeFieldDiff({ { 0, 0, 5 }, { 11, 21, kEmptyCell }, { 4, 7, 21 } });
    HostRules host;
    host.delay = 100;
    host.linelevel = 50;
    host.startheight = { 0, 18, 1, 2, 3, 4, 5 };
    host.occurancy.fill(100);
    const Bytes options = BuildGameOptions(host);

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
            for (int value : { rules.delay, rules.maxspecials, rules.startlevel })
                ASSERT_TRUE(inRange(value, 100));
            for (int value : { rules.linelevel, rules.raiselevel, rules.specialline, rules.specialsmade })
                ASSERT_TRUE(inRange(value, 50));
            for (int slot = 1; slot <= kPlayingSlots; ++slot)
                ASSERT_TRUE(inRange(rules.startheight[std::size_t(slot)], 18));
            for (int percentage : percentages)
                ASSERT_TRUE(inRange(percentage, 100));
        }
    }
}

TEST(MutatedPayloads, EveryMessageDecodesToCheckedValuesOrNothing)
{
    std::mt19937 random(20240612);
    HostRules rules;
    rules.maxspecials = 16;
    rules.startheight = { 0, 18, 1, 2, 3, 4, 5 };
    RoomOptions roomOptions{};
    roomOptions.fill(-1);
    const std::vector<CellChange> changes = { { 0, 0, 5 }, { 11, 21, kEmptyCell }, { 4, 7, 21 } };
    toClient::SlotHolders holders = { -1, 1, -1, 3, -1, -1, 2 };

    expectMutationsDecodeSafely(random,
        std::vector<toServer::Message>{ toServer::Hello{ "red", "Ann" }, toServer::SetTeam{ "red" },
            toServer::FieldUpdate{ changes }, toServer::Special{ SpecialType::Tremor, 3 },
            toServer::LinesToAll{ 4 }, toServer::CommonLevel{ 7 }, toServer::TakeSpot{ 3 },
            toServer::CallKickVote{ 2 }, toServer::CallRuleVote{ 3, 9 }, toServer::Private{ "bob", "hi" },
            toServer::JoinRoom{ "lobby", "pw" }, toServer::CreateRoom{ "lobby", "\r", roomOptions },
            toServer::RequestField{ -1 }, toServer::MovePlayer{ 4, "bob" }, toServer::VoteYes{} },
        [](BytesView line) { return toServer::decode(line); });
    expectMutationsDecodeSafely(random,
        std::vector<toClient::Message>{ toClient::TeamChanged{ 2, "red" }, toClient::YourIndex{ 3 },
            toClient::ChatLine{ 2, "hi" }, toClient::Welcome{ 3, holders, true },
            toClient::WelcomeRoom{ 3, holders, false }, toClient::GameSettings{ rules },
            toClient::GameStarted{ rules }, toClient::PlayerLeft{ 3 }, toClient::FieldRelay{ 2, changes },
            toClient::SpecialRelay{ SpecialType::NukeField, 1, 2 }, toClient::LinesRelay{ 2, 4 },
            toClient::GameOver{ { 1, 3 } }, toClient::CommonLevel{ 99 },
            toClient::PlayerJoined{ 3, "Ann", "red" }, toClient::FullField{ 2, someField() },
            toClient::SwapField{ someField() }, toClient::SpotChanged{ 2, 5 },
            toClient::KickVoteStarted{ 1, 2 }, toClient::VoteTally{ 2, 1 },
            toClient::PrivateLine{ 3, "psst" }, toClient::AdminReply{ true },
            toClient::RoomList{ 3, 2, true, false, "lobby", roomOptions },
            toClient::RuleVoteStarted{ 1, 4, 20 }, toClient::RuleVoteResult{ true, 3, 1 } },
        [](BytesView line) { return toClient::decode(line); });
}
