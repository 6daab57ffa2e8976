// The settings a fresh install starts with.

#include "engine/store/defaultsettings.h"
#include "engine/store/settingsfile.h"
#include "optionsprinter.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>
#include <map>

namespace kalvon {
namespace {

using testing::readFile;
using testing::ScratchFolder;

TEST(DefaultSettings, InstalledOnlyWhereNoSettingsFileExists)
{
    ScratchFolder folder;
    const auto file = folder / "kalvon.ini";
    ASSERT_TRUE(installDefaultSettings(file));
    Options installed;
    LoadSettings(file, installed);
    EXPECT_EQ(installed, defaultInstallOptions());
    EXPECT_EQ(installed.general.gameMode, GameMode::OnePlayer); // playable without a server
    EXPECT_EQ(installed.network.maxClients, "6"); // a server that starts as it is

    // Whatever is there already, even a file that reads as nothing, stays.
    for (const char* existing : { "", "[General]\r\ngamemode=1\r\n" }) {
        folder.write("kalvon.ini", existing);
        EXPECT_FALSE(installDefaultSettings(file));
        EXPECT_EQ(readFile(file), existing);
    }
}

TEST(DefaultSettings, EveryPlayableActionHasItsOwnKey)
{
    const ControlSettings controls = defaultControls();
    std::map<int16_t, int> uses;
    const auto bind = [&](int player, int action) {
        const int16_t code = controls.keyBindings[player - 1][action];
        SCOPED_TRACE(::testing::Message() << "player " << player << " action " << action);
        EXPECT_NE(code, kKeyNotSet);
        // F1-F3 (help, start, pause), BackSpace (unbinds) and Escape (closes the talk box) are
        // taken by the window.
        EXPECT_TRUE(code != 8 && code != 27 && (code < 112 || code > 114));
        ++uses[code];
    };
    for (int player = 1; player <= 2; ++player) {
        for (int action = 0; action <= static_cast<int>(KeyAction::Discard); ++action)
            bind(player, action);
    }
    for (int action = static_cast<int>(KeyAction::Irevenge); action < kKeyActions; ++action)
        bind(1, action);
    // A key captured for one action is taken from every other, so sharing one would not last.
    for (const auto& [code, count] : uses)
        EXPECT_EQ(count, 1) << "key " << code;
}

} // namespace
} // namespace kalvon
