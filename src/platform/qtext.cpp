#include "platform/qtext.h"

#include "common/cp1252.h"

namespace kalvon {

QString toQString(BytesView bytes)
{
    const std::u16string wide = decodeCp1252(bytes);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

Bytes fromQString(const QString& text)
{
    return encodeCp1252(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

} // namespace kalvon
