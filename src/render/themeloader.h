#pragma once
// LoadTheme: reading a .kvx theme file into a theme record.

#include "common/bytes.h"
#include "common/themefile/themekeys.h"
#include "render/themerecord.h"
#include "render/themeresources.h"

namespace kalvon {

class Dialogs;
class ThemeWindow;

// What a load works with besides the record it fills.
struct ThemeLoading {
    Themes& themes; // the current theme's interface images, colours and music are written here
    Dialogs& dialogs;
    ThemeWindow& window;
    ThemeFolders folders;
};

enum class ThemeLoadResult {
    Loaded,
    NoThemeType, // "Could not load ..." was shown; nothing after the interface keys was read
    NoResourceFile, // "Theme Type 1 REQUIRES a Resource File!" was shown
};

// LoadTheme: reads the [Theme Info] section of `file` (a full path text) into `theme` and
// `sounds`, unpacking the theme's resource archive into the temporary folder & `subfolder` ("" for
// the current theme, "preview\" for the preview). A key the file lacks leaves its field as the
// theme loaded before set it, except where a default applies (identity texts "Unknown", colours
// white, the flags that belong to a present parent key false). A frame set is stored only when
// every key of it is present. A blank or non-numeric value where a number is expected counts as
// a missing key. Frame counts and frame numbers are clamped to what a sheet can hold. The
// resource archive is found by the rule of themefile::resourceArchivePath.
ThemeLoadResult LoadTheme(
    ThemeLoading& loading, BytesView file, ThemeRecord& theme, SoundTable& sounds, BytesView subfolder);

// Whether LoadTheme stores the key's file name joined to the theme folder (when the theme has
// a resource archive): every file name except the interface images (looked up in the theme
// folder when they are drawn), of which only the high-score picture is joined.
bool joinedToThemeFolder(themefile::ThemeKey key);

} // namespace kalvon
