#include "render/menubarskin.h"

#include "render/themeimages.h"

namespace kalvon {

namespace {

struct TileColumn {
    int x;
    int normalY; // hover and current follow 19 and 38 below
};

TileColumn tileColumn(MenuBarButton button, bool offline)
{
    switch (button) {
    case MenuBarButton::File: return { 504, 80 };
    case MenuBarButton::Help: return { 504, 137 };
    case MenuBarButton::Options: return { 504, 194 };
    case MenuBarButton::Server: return { 504, 251 };
    case MenuBarButton::Chat: return { 504, 308 };
    case MenuBarButton::Fields: return { 504, 365 };
    case MenuBarButton::Theme: return { 280, 413 };
    case MenuBarButton::Connect: return { offline ? 0 : kConnectButtonWidth, 413 };
    }
    return { 0, 0 };
}

struct MenuRow {
    int y;
    int width;
    int highlightX;
    int highlightY;
};

void drawRow(Surface& menu, const ThemeImages& images, bool transparent, const MenuRow& row)
{
    if (!images.menu)
        return;
    if (transparent && images.menuMask) {
        menu.drawMasked(0, row.y, row.width, kMenuRowHeight, *images.menu, *images.menuMask, row.highlightX,
            row.highlightY);
    } else {
        menu.bitBlt(0, row.y, row.width, kMenuRowHeight, *images.menu, row.highlightX, row.highlightY);
    }
}

void drawBackground(Surface& menu, const ThemeImages& images, int sx, int sy)
{
    if (images.interfaceMisc)
        menu.bitBlt(0, 0, menu.width(), menu.height(), *images.interfaceMisc, sx, sy);
}

constexpr int kFileMenuWidth = 149;
constexpr int kSubMenuWidth = 104;

} // namespace

int menuBarButtonWidth(MenuBarButton button)
{
    return button == MenuBarButton::Connect ? kConnectButtonWidth : kMenuBarButtonWidth;
}

void drawMenuBarButton(
    Surface& picture, const Surface* tileSheet, MenuBarButton button, ButtonTile tile, bool offline)
{
    if (!tileSheet || (button == MenuBarButton::File && tile == ButtonTile::Current))
        return;
    const TileColumn column = tileColumn(button, offline);
    const int y = column.normalY + static_cast<int>(tile) * kMenuBarButtonHeight;
    picture.bitBlt(0, 0, menuBarButtonWidth(button), kMenuBarButtonHeight, *tileSheet, column.x, y);
}

void DrawFileMenu(Surface& menu, const ThemeImages& images, bool menuTransparent, const FileMenuLook& look)
{
    drawBackground(menu, images, 355, 80);
    if (images.interfaceMisc) {
        if (look.started)
            menu.bitBlt(0, kFileMenuRowY[0], kFileMenuWidth, kMenuRowHeight, *images.interfaceMisc, 198, 0);
        if (look.paused)
            menu.bitBlt(0, kFileMenuRowY[1], kFileMenuWidth, kMenuRowHeight, *images.interfaceMisc, 198, 20);
    }
    // Highlights by row: start or stop, pause or resume, game mode, high scores, exit.
    const std::array<std::pair<int, int>, 5> highlights{ {
        { look.started ? 149 : 0, 0 },
        { look.paused ? 149 : 0, 20 },
        { 0, 60 },
        { 0, 40 },
        { 149, 40 },
    } };
    if (look.hover < 0 || look.hover >= int(highlights.size()))
        return;
    const auto [x, y] = highlights[size_t(look.hover)];
    drawRow(menu, images, menuTransparent, { kFileMenuRowY[size_t(look.hover)], kFileMenuWidth, x, y });
}

void DrawGameModeMenu(
    Surface& menu, const ThemeImages& images, bool menuTransparent, int currentRow, int hoverRow)
{
    drawBackground(menu, images, 459, 0);
    const auto valid = [](int row) { return row >= 0 && row < int(kGameModeMenuRowY.size()); };
    if (valid(currentRow)) {
        drawRow(menu, images, menuTransparent,
            { kGameModeMenuRowY[size_t(currentRow)], kSubMenuWidth, kSubMenuWidth, 80 + 20 * currentRow });
    }
    if (valid(hoverRow) && hoverRow != currentRow)
        drawRow(menu, images, menuTransparent,
            { kGameModeMenuRowY[size_t(hoverRow)], kSubMenuWidth, 0, 80 + 20 * hoverRow });
}

void DrawHelpMenu(Surface& menu, const ThemeImages& images, bool menuTransparent, int hoverRow)
{
    drawBackground(menu, images, 355, 0);
    if (hoverRow == 0 || hoverRow == 1)
        drawRow(menu, images, menuTransparent,
            { kHelpMenuRowY[size_t(hoverRow)], kSubMenuWidth, 104 * hoverRow, 140 });
}

} // namespace kalvon
