#pragma once
// Helpers of the editor tests: fixture files, and the controls of the themes the fixtures hold.

#include "editor/model/editorstate.h"
#include "support/scratchfolder.h"

#include <string>
#include <utility>
#include <vector>

namespace kalvon::editor::testing {

inline std::string fixtureBytes(const std::string& name)
{
    return kalvon::testing::readFile(std::string(KALVON_FIXTURES_DIR) + "/editor/" + name);
}

// Sets controls by name: "chk..." and "cmb..." take a number, the rest a text.
inline void fill(EditorState& state, const std::vector<std::pair<std::string, std::string>>& values)
{
    for (const auto& [name, value] : values) {
        if (name.rfind("chk", 0) == 0)
            state.setValue(name, std::stoi(value));
        else if (name.rfind("cmb", 0) == 0)
            state.setListIndex(name, std::stoi(value));
        else
            state.setText(name, value);
    }
}

// The theme of type1-all-parts.kvx, on top of a new theme.
void fillAllPartsTheme(EditorState& state);
// The theme of type0-skin.kvx, on top of a new theme.
void fillSkinTheme(EditorState& state);

} // namespace kalvon::editor::testing
