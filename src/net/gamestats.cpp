#include "net/gamestats.h"

#include "common/vbconv.h"

namespace kalvon {

namespace {

Bytes line(BytesView caption, BytesView value)
{
    Bytes text(caption);
    text += value;
    return text;
}

Bytes line(BytesView caption, int64_t value)
{
    return line(caption, vb::formatInt(value));
}

} // namespace

GameTime gameTimeOf(int64_t elapsedMs)
{
    const auto seconds = static_cast<int64_t>(vb::roundHalfEven(double(elapsedMs) / 1000.0));
    GameTime time;
    time.minutes = static_cast<int64_t>(vb::roundHalfEven(double(seconds) / 60.0));
    time.seconds = seconds - 60 * time.minutes;
    if (time.seconds < 0) {
        time.seconds += 60;
        --time.minutes;
    }
    return time;
}

Bytes FormatPerMinute(int64_t n, GameTime time)
{
    const double minutes = double(time.minutes) + double(time.seconds) / 60.0;
    if (minutes <= 0.0)
        return "0";
    return vb::formatGeneral(vb::roundHalfEven(double(n) / minutes, 2));
}

std::vector<Bytes> GameStatisticsLines(const StatisticsInput& in)
{
    const GameStats& s = in.stats;
    std::vector<Bytes> lines = {
        "---- Game Statisitics ----",
        line("Game Time: ",
            vb::formatInt(in.time.minutes) + " min " + vb::formatInt(in.time.seconds) + " sec"),
        line("Winner(s): ", in.winners),
        line("Number of lines: ", in.lines),
        line("Lines per minute: ", FormatPerMinute(in.lines, in.time)),
        line("Number of quads: ", in.quads),
        line("Quads per minute: ", FormatPerMinute(in.quads, in.time)),
        line("Number of lines added to all: ", s.LinesAddedToAll),
    };
    if (!in.specials)
        return lines;
    lines.push_back(line("Number of specials gained: ", s.SpecialsGained));
    lines.push_back(line("Number of specials used: ", s.SpecialsUsed));
    lines.push_back(line("Number of specials used on self: ", s.SpecialsOnSelf));
    lines.push_back(line("Number of good specials used: ", s.GoodSpecialsUsed));
    lines.push_back(line("Number of bad specials used: ", s.BadSpecialsUsed));
    lines.push_back(line("Number of specials received: ", s.SpecialsReceived));
    if (in.onTeam) {
        lines.push_back(line("Number of specials used on teammates: ", s.SpecialsOnTeammates));
        lines.push_back(line("Number of specials received from teammates: ", s.TeamSpecialsReceived));
    }
    lines.push_back(line("Specials used per minute: ", FormatPerMinute(s.SpecialsUsed, in.time)));
    lines.push_back(line("Specials received per minute: ", FormatPerMinute(s.SpecialsReceived, in.time)));
    return lines;
}

} // namespace kalvon
