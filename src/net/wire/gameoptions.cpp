#include "net/wire/gameoptions.h"

#include "net/wire/encodings.h"

#include <algorithm>

namespace kalvon::wire {

namespace {

constexpr int kMaxOptionValue = 255 - kOptionOffset;

// BlockOccurancy entries in the order of positions 12 to 34.
constexpr std::array<int, kOccurancyEntries> kOccurancyOrder = {
    // pieces: lblock, lblock2, lines, sblock, square, tblock, zblock
    5, 6, 1, 3, 4, 0, 2,
    // specials by SpecialType: a, c, b, d, f, g, l, n, p, q, r, s, t, v, o, holy shield
    kPieceTypes + 0, kPieceTypes + 1, kPieceTypes + 5, kPieceTypes + 10, kPieceTypes + 9,
    kPieceTypes + 6, kPieceTypes + 11, kPieceTypes + 2, kPieceTypes + 8, kPieceTypes + 7,
    kPieceTypes + 3, kPieceTypes + 4, kPieceTypes + 12, kPieceTypes + 13, kPieceTypes + 14,
    kPieceTypes + 15,
};

constexpr int kPercentMax = 100;
constexpr int kStepMax = 50;
constexpr int kHeightMax = 18;

class OptionWriter {
public:
    void put(int value) { m_text += OptionChar(std::clamp(value, 0, kMaxOptionValue)); }
    Bytes take() { return std::move(m_text); }

private:
    Bytes m_text;
};

class OptionReader {
public:
    explicit OptionReader(BytesView text) : m_text(text) {}
    int16_t next(int max) { return static_cast<int16_t>(std::clamp(optionValue(m_text[m_pos++]), 0, max)); }
    bool nextSwitch() { return IsOne(optionValue(m_text[m_pos++])); }

private:
    BytesView m_text;
    std::size_t m_pos = 0;
};

} // namespace

Bytes BuildGameOptions(const HostRules& host)
{
    OptionWriter out;
    for (int value : {host.delay, host.linelevel, host.raiselevel, host.specialline, host.specialsmade,
                      host.maxspecials, host.specials, host.classic, host.startlevel, host.samelevel,
                      host.linespecial})
        out.put(value);
    for (int entry : kOccurancyOrder)
        out.put(host.occurancy[static_cast<std::size_t>(entry)]);
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        out.put(host.startheight[static_cast<std::size_t>(slot)]);
    return out.take();
}

bool ApplyGameOptions(BytesView options, GameRules& rules, BlockOccurancy& inetOccurancy)
{
    if (options.size() != kGameOptionsLength)
        return false;
    OptionReader in(options);
    rules.delay = in.next(kPercentMax);
    rules.linelevel = in.next(kStepMax);
    rules.raiselevel = in.next(kStepMax);
    rules.specialline = in.next(kStepMax);
    rules.specialsmade = in.next(kStepMax);
    rules.maxspecials = in.next(kPercentMax);
    rules.specials = in.nextSwitch();
    rules.classic = in.nextSwitch();
    rules.startlevel = in.next(kPercentMax);
    rules.samelevel = in.nextSwitch();
    rules.linespecial = in.nextSwitch();
    for (int entry : kOccurancyOrder)
        inetOccurancy[static_cast<std::size_t>(entry)] = in.next(kPercentMax);
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        rules.startheight[static_cast<std::size_t>(slot)] = in.next(kHeightMax);
    return true;
}

} // namespace kalvon::wire
