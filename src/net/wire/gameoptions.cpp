#include "net/wire/gameoptions.h"

#include "net/wire/encodings.h"

#include <algorithm>

namespace kalvon::wire {

namespace {

constexpr int kMaxOptionValue = 255 - kOptionOffset;

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
    explicit OptionReader(BytesView text)
        : m_text(text)
    {
    }
    int next(int max) { return std::clamp(optionValue(m_text[m_pos++]), 0, max); }

private:
    BytesView m_text;
    std::size_t m_pos = 0;
};

} // namespace

Bytes BuildGameOptions(const HostRules& host)
{
    OptionWriter out;
    for (int value :
        { host.delay, host.linelevel, host.raiselevel, host.specialline, host.specialsmade, host.maxspecials,
            host.specials, host.classic, host.startlevel, host.samelevel, host.linespecial })
        out.put(value);
    for (int entry : kOccurancyOrder)
        out.put(host.occurancy[static_cast<std::size_t>(entry)]);
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        out.put(host.startheight[static_cast<std::size_t>(slot)]);
    return out.take();
}

std::optional<HostRules> decodeGameOptions(BytesView options)
{
    if (options.size() != kGameOptionsLength)
        return std::nullopt;
    OptionReader in(options);
    HostRules host;
    host.delay = in.next(kPercentMax);
    host.linelevel = in.next(kStepMax);
    host.raiselevel = in.next(kStepMax);
    host.specialline = in.next(kStepMax);
    host.specialsmade = in.next(kStepMax);
    host.maxspecials = in.next(kPercentMax);
    host.specials = in.next(kMaxOptionValue);
    host.classic = in.next(kMaxOptionValue);
    host.startlevel = in.next(kPercentMax);
    host.samelevel = in.next(kMaxOptionValue);
    host.linespecial = in.next(kMaxOptionValue);
    for (int entry : kOccurancyOrder)
        host.occurancy[static_cast<std::size_t>(entry)] = static_cast<int16_t>(in.next(kPercentMax));
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        host.startheight[static_cast<std::size_t>(slot)] = in.next(kHeightMax);
    return host;
}

void ApplyGameOptions(const HostRules& options, GameRules& rules, BlockOccurancy& inetOccurancy)
{
    rules.delay = static_cast<int16_t>(options.delay);
    rules.linelevel = static_cast<int16_t>(options.linelevel);
    rules.raiselevel = static_cast<int16_t>(options.raiselevel);
    rules.specialline = static_cast<int16_t>(options.specialline);
    rules.specialsmade = static_cast<int16_t>(options.specialsmade);
    rules.maxspecials = static_cast<int16_t>(options.maxspecials);
    rules.specials = IsOne(options.specials);
    rules.classic = IsOne(options.classic);
    rules.startlevel = static_cast<int16_t>(options.startlevel);
    rules.samelevel = IsOne(options.samelevel);
    rules.linespecial = IsOne(options.linespecial);
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        rules.startheight[s] = static_cast<int16_t>(options.startheight[s]);
    }
    inetOccurancy = options.occurancy;
}

bool ApplyGameOptions(BytesView options, GameRules& rules, BlockOccurancy& inetOccurancy)
{
    const std::optional<HostRules> decoded = decodeGameOptions(options);
    if (!decoded)
        return false;
    ApplyGameOptions(*decoded, rules, inetOccurancy);
    return true;
}

Bytes encodeRoomOptions(const RoomOptions& options)
{
    Bytes text;
    text.reserve(options.size());
    for (int value : options)
        text += OptionChar(value);
    return text;
}

std::optional<RoomOptions> decodeRoomOptions(BytesView text)
{
    if (text.size() != kGameOptionsLength)
        return std::nullopt;
    RoomOptions options{};
    for (std::size_t i = 0; i < options.size(); ++i)
        options[i] = optionValue(text[i]);
    return options;
}

} // namespace kalvon::wire
