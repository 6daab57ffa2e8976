#include "window/menus/menubarhandlers.h"

namespace kalvon {

namespace {

// The order in which the repaint resets the buttons.
constexpr MenuBarButton kRepaintOrder[]
    = { MenuBarButton::File, MenuBarButton::Options, MenuBarButton::Help, MenuBarButton::Fields,
          MenuBarButton::Server, MenuBarButton::Connect, MenuBarButton::Theme, MenuBarButton::Chat };

constexpr std::pair<MenuBarButton, Screen> kPageButtons[]
    = { { MenuBarButton::Fields, Screen::Fields }, { MenuBarButton::Options, Screen::Options },
          { MenuBarButton::Server, Screen::Server }, { MenuBarButton::Connect, Screen::Connect },
          { MenuBarButton::Theme, Screen::Themes }, { MenuBarButton::Chat, Screen::Chat } };

} // namespace

std::optional<Screen> pageOfButton(MenuBarButton button)
{
    for (const auto& [pageButton, screen] : kPageButtons) {
        if (pageButton == button)
            return screen;
    }
    return std::nullopt;
}

MenuBarHandlers::MenuBarHandlers(MenuBarView& view, MenuBarHost& host)
    : m_view(view)
    , m_host(host)
{
}

void MenuBarHandlers::focusFieldOnFieldsPage()
{
    if (m_host.CurrentScreen() == Screen::Fields)
        m_host.FocusField();
}

void MenuBarHandlers::PaintToolbarButtons()
{
    if (m_hoverButton == 0) {
        if (m_view.menuShown(DropDown::File) || m_view.menuShown(DropDown::GameMode)
            || m_view.menuShown(DropDown::Help))
            focusFieldOnFieldsPage();
        m_view.showMenu(DropDown::File, false);
        m_view.showMenu(DropDown::GameMode, false);
        m_view.showMenu(DropDown::Help, false);
    }
    for (MenuBarButton button : kRepaintOrder) {
        if (static_cast<int>(button) != m_hoverButton)
            m_view.drawButton(button, ButtonTile::Normal);
    }
    for (const auto& [pageButton, screen] : kPageButtons) {
        if (screen == m_host.CurrentScreen())
            m_view.drawButton(pageButton, ButtonTile::Current);
    }
}

void MenuBarHandlers::pointerOnButton(MenuBarButton button)
{
    const int number = static_cast<int>(button);
    const auto drawHover = [this, button] {
        if (pageOfButton(button) != m_host.CurrentScreen())
            m_view.drawButton(button, ButtonTile::Hover);
    };
    switch (button) {
    case MenuBarButton::File:
        PaintToolbarButtons();
        drawHover();
        m_hoverButton = number;
        break;
    case MenuBarButton::Fields:
        m_hoverButton = number;
        PaintToolbarButtons();
        drawHover();
        break;
    default:
        PaintToolbarButtons();
        m_hoverButton = number;
        drawHover();
        break;
    }
}

void MenuBarHandlers::pointerOffBar()
{
    m_hoverButton = 0;
    PaintToolbarButtons();
}

void MenuBarHandlers::toggleFileMenu()
{
    m_view.raiseMenu(DropDown::File);
    const bool opening = !m_view.menuShown(DropDown::File);
    PaintToolbarButtons();
    m_host.playClick();
    if (opening) {
        m_view.showMenu(DropDown::File, true);
        m_view.placeMenus();
        m_view.drawFileMenu();
    } else {
        m_view.showMenu(DropDown::File, false);
        m_view.showMenu(DropDown::GameMode, false);
    }
    focusFieldOnFieldsPage();
}

void MenuBarHandlers::toggleHelpMenu()
{
    m_view.raiseMenu(DropDown::Help);
    if (!m_view.menuShown(DropDown::Help)) {
        m_view.drawButton(MenuBarButton::Help, ButtonTile::Current);
        m_host.playClick();
        // It shows what was last drawn into it.
        m_view.showMenu(DropDown::Help, true);
    } else {
        m_host.playClick();
        m_view.showMenu(DropDown::Help, false);
        m_view.drawButton(MenuBarButton::Help, ButtonTile::Normal);
        m_view.showMenu(DropDown::GameMode, false);
    }
    focusFieldOnFieldsPage();
}

void MenuBarHandlers::pointerOnHelpRow(int row)
{
    m_helpMenuHover = row;
    m_view.DrawHelpMenu(row);
}

void MenuBarHandlers::chooseHelpRow(int row)
{
    if (row == 0)
        m_host.ShowHelp();
    else
        m_host.showAbout();
    m_host.playClick();
    m_view.showMenu(DropDown::Help, false);
}

} // namespace kalvon
