// Tremor, Flash Screen and Holy Shield: when the tick ends them, and what a second start does.

#include "specialsrig.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(TimedSpecials, EndAtTheirBoundariesAndASecondStartOnlyRenewsTheShield)
{
    using Start = void (GameSpecials::*)(int);
    struct Case {
        const char* name;
        Start start;
        bool* (*flag)(EngineState&);
        bool secondStart; // started again 3000 ms in
        int64_t lastOn, firstOff; // milliseconds after the first start
    };
    const auto tremor = [](EngineState& s) { return &s.TremorActive[2]; };
    const auto flash = [](EngineState& s) { return &s.FlashActive[2]; };
    const auto shield = [](EngineState& s) { return &s.ShieldActive[2]; };
    const Case cases[] = {
        { "Tremor ends at 7000 ms", &GameSpecials::StartTremor, tremor, false, 6999, 7000 },
        { "Flash Screen ends after 7000 ms", &GameSpecials::FlashScreen, flash, false, 7000, 7001 },
        { "Holy Shield ends after 7000 ms", &GameSpecials::HolyShield, shield, false, 7000, 7001 },
        { "a second Tremor is ignored", &GameSpecials::StartTremor, tremor, true, 6999, 7000 },
        { "a second Flash Screen ends with the first", &GameSpecials::FlashScreen, flash, true, 7000, 7001 },
        { "a second Holy Shield lasts 7000 ms from itself", &GameSpecials::HolyShield, shield, true, 10000,
            10001 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        const int64_t start = 20'000;
        rig.clock.set(start);
        (rig.specials.*c.start)(2);
        if (c.secondStart) {
            rig.clock.set(start + 3000);
            rig.engine.endTimedEffects(2, rig.clock.nowMs());
            (rig.specials.*c.start)(2);
        }
        bool& on = *c.flag(rig.state());
        rig.engine.endTimedEffects(2, start + c.lastOn);
        EXPECT_TRUE(on);
        rig.engine.endTimedEffects(2, start + c.firstOff);
        EXPECT_FALSE(on);
    }
}

TEST(TimedSpecials, EachPlayerHasHisOwn)
{
    SpecialsRig rig;
    rig.specials.FlashScreen(1);
    rig.specials.StartTremor(2);
    rig.clock.advance(5000);
    rig.specials.HolyShield(2);
    rig.engine.endTimedEffects(1, rig.clock.nowMs() + 2001);
    rig.engine.endTimedEffects(2, rig.clock.nowMs() + 2001);
    EXPECT_FALSE(rig.state().FlashActive[1]);
    EXPECT_FALSE(rig.state().TremorActive[2]);
    EXPECT_TRUE(rig.state().ShieldActive[2]);
    EXPECT_FALSE(rig.state().FlashActive[2]);
    EXPECT_FALSE(rig.state().ShieldActive[1]);
}
