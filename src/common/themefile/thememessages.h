#pragma once
// The messages a theme load shows (title "Error", critical icon), the same in both programs.

#include "common/bytes.h"

#include <string_view>

namespace kalvon {
class Dialogs;
}

namespace kalvon::themefile {

// A file without a usable `themetype` (also one that cannot be read): the load stops.
Bytes missingThemeTypeMessage(BytesView themeFile); // "Could not load " file "." CR "Location: Themetype"
// A type-1 theme without a `resourcefile` key: the load stops.
inline constexpr std::string_view kResourceFileRequiredMessage = "Theme Type 1 REQUIRES a Resource File!";
// A resource archive that could not be unpacked: the load goes on.
Bytes resourceFileFailedMessage(BytesView archive); // "Could not load resource file " archive

// Shows one of them.
void showThemeError(Dialogs& dialogs, BytesView message);

} // namespace kalvon::themefile
