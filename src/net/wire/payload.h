#pragma once
// Parts of payloads that several messages share, for the two directions' codecs.

#include "common/bytes.h"
#include "engine/types.h"
#include "net/wire/encodings.h"

#include <optional>
#include <utility>

namespace kalvon::wire {

// The value of a payload that is exactly one PlayerChar.
inline std::optional<int> onlyPlayerChar(BytesView payload)
{
    if (payload.size() != 1)
        return std::nullopt;
    return playerValue(payload.front());
}

// PlayerChar(player) followed by the rest.
inline Bytes withPlayer(int player, BytesView rest)
{
    Bytes payload(1, PlayerChar(player));
    payload += rest;
    return payload;
}

// Player indices start at 1; playing slots run 1..6, 0 standing for the spectators.
inline bool isPlayerIndex(int value)
{
    return value >= 1;
}
inline bool isSlotOrSpectators(int value)
{
    return value >= 0 && value <= kPlayingSlots;
}

// The text before and after its first TAB; nothing without one.
inline std::optional<std::pair<BytesView, BytesView>> splitAtTab(BytesView text)
{
    const auto tab = text.find('\t');
    if (tab == BytesView::npos)
        return std::nullopt;
    return std::pair{ text.substr(0, tab), text.substr(tab + 1) };
}

// The texts joined by a TAB.
inline Bytes joinedByTab(BytesView first, BytesView second)
{
    Bytes text(first);
    text += '\t';
    text += second;
    return text;
}

} // namespace kalvon::wire
