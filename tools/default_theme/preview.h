#pragma once
// Pictures of the theme as the running window would show it (every page, the three game modes
// of the fields page, an open menu, the high-score window), for checking the art by eye.

#include <QString>

namespace kalvon::themegen {

// Writes the preview pictures into `folder`; false when one cannot be written.
bool writePreviews(const QString& folder);

} // namespace kalvon::themegen
