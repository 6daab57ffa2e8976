#include "render/windowskin.h"

#include "render/sheetloaders.h"
#include "render/themeimages.h"
#include "render/themepaths.h"

namespace kalvon {

void DrawInterface(WindowSkin& skin, SheetLoading& loading)
{
    const Bytes folder = loading.theme.themefolder;
    const std::filesystem::path mainPicture
        = themeFilePath(folder + loading.theme.ifacemain, loading.programDir);
    if (!mainPicture.empty())
        skin.picBuffer.load(mainPicture);
    composeWindowFrame(skin, skin.picBuffer.picture());

    LoadInterfaceImages(loading, folder);
    composeMenusAndPanels(skin, loading.images.interfaceMisc.get());
}

void composeWindowFrame(WindowSkin& skin, const Surface& mainPicture)
{
    skin.picForm.bitBlt(0, 0, 640, 503, mainPicture, 0, kTitleBarHeight);
    skin.picTitleBar.bitBlt(0, 0, 644, 21, mainPicture, 0, 0);
}

void composeMenusAndPanels(WindowSkin& skin, const Surface* tileSheet)
{
    if (!tileSheet)
        return;
    skin.HelpMenu.bitBlt(0, 0, 104, 80, *tileSheet, 355, 0);
    skin.GameModeSubMenu.bitBlt(0, 0, 104, 80, *tileSheet, 459, 0);
    skin.filemenu.bitBlt(0, 0, 149, 163, *tileSheet, 355, 80);
    skin.sidePanels[0].bitBlt(0, 0, kSidePanelWidth, kSidePanelHeight, *tileSheet, 0, 0);
    skin.sidePanels[1].bitBlt(0, 0, kSidePanelWidth, kSidePanelHeight, *tileSheet, kSidePanelWidth, 0);
}

void paintPageBackground(Surface& form, const Surface* page)
{
    if (page)
        form.bitBlt(kPageX, kPageY, kPageWidth, kPageHeight, *page, 0, 0);
}

void paintFieldsPageBackground(Surface& form, const ThemeImages& images, GameMode mode)
{
    if (images.mainWindow)
        form.bitBlt(
            kPageX, kPageY, kPageWidth, kPageHeight, *images.mainWindow, kPageX, kPageY + kTitleBarHeight);
    if (mode == GameMode::Internet && images.internetPage) {
        form.bitBlt(kInternetBackdropX, kInternetBackdropY, kInternetBackdropWidth, kInternetBackdropHeight,
            *images.internetPage, 0, 0);
    }
}

} // namespace kalvon
