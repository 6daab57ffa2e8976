#include "window/menus/menubar.h"

#include "engine/state.h"
#include "render/themeimages.h"
#include "render/windowskin.h"
#include "window/menus/filemenu.h"
#include "window/menus/gamemodemenu.h"
#include "window/menus/helpmenu.h"
#include "window/pictureview.h"

namespace kalvon {

namespace {

// The buttons sit 5 pixels below the body's top, 8 pixels apart.
constexpr int kMenuGap = 8;
constexpr int kMenuBarTop = 5;

// The page each page button shows.
constexpr std::pair<MenuBarButton, Screen> kPageButtons[]
    = { { MenuBarButton::Fields, Screen::Fields }, { MenuBarButton::Options, Screen::Options },
          { MenuBarButton::Server, Screen::Server }, { MenuBarButton::Connect, Screen::Connect },
          { MenuBarButton::Theme, Screen::Themes }, { MenuBarButton::Chat, Screen::Chat } };

const char* buttonName(MenuBarButton id)
{
    switch (id) {
    case MenuBarButton::File: return "FileButton";
    case MenuBarButton::Options: return "OptionsButton";
    case MenuBarButton::Help: return "HelpButton";
    case MenuBarButton::Fields: return "fieldsbutton";
    case MenuBarButton::Server: return "Serverbutton";
    case MenuBarButton::Connect: return "ConnectButton";
    case MenuBarButton::Theme: return "ThemeButton";
    case MenuBarButton::Chat: return "ChatButton";
    }
    return "";
}

} // namespace

MenuBar::MenuBar(QWidget& form, WindowSkin& skin, const ThemeImages& images, const Themes& themes,
    MenuBarHost& host, QObject* parent)
    : QObject(parent)
    , m_host(host)
    , m_images(images)
{
    // In the order the repaint resets them.
    const MenuBarButton ids[]
        = { MenuBarButton::File, MenuBarButton::Options, MenuBarButton::Help, MenuBarButton::Fields,
              MenuBarButton::Server, MenuBarButton::Connect, MenuBarButton::Theme, MenuBarButton::Chat };
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        ButtonView& button = m_buttons[i];
        button.id = ids[i];
        button.picture = Surface(menuBarButtonWidth(button.id), kMenuBarButtonHeight);
        button.view = new PictureView(&form);
        button.view->setObjectName(QLatin1String(buttonName(button.id)));
        button.view->resize(button.picture.width(), button.picture.height());
        button.view->setSurface(&button.picture);
        const MenuBarButton id = button.id;
        connect(button.view, &PictureView::mouseMoved, this, [this, id] { onButtonHover(id); });
        connect(button.view, &PictureView::clicked, this, [this, id] { onButtonClick(id); });
    }
    showButtonsForMode(GameMode::OnePlayer);

    m_fileMenu = new FileMenu(&form, skin.filemenu, images, themes);
    m_gameModeMenu = new GameModeMenu(&form, skin.GameModeSubMenu, images, themes);
    m_helpMenu = new HelpMenu(&form, skin.HelpMenu, images, themes);
    connect(m_helpMenu, &DropDownMenu::rowClicked, this, &MenuBar::chooseHelpRow);
}

MenuBar::ButtonView& MenuBar::entry(MenuBarButton id)
{
    for (ButtonView& button : m_buttons) {
        if (button.id == id)
            return button;
    }
    return m_buttons.front();
}

PictureView& MenuBar::button(MenuBarButton id)
{
    return *entry(id).view;
}

void MenuBar::SetupMenuButtons(int barWidth)
{
    m_barWidth = barWidth;
    const auto place = [this](MenuBarButton id, int left) {
        button(id).move(left, kMenuBarTop);
        return left + button(id).width() + kMenuGap;
    };
    int left = place(MenuBarButton::File, kMenuGap);
    left = place(MenuBarButton::Fields, left);
    left = place(MenuBarButton::Options, left);
    left = place(MenuBarButton::Theme, left);
    place(MenuBarButton::Help, left);
    place(MenuBarButton::Chat, place(MenuBarButton::Server, left));
    place(MenuBarButton::Connect, barWidth - kMenuGap - button(MenuBarButton::Connect).width());

    const QRect file = button(MenuBarButton::File).geometry();
    m_fileMenu->move(kMenuGap, file.bottom() + 1);
    m_gameModeMenu->move(m_fileMenu->x() + m_fileMenu->width(), m_fileMenu->y() + 40);
    const QRect help = button(MenuBarButton::Help).geometry();
    m_helpMenu->move(help.left(), help.bottom() + 1);
}

