#pragma once
// Where a theme's resource archive is: the rule both programs follow for the `resourcefile`
// value, and the path texts it works on ("/" and "\" both separate folders).

#include "common/bytes.h"

namespace kalvon::themefile {

// The text of a path up to and including its last separator ("C:\themes/dark\x.kvx" gives
// "C:\themes/dark\"); "" when the path has none.
BytesView folderPrefix(BytesView path);

// The text after the last separator (the whole text when there is none).
BytesView lastComponent(BytesView path);

// The archive a `resourcefile` value names for the theme file `themeFile` (a path text as the
// program uses it). A relative value (also one that starts with "\") lies beside the theme
// file: the theme's folder followed by the value. An absolute value is taken as it stands when
// that file exists (in any letter case); otherwise the theme was moved with its archive, or
// made on Windows ("C:\themes\x.zip"), and the archive is the value's last part beside the
// theme file.
Bytes resourceArchivePath(BytesView themeFile, BytesView value);

} // namespace kalvon::themefile
