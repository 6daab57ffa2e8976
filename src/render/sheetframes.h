#pragma once
// Frames stacked downwards in a sheet: frame f (from 0) of height h lies at y = h f.

#include "platform/surface.h"

namespace kalvon {

// Whether frame `frame` (from 0) lies wholly inside the sheet. A frame outside draws nothing,
// rather than part of a frame and the sheet's spare rows.
inline bool frameInSheet(const Surface& sheet, int frame, int frameHeight)
{
    return frame >= 0 && (int64_t(frame) + 1) * frameHeight <= sheet.height();
}

// The frames the sheet holds.
inline int framesInSheet(const Surface& sheet, int frameHeight)
{
    return frameHeight > 0 ? sheet.height() / frameHeight : 0;
}

} // namespace kalvon