void MenuBar::drawButton(MenuBarButton id, ButtonTile tile)
{
    ButtonView& button = entry(id);
    drawMenuBarButton(button.picture, m_images.interfaceMisc.get(), id, tile, m_host.offline());
    button.view->update();
}

void MenuBar::PaintToolbarButtons()
{
    if (m_hoverButton == 0) {
        if (m_fileMenu->isVisible() || m_gameModeMenu->isVisible() || m_helpMenu->isVisible()) {
            if (m_host.CurrentScreen() == Screen::Fields)
                m_host.FocusField();
        }
        hideMenus();
    }
    for (ButtonView& button : m_buttons) {
        if (static_cast<int>(button.id) != m_hoverButton)
            drawButton(button.id, ButtonTile::Normal);
    }
    for (const auto& [pageButton, screen] : kPageButtons) {
        if (screen == m_host.CurrentScreen())
            drawButton(pageButton, ButtonTile::Current);
    }
}

void MenuBar::pointerLeft()
{
    m_hoverButton = 0;
    PaintToolbarButtons();
}

void MenuBar::onButtonHover(MenuBarButton id)
{
    const int number = static_cast<int>(id);
    // The fields button takes the hover first, so the repaint leaves its tile alone.
    if (id == MenuBarButton::Fields)
        m_hoverButton = number;
    PaintToolbarButtons();
    m_hoverButton = number;
    for (const auto& [pageButton, screen] : kPageButtons) {
        if (pageButton == id && screen == m_host.CurrentScreen())
            return;
    }
    drawButton(id, ButtonTile::Hover);
}

void MenuBar::onButtonClick(MenuBarButton id)
{
    if (id == MenuBarButton::File) {
        toggleFileMenu();
        return;
    }
    if (id == MenuBarButton::Help) {
        toggleHelpMenu();
        return;
    }
    for (const auto& [pageButton, screen] : kPageButtons) {
        if (pageButton == id)
            emit pageChosen(screen);
    }
}

void MenuBar::toggleFileMenu()
{
    m_fileMenu->raise();
    PaintToolbarButtons();
    m_host.playClick();
    if (m_fileMenu->isHidden()) {
        SetupMenuButtons(m_barWidth);
        drawFileMenu();
        m_fileMenu->show();
    } else {
        m_fileMenu->hide();
        m_gameModeMenu->hide();
    }
    if (m_host.CurrentScreen() == Screen::Fields)
        m_host.FocusField();
}

void MenuBar::toggleHelpMenu()
{
    m_helpMenu->raise();
    m_host.playClick();
    if (m_helpMenu->isHidden()) {
        drawButton(MenuBarButton::Help, ButtonTile::Current);
        m_helpMenu->show();
    } else {
        m_helpMenu->hide();
        drawButton(MenuBarButton::Help, ButtonTile::Normal);
        m_gameModeMenu->hide();
    }
    if (m_host.CurrentScreen() == Screen::Fields)
        m_host.FocusField();
}

void MenuBar::chooseHelpRow(int row)
{
    if (row == 0)
        emit helpChosen();
    else
        emit aboutChosen();
    m_host.playClick();
    m_helpMenu->hide();
}

void MenuBar::drawFileMenu()
{
    const EngineState& state = m_host.gameState();
    m_fileMenu->DrawFileMenu(FileMenuLook{ state.GameStarted, state.GamePaused, m_fileMenu->hoverRow() });
}

void MenuBar::showButtonsForMode(GameMode mode)
{
    const bool internet = mode == GameMode::Internet;
    button(MenuBarButton::Connect).setVisible(internet);
    button(MenuBarButton::Server).setVisible(internet);
    button(MenuBarButton::Chat).setVisible(internet);
    button(MenuBarButton::Help).setVisible(!internet);
}

void MenuBar::hideMenus()
{
    m_fileMenu->hide();
    m_gameModeMenu->hide();
    m_helpMenu->hide();
}

void MenuBar::showSkin()
{
    m_fileMenu->update();
    m_gameModeMenu->update();
    m_helpMenu->update();
}

} // namespace kalvon
