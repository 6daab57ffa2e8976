// The sixteen specials between clients: one used by this client goes to the server and
// through the own dispatcher; one received acts on the local field when this client is its
// target, marks the target's board for Flash Screen, Tremor and Holy Shield, counts for the
// statistics and is logged.

#include "common/clock.h"
#include "engine/gameengine.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/wire/toserver.h"

#include <array>

namespace kalvon {

using namespace wire;

namespace {

// When a special makes the receiving client report its field.
enum class FieldUpdate { None, WhenTarget, Always };

struct SpecialRule {
    BytesView word; // the log line's first word
    ChatColour colour; // its colour; the good specials are the ones in specialgood
    bool revenge; // hitting this client makes the sender the revenge target
    FieldUpdate update;
};

// In SpecialType order.
constexpr std::array<SpecialRule, kSpecialTypes> kSpecialRules = { {
    { "Addline", ChatColour::SpecialBad, false, FieldUpdate::Always },
    { "Clear Line", ChatColour::SpecialGood, false, FieldUpdate::Always },
    { "Nuke Field", ChatColour::SpecialGood, false, FieldUpdate::Always },
    { "Random Blocks Clear", ChatColour::SpecialBad, true, FieldUpdate::Always },
    { "Switch Field", ChatColour::SpecialBad, false, FieldUpdate::None },
    { "Clear Special Blocks", ChatColour::SpecialBad, true, FieldUpdate::WhenTarget },
    { "Gravity", ChatColour::SpecialGood, false, FieldUpdate::WhenTarget },
    { "Block Quake", ChatColour::SpecialBad, true, FieldUpdate::WhenTarget },
    { "Push Field", ChatColour::SpecialGood, false, FieldUpdate::WhenTarget },
    { "Flash Screen", ChatColour::SpecialBad, true, FieldUpdate::WhenTarget },
    { "Drop Block", ChatColour::SpecialBad, true, FieldUpdate::WhenTarget },
    { "Give Line", ChatColour::SpecialGood, false, FieldUpdate::WhenTarget },
    { "Tremor", ChatColour::SpecialBad, true, FieldUpdate::WhenTarget },
    { "Vertical Line Clear", ChatColour::SpecialBad, true, FieldUpdate::WhenTarget },
    { "Block Bomb", ChatColour::SpecialBad, true, FieldUpdate::Always },
    { "Holy Shield", ChatColour::SpecialGood, true, FieldUpdate::None },
} };

const SpecialRule& ruleOf(SpecialType special)
{
    return kSpecialRules[static_cast<std::size_t>(special)];
}

} // namespace

bool InternetClient::isGoodSpecial(SpecialType special)
{
    return ruleOf(special).colour == ChatColour::SpecialGood;
}

void InternetClient::SendSpecial(int slot)
{
    const PlayerInfo* target = m_roster.player(m_roster.spotPlayer(slot));
    if (!target || target->Dead)
        return;
    if (slot != m_roster.MySpot) {
        const std::optional<int> board = m_roster.boardOf(slot);
        if (board && m_boards.NetShieldActive[*board])
            return;
    }
    if (!m_engine.state().GameActive)
        return;
    host().Yield();
    // Events may have changed the spot or the inventory meanwhile.
    const int targetIndex = m_roster.spotPlayer(slot);
    target = m_roster.player(targetIndex);
    const std::vector<int16_t>& inventory = m_engine.state().lstSpecials[1];
    if (!target || inventory.empty())
        return;
    const int code = inventory.back();
    if (code < kFirstSpecialCode || code > kLastSpecialCode)
        return;
    const auto special = static_cast<SpecialType>(code - kFirstSpecialCode);

    if (sameTeam(target->Team, m_MyTeam))
        ++m_stats.SpecialsOnTeammates;
    ++m_stats.SpecialsUsed;
    if (slot == m_roster.MySpot)
        ++m_stats.SpecialsOnSelf;
    send(toServer::Special{ special, targetIndex });
    ++(isGoodSpecial(special) ? m_stats.GoodSpecialsUsed : m_stats.BadSpecialsUsed);

    m_engine.spendSpecialAtHand(1);
    // The server relays it to the others only: the own dispatcher applies and logs it here.
    dispatch(toClient::SpecialRelay{ special, m_roster.MyIndex, targetIndex });
}

void InternetClient::ClientMsgSpecial(const toClient::SpecialRelay& message)
{
    const SpecialType special = message.special;
    const int sender = message.sender;
    const int target = message.target;
    const SpecialRule& rule = ruleOf(special);
    if (m_roster.isMe(target)) {
        const PlayerInfo* from = m_roster.player(sender);
        if (rule.revenge && from)
            m_RevengeSlot = from->Slot;
        if (special != SpecialType::AddLine && from && !m_roster.isMe(sender)
            && sameTeam(from->Team, m_MyTeam))
            ++m_stats.TeamSpecialsReceived;
        ++m_stats.SpecialsReceived;
        // A spectator's field shows spot 1: nothing lands on it.
        if (m_roster.isPlaying())
            applySpecialHere(special);
        if (rule.update == FieldUpdate::WhenTarget)
            SendFieldUpdate();
    } else {
        markTargetBoard(special, target);
    }
    chat("\r\n" + Bytes(rule.word), true, rule.colour);
    chat(" on ", false, ChatColour::Normal);
    chat(m_roster.nameOf(target), true, ChatColour::SpecialTarget);
    chat(" from ", false, ChatColour::Normal);
    chat(m_roster.nameOf(sender), true, ChatColour::SpecialUser);
    if (rule.update == FieldUpdate::Always)
        SendFieldUpdate();
}

void InternetClient::applySpecialHere(SpecialType special)
{
    SpecialEffects& effects = m_engine.effects();
    switch (special) {
    case SpecialType::AddLine: effects.AddLine(1); break;
    case SpecialType::ClearLine: effects.ClearLine(1); break;
    case SpecialType::NukeField: effects.NukeField(1); break;
    case SpecialType::RandomClear: effects.RandomClear(1); break;
    case SpecialType::SwitchBlocks: break; // the server swaps the fields ("X")
    case SpecialType::ClearSpecials: effects.ClearSpecials(1); break;
    case SpecialType::BlockGravity:
        playSound(SoundSlot::LineClear);
        effects.BlockGravity(1);
        break;
    case SpecialType::BlockQuake: effects.BlockQuake(1); break;
    case SpecialType::PushField:
        playSound(SoundSlot::LineClear);
        effects.PushField(1);
        break;
    case SpecialType::FlashScreen: effects.FlashScreen(1); break;
    case SpecialType::DropBlock: m_engine.HardDrop(1); break;
    case SpecialType::GiveLine: effects.GiveLine(1); break;
    case SpecialType::Tremor: effects.StartTremor(1); break;
    case SpecialType::VerticalClear: effects.VerticalClear(1); break;
    case SpecialType::BlockBomb: effects.ExplodeBombBlocks(1); break;
    case SpecialType::HolyShield: effects.HolyShield(1); break;
    }
}

void InternetClient::markTargetBoard(SpecialType special, int target)
{
    const bool flash = special == SpecialType::FlashScreen;
    const bool tremor = special == SpecialType::Tremor;
    const bool shield = special == SpecialType::HolyShield;
    if (!flash && !tremor && !shield)
        return;
    const PlayerInfo* info = m_roster.player(target);
    const std::optional<int> board = info ? m_roster.boardOf(info->Slot) : std::nullopt;
    if (!board)
        return;
    const int b = *board;
    if (shield) {
        // Drawn by the next tick.
        if (!m_roster.Spectating) {
            m_boards.NetShieldStart[b] = now();
            m_boards.NetShieldActive[b] = true;
        }
        return;
    }
    (flash ? m_boards.NetFlashStart : m_boards.NetTremorStart)[b] = now();
    (flash ? m_boards.NetFlashActive : m_boards.NetTremorActive)[b] = true;
    redrawBoard(b);
}

} // namespace kalvon
