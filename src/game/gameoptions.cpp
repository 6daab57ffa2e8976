#include "game/gameoptions.h"

#include "common/vbconv.h"

#include <algorithm>

namespace kalvon {

namespace {

// A rule field's text as a number; out-of-range values are clamped later by the encoder.
int fieldNumber(BytesView text)
{
    const double value = vb::roundHalfEven(vb::Val(text));
    return static_cast<int>(std::clamp(value, -1.0e6, 1.0e6));
}

} // namespace

EngineOptions engineOptionsFrom(const Options& options)
{
    const GraphicsSettings& g = options.graphics;
    EngineOptions engine;
    engine.sounds = isChecked(options.sound.sounds);
    engine.shadows = isChecked(g.shadows);
    engine.explode = isChecked(g.explode);
    engine.dropTrail = isChecked(g.dropTrail);
    engine.smoothFall = isChecked(g.smoothBlock);
    engine.bombAnimation = isChecked(g.bombExplode);
    engine.doors = isChecked(g.door);
    return engine;
}

wire::HostRules hostRulesFrom(const Options& options)
{
    const GameOptionSettings& o = options.gameOptions;
    wire::HostRules rules;
    rules.delay = fieldNumber(o.delay);
    rules.linelevel = fieldNumber(o.lineLevel);
    rules.raiselevel = fieldNumber(o.raiseLevel);
    rules.specialline = fieldNumber(o.specialLine);
    rules.specialsmade = fieldNumber(o.specialsMade);
    rules.maxspecials = fieldNumber(o.maxSpecials);
    rules.startlevel = fieldNumber(o.startLevel);
    rules.specials = o.specials;
    rules.classic = o.classic;
    rules.samelevel = o.sameLevel;
    rules.linespecial = o.lineSpecial;
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        rules.startheight[size_t(slot)] = fieldNumber(o.startHeight[size_t(slot - 1)]);
    rules.occurancy = options.blockOccurancy;
    return rules;
}

int keyRepeatDelay(const Options& options)
{
    return std::clamp<int>(options.controls.controlSensitivity, 1, 200);
}

} // namespace kalvon
