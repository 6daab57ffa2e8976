#include "render/themeimages.h"

#include <algorithm>
#include <iterator>

namespace kalvon {

void FreeAllImages(ThemeImages& images)
{
    for (Sheet ThemeImages::*sheet : kThemeSheets)
        (images.*sheet).reset();
}

void ResetGraphicsState(ThemeImages& images)
{
    const Sheet ThemeImages::*pages[]
        = { &ThemeImages::chatPage, &ThemeImages::mainWindow, &ThemeImages::optionsPage,
              &ThemeImages::themesPage, &ThemeImages::serverPage, &ThemeImages::connectPage };
    for (Sheet ThemeImages::*sheet : kThemeSheets) {
        if (std::find(std::begin(pages), std::end(pages), sheet) == std::end(pages))
            (images.*sheet).reset();
    }
}

void CreateBackBuffer(ThemeImages& images)
{
    images.backBuffer = std::make_shared<Surface>(192, 64);
}

void FreeBackBuffer(ThemeImages& images)
{
    images.backBuffer.reset();
}

} // namespace kalvon
