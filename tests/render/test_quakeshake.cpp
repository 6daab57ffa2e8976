// Block Quake runs to its end at once, so the renderer keeps shaking the field for 300 ms after
// the quake's own draws: on the fake clock, the offsets during the after-shake and none after.

#include "renderrig.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::pixelName;
using testing::RenderRig;
using testing::setField;

class QuakeShakeTest : public ::testing::Test {
protected:
    QuakeShakeTest()
    {
        EngineState& s = rig.state();
        setField(s, 1, { ".....1......" });
        setField(s, 2, { ".....1......" });
        s.GameActive = true;
    }

    // Block Quake's draws of field p: the quake flag is set only while it runs.
    void quake(int p)
    {
        EngineState& s = rig.state();
        s.QuakeActive[p] = true;
        rig.drawRandom.add({ 0.5 }); // no offset for the quake's own draw
        rig.renderer.DrawField(p);
        s.QuakeActive[p] = false;
    }

    // Where field p's block lies now: its left edge, after one draw.
    int blockLeft(int p)
    {
        rig.renderer.DrawField(p);
        const Surface& field = rig.field(p);
        for (int x = 0; x < 192; ++x) {
            if (pixelName(field.pixel(x, 344)).rfind("T1f", 0) == 0)
                return x;
        }
        return -1;
    }

    RenderRig rig;
};

TEST_F(QuakeShakeTest, FieldShakesForThreeHundredMillisecondsAfterTheQuakeThenStands)
{
    quake(1);
    const struct {
        int64_t after; // ms since the quake's last draw
        std::vector<double> script;
        int left;
    } draws[] = {
        { 0, { 0.0 }, 80 - 32 },
        { 10, { 0.75 }, 80 + 16 },
        { 150, { 0.25 }, 80 - 16 },
        { 299, { 0.99 }, 80 + 31 },
        { 300, {}, 80 },
        { 1000, {}, 80 },
    };
    const int64_t start = rig.game.clock.nowMs();
    for (const auto& d : draws) {
        SCOPED_TRACE(d.after);
        rig.game.clock.set(start + d.after);
        rig.drawRandom.values.assign(d.script.begin(), d.script.end());
        EXPECT_EQ(blockLeft(1), d.left);
        EXPECT_EQ(rig.renderer.fieldShaking(1), !d.script.empty()) << "a shaken draw is drawn again";
        EXPECT_TRUE(rig.drawRandom.values.empty());
    }
    EXPECT_FALSE(rig.renderer.fieldShaking(2)) << "only the quaking field shakes";
    EXPECT_EQ(rig.game.random.drawn, 0) << "the engine's random numbers are left alone";
}

TEST_F(QuakeShakeTest, NoShakeOnceTheGameIsOverAndTremorKeepsItsWiderRange)
{
    EngineState& s = rig.state();
    quake(2);
    rig.game.clock.advance(100);
    s.TremorActive[2] = true;
    rig.drawRandom.values = { 0.0, 0.0 }; // the quake's number, then Tremor's
    EXPECT_EQ(blockLeft(2), 80 - 64);
    s.TremorActive[2] = false;

    s.GameActive = false;
    EXPECT_EQ(blockLeft(2), 80);
    EXPECT_FALSE(rig.renderer.fieldShaking(2));

    // A quake drawn while no game is active leaves no after-shake.
    quake(1);
    s.GameActive = true;
    rig.drawRandom.values.clear();
    EXPECT_EQ(blockLeft(1), 80);
}

} // namespace
} // namespace kalvon
