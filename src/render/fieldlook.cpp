#include "render/fieldlook.h"

#include "render/themerecord.h"

namespace kalvon {

BlockLook BlockLook::of(
    const ThemeRecord& theme, const ThemeImages& images, bool animateBlocks, bool animateSpecials)
{
    return { theme.blkcurrentframe, theme.blkstillframe, theme.blktransparency, animateBlocks,
        animateSpecials, sheetVersion(images.blocks), sheetVersion(images.blocksMask) };
}

} // namespace kalvon
