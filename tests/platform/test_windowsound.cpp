// Sound effects obey the sounds option; the stay-on-top option sets or clears the window hint.

#include "platform/soundeffects.h"
#include "platform/windowutils.h"

#include <QWindow>
#include <gtest/gtest.h>
#include <vector>

using namespace kalvon;

namespace {
class RecordingEffects final : public SoundEffects {
public:
    std::vector<std::filesystem::path> played;
    void play(const std::filesystem::path& file) override { played.push_back(file); }
};
} // namespace

TEST(PlaySoundFile, OnlyWhenSoundsAreOn)
{
    RecordingEffects effects;
    PlaySoundFile(effects, 0, "off.wav");
    PlaySoundFile(effects, 1, "on.wav");
    PlaySoundFile(effects, 2, "greyed.wav"); // any value but 0 counts as on
    EXPECT_EQ(effects.played, (std::vector<std::filesystem::path>{ "on.wav", "greyed.wav" }));
}

TEST(StayOnTop, FollowsTheOptionValue)
{
    QWindow window;
    ApplyStayOnTop(&window, 1);
    EXPECT_TRUE(window.flags().testFlag(Qt::WindowStaysOnTopHint));
    ClearTopmost(&window);
    EXPECT_FALSE(window.flags().testFlag(Qt::WindowStaysOnTopHint));
    ApplyStayOnTop(&window, 1);
    ApplyStayOnTop(&window, 2); // a greyed check box removes the state
    EXPECT_FALSE(window.flags().testFlag(Qt::WindowStaysOnTopHint));
    ApplyStayOnTop(nullptr, 1); // no window: nothing happens
}
