#pragma once
// A ThemeWindow fake: keeps the check boxes' enabled states and records every file the sheet
// loaders show, with whether the sheets were marked as being rebuilt at that moment.

#include "render/themeimages.h"
#include "render/themewindow.h"

#include <map>
#include <vector>

namespace kalvon::testing {

class RecordingThemeWindow final : public ThemeWindow {
public:
    std::map<AnimationBox, bool> enabled;
    std::vector<Bytes> shownFiles;
    std::vector<bool> rebuildingWhenShown;
    const ThemeImages* images = nullptr; // set to record the rebuilding mark

    void setAnimationBoxEnabled(AnimationBox box, bool on) override { enabled[box] = on; }
    void showLoadingFile(BytesView path) override
    {
        shownFiles.emplace_back(path);
        rebuildingWhenShown.push_back(images && images->rebuilding);
    }

    // True when all eight boxes were set, each to `on`.
    bool allBoxes(bool on) const
    {
        if (enabled.size() != std::size(kAnimationBoxes))
            return false;
        for (const auto& [box, state] : enabled) {
            if (state != on)
                return false;
        }
        return true;
    }
};

} // namespace kalvon::testing
