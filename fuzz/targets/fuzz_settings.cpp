// kalvon.ini as the game loads it: every check box holds 0, 1 or 2 and the key-repeat delay
// stays in 1..200 whatever the file says; and the options written back load to the very same
// options (but for the empty network texts the writer replaces by their defaults), so a save
// and a load never change a setting, and write the same bytes again.

#include "engine/store/settingsfile.h"
#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "harness/scratch.h"

using namespace kalvon;

namespace {

void checkBox(CheckValue value)
{
    FUZZ_CHECK_MSG(value >= 0 && value <= 2, std::to_string(value));
}

void checkRanges(const Options& options)
{
    for (CheckValue box : { options.general.stayOnTop, options.general.taskbarIcon, options.sound.sounds,
             options.sound.useThemeMusic, options.sound.playMusic, options.gameOptions.classic,
             options.gameOptions.lineSpecial, options.gameOptions.specials, options.gameOptions.sameLevel,
             options.graphics.dropTrail, options.graphics.shadows, options.graphics.explode,
             options.graphics.door, options.graphics.bombExplode, options.graphics.warning,
             options.graphics.animateBg, options.graphics.animateInetBg, options.graphics.animateBlocks,
             options.graphics.animateSpecials, options.graphics.animateInetBlocks,
             options.graphics.animateInetSpecials, options.graphics.smoothBlock, options.graphics.leds,
             options.graphics.p1Guide, options.graphics.p2Guide })
        checkBox(box);
    FUZZ_CHECK(options.controls.controlSensitivity >= 1 && options.controls.controlSensitivity <= 200);
    const int mode = static_cast<int>(options.general.gameMode);
    FUZZ_CHECK(mode >= 1 && mode <= 3);
}

// The options as the writer stores them: an empty name, address or port as its default.
Options asWritten(Options options)
{
    const NetworkSettings defaults;
    for (auto text : { &NetworkSettings::name, &NetworkSettings::lastIp, &NetworkSettings::port }) {
        if ((options.network.*text).empty())
            options.network.*text = defaults.*text;
    }
    return options;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto file = fuzz::scratchRoot() / "kalvon.ini";
    fuzz::writeBytes(file, fuzz::asBytes(data, size));
    Options options;
    LoadSettings(file, options);
    checkRanges(options);

    const Bytes written = settingsText(options);
    fuzz::writeBytes(file, written);
    Options reloaded;
    LoadSettings(file, reloaded);
    FUZZ_CHECK_MSG(reloaded == asWritten(options), "the written file: " + fuzz::printable(written, 4000));
    FUZZ_CHECK(settingsText(reloaded) == written);
    return 0;
}
