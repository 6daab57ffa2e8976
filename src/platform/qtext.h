#pragma once
// The one place where the program's Windows-1252 bytes become QStrings and back: at a widget.

#include "common/bytes.h"

#include <QString>

namespace kalvon {

QString toQString(BytesView bytes);
// Characters the code page lacks become "?".
Bytes fromQString(const QString& text);

} // namespace kalvon
