#pragma once
// The menu bar of the skinned main window: the File and Help buttons, which open their
// drop-down menus, and the six page buttons, each a picture that shows the theme's tile for its
// state. It owns the three drop-down menus and hands what the pointer does on them to
// MenuBarHandlers; what it reads of the window and asks of it goes through MenuBarHost.

#include "engine/types.h"
#include "window/menus/menubarhandlers.h"

#include <QObject>
#include <array>

class QWidget;

namespace kalvon {

class DropDownMenu;
class FileMenu;
class GameModeMenu;
class HelpMenu;
class PictureView;
struct ThemeImages;
struct Themes;
struct WindowSkin;

class MenuBar final : public QObject, private MenuBarView {
    Q_OBJECT
public:
    // The buttons and menus go on `form`, the window body (picForm).
    MenuBar(QWidget& form, WindowSkin& skin, const ThemeImages& images, const Themes& themes,
        MenuBarHost& host, QObject* parent = nullptr);

    // The buttons laid out left to right from their sizes (the connect button at the right end
    // of a bar `barWidth` wide), and the menus placed under their buttons.
    void SetupMenuButtons(int barWidth);
    void PaintToolbarButtons() { m_handlers.PaintToolbarButtons(); }
    // The pointer left the bar (caption, title bar, page area, a field): nothing is hovered.
    void pointerLeft() { m_handlers.pointerOffBar(); }
    void drawButton(MenuBarButton id, ButtonTile tile) override;
    // Internet play shows the server, chat and connect buttons in the Help button's place.
    void showButtonsForMode(GameMode mode);
    // The File menu redrawn for the game's flags with the row last hovered.
    void drawFileMenu() override;
    // The menus' pictures repainted after the skin changed.
    void showSkin();
    // The menus back in front of the page after a page raised its own pictures.
    void raiseMenus();

    PictureView& button(MenuBarButton id);
    FileMenu& fileMenu() { return *m_fileMenu; }
    GameModeMenu& gameModeMenu() { return *m_gameModeMenu; }
    HelpMenu& helpMenu() { return *m_helpMenu; }
    const MenuBarHandlers& handlers() const { return m_handlers; }
    int hoverButton() const { return m_handlers.HoverButton(); }

signals:
    // A page button was clicked.
    void pageChosen(Screen page);

private:
    struct ButtonView {
        MenuBarButton id = MenuBarButton::File;
        Surface picture;
        PictureView* view = nullptr;
    };

    ButtonView& entry(MenuBarButton id);
    DropDownMenu& menu(DropDown which) const;
    void onButtonClick(MenuBarButton id);
    // A pointer that jumps from a button straight onto a page's control never moves over the
    // window body, whose moves end the hover; landing anywhere in the window but on the bar or
    // an open menu ends it here, so the button does not stay lit after the page changes.
    void pointerLeftButton();
    bool onBarOrMenu(const QWidget* widget) const;

    // MenuBarView.
    bool menuShown(DropDown which) const override;
    void showMenu(DropDown which, bool shown) override;
    void raiseMenu(DropDown which) override;
    void placeMenus() override;
    void DrawHelpMenu(int row) override;

    QWidget& m_form;
    MenuBarHost& m_host;
    const ThemeImages& m_images;
    MenuBarHandlers m_handlers;
    std::array<ButtonView, 8> m_buttons;
    FileMenu* m_fileMenu = nullptr;
    GameModeMenu* m_gameModeMenu = nullptr;
    HelpMenu* m_helpMenu = nullptr;
};

} // namespace kalvon
