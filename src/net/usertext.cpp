#include "net/usertext.h"

#include <algorithm>

namespace kalvon {

namespace {

Bytes without(BytesView typed, BytesView removed)
{
    Bytes text;
    text.reserve(typed.size());
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(text),
        [removed](char c) { return removed.find(c) == BytesView::npos; });
    return text;
}

} // namespace

Bytes payloadText(BytesView typed)
{
    return without(typed, "\r\n");
}

Bytes payloadField(BytesView typed)
{
    return without(typed, "\r\n\t");
}

} // namespace kalvon
