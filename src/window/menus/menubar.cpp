#include "window/menus/menubar.h"

#include "engine/state.h"
#include "render/themeimages.h"
#include "render/windowskin.h"
#include "window/menus/filemenu.h"
#include "window/menus/gamemodemenu.h"
#include "window/menus/helpmenu.h"
#include "window/pictureview.h"

#include <QApplication>
#include <QCursor>

namespace kalvon {

namespace {

// The buttons sit 5 pixels below the body's top, 8 pixels apart.
constexpr int kMenuGap = 8;
constexpr int kMenuBarTop = 5;

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
    , m_form(form)
    , m_host(host)
    , m_images(images)
    , m_handlers(*this, host)
{
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
        connect(button.view, &PictureView::mouseMoved, this, [this, id] { m_handlers.pointerOnButton(id); });
        connect(button.view, &PictureView::clicked, this, [this, id] { onButtonClick(id); });
        connect(button.view, &PictureView::pointerLeft, this, &MenuBar::pointerLeftButton);
    }
    showButtonsForMode(GameMode::OnePlayer);

    // Made after the pages, so they lie above them.
    m_fileMenu = new FileMenu(&form, skin.filemenu, images, themes);
    m_gameModeMenu = new GameModeMenu(&form, skin.GameModeSubMenu, images, themes);
    m_helpMenu = new HelpMenu(&form, skin.HelpMenu, images, themes);
    connect(
        m_helpMenu, &DropDownMenu::rowHovered, this, [this](int row) { m_handlers.pointerOnHelpRow(row); });
    connect(m_helpMenu, &DropDownMenu::rowClicked, this, [this](int row) { m_handlers.chooseHelpRow(row); });
}

void MenuBar::pointerLeftButton()
{
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    if (under == nullptr || under->window() != m_form.window() || onBarOrMenu(under))
        return;
    m_handlers.pointerOffBar();
}

bool MenuBar::onBarOrMenu(const QWidget* widget) const
{
    for (const ButtonView& button : m_buttons) {
        if (widget == button.view)
            return true;
    }
    for (const QWidget* menu : { static_cast<const QWidget*>(m_fileMenu),
             static_cast<const QWidget*>(m_gameModeMenu), static_cast<const QWidget*>(m_helpMenu) }) {
        if (widget == menu || menu->isAncestorOf(widget))
            return true;
    }
    return false;
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

DropDownMenu& MenuBar::menu(DropDown which) const
{
    switch (which) {
    case DropDown::File: return *m_fileMenu;
    case DropDown::GameMode: return *m_gameModeMenu;
    case DropDown::Help: return *m_helpMenu;
    }
    return *m_fileMenu;
}

void MenuBar::SetupMenuButtons(int barWidth)
{
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
    placeMenus();
}

void MenuBar::placeMenus()
{
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

void MenuBar::onButtonClick(MenuBarButton id)
{
    if (id == MenuBarButton::File)
        m_handlers.toggleFileMenu();
    else if (id == MenuBarButton::Help)
        m_handlers.toggleHelpMenu();
    else if (const std::optional<Screen> page = pageOfButton(id))
        emit pageChosen(*page);
}

bool MenuBar::menuShown(DropDown which) const
{
    return menu(which).isVisible();
}

void MenuBar::showMenu(DropDown which, bool shown)
{
    menu(which).setVisible(shown);
}

void MenuBar::raiseMenu(DropDown which)
{
    menu(which).raise();
}

void MenuBar::drawFileMenu()
{
    const EngineState& state = m_host.gameState();
    m_fileMenu->DrawFileMenu(FileMenuLook{ state.GameStarted, state.GamePaused, m_fileMenu->hoverRow() });
}

void MenuBar::DrawHelpMenu(int row)
{
    m_helpMenu->DrawHelpMenu(row);
}

void MenuBar::showButtonsForMode(GameMode mode)
{
    const bool internet = mode == GameMode::Internet;
    button(MenuBarButton::Connect).setVisible(internet);
    button(MenuBarButton::Server).setVisible(internet);
    button(MenuBarButton::Chat).setVisible(internet);
    button(MenuBarButton::Help).setVisible(!internet);
}

void MenuBar::raiseMenus()
{
    m_fileMenu->raise();
    m_gameModeMenu->raise();
    m_helpMenu->raise();
}

void MenuBar::showSkin()
{
    m_fileMenu->update();
    m_gameModeMenu->update();
    m_helpMenu->update();
}

} // namespace kalvon
