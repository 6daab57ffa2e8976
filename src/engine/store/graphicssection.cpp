// [Graphics]: the visual options and the drop-trail colour.

#include "engine/store/settingssections.h"

namespace kalvon {

namespace {
struct GraphicsKey {
    const char* key;
    CheckValue GraphicsSettings::*box;
    bool read; // two boxes are written but never read: they keep their start values
};

// In the order written; dropcolor, the one non-box key, follows droptrail.
constexpr GraphicsKey kBoxesAfterTrail[] = {
    { "shadows", &GraphicsSettings::shadows, true },
    { "explode", &GraphicsSettings::explode, true },
    { "kalvondoor", &GraphicsSettings::door, true },
    { "bombexplode", &GraphicsSettings::bombExplode, true },
    { "warning", &GraphicsSettings::warning, true },
    { "animatebg", &GraphicsSettings::animateBg, true },
    { "animateinetbg", &GraphicsSettings::animateInetBg, true },
    { "animateblks", &GraphicsSettings::animateBlocks, true },
    { "animatespecials", &GraphicsSettings::animateSpecials, true },
    { "animateinetblks", &GraphicsSettings::animateInetBlocks, true },
    { "animateinetspecials", &GraphicsSettings::animateInetSpecials, true },
    { "animatenextblk", &GraphicsSettings::animateNextBlock, false },
    { "animatespecwin", &GraphicsSettings::animateSpecialWindow, false },
    { "smoothblock", &GraphicsSettings::smoothBlock, true },
    { "leds", &GraphicsSettings::leds, true },
    { "p1guide", &GraphicsSettings::p1Guide, true },
    { "p2guide", &GraphicsSettings::p2Guide, true },
};
} // namespace

void LoadGraphicsOptions(const IniDocument& file, GraphicsSettings& graphics)
{
    const GraphicsSettings defaults;
    SectionReader in(file, "Graphics");
    in.readCheckBox("droptrail", defaults.dropTrail, graphics.dropTrail);
    in.readInt32("dropcolor", defaults.dropColor, graphics.dropColor);
    for (const GraphicsKey& entry : kBoxesAfterTrail) {
        if (entry.read)
            in.readCheckBox(entry.key, defaults.*entry.box, graphics.*entry.box);
    }
}

void SaveGraphicsOptions(SettingsWriter& out, const GraphicsSettings& graphics)
{
    out.section("Graphics");
    out.key("droptrail", graphics.dropTrail);
    out.key("dropcolor", graphics.dropColor);
    for (const GraphicsKey& entry : kBoxesAfterTrail)
        out.key(entry.key, graphics.*entry.box);
}

} // namespace kalvon
