#pragma once
// Which control of the editing window shows each key of the theme file, and the include box of
// each group. The keys themselves (names, kinds, groups, defaults) are the theme file's own
// table (common/themefile/themekeys.h); the writer and the loader both go through this one.

#include "common/themefile/themekeys.h"

#include <optional>
#include <string_view>

namespace kalvon::editor {

using themefile::ThemeGroup;
using themefile::ThemeKey;

// The text box that shows a key's value, or the check box of a flag key; "" for `themetype`
// (the type list) and for the type-0 picture flags that no control shows (SkinPictureKeys).
std::string_view controlOf(ThemeKey key);

// The check box that says whether a group is part of the theme.
std::string_view includeBoxOf(ThemeGroup group);

// The box the loader composes a frame set's first frame in, from the set's file-name and
// extension keys ("bg" and "bmp" give "bg1.bmp"); nothing for groups that are no frame set.
struct FirstFrameBox {
    std::string_view box;
    ThemeKey root;
    ThemeKey extension;
};
std::optional<FirstFrameBox> firstFrameBoxOf(ThemeGroup group);

} // namespace kalvon::editor
