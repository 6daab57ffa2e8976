#pragma once
// The menu bar of the skinned main window: the File and Help buttons, which open their
// drop-down menus, and the six page buttons, each drawn from the theme's tile sheet in its
// normal, hover or current-page tile. It owns the three drop-down menus. What it reads of the
// window (the page shown, the connection, the game) and asks of it (the field's keyboard, the
// click sound) goes through MenuBarHost.

#include "engine/types.h"
#include "game/gamewindow.h"
#include "render/menubarskin.h"

#include <QObject>
#include <array>

namespace kalvon {

class FileMenu;
class GameModeMenu;
class HelpMenu;
class PictureView;
struct EngineState;
struct ThemeImages;
struct Themes;
struct WindowSkin;

class MenuBarHost {
public:
    virtual ~MenuBarHost() = default;
    virtual Screen CurrentScreen() const = 0;
    // No server connection: the connect button shows its "connect" face.
    virtual bool offline() const = 0;
    // Player 1's field takes the keyboard (only while the fields page shows).
    virtual void FocusField() = 0;
    virtual void playClick() = 0;
    virtual const EngineState& gameState() const = 0;
};

class MenuBar final : public QObject {
    Q_OBJECT
public:
    // The buttons and menus go on `form`, the window body (picForm).
    MenuBar(QWidget& form, WindowSkin& skin, const ThemeImages& images, const Themes& themes,
        MenuBarHost& host, QObject* parent = nullptr);

    // The buttons laid out left to right from their sizes (the connect button at the right end
    // of a bar `barWidth` wide), and the menus placed under their buttons.
    void SetupMenuButtons(int barWidth);
    // Every button but the hovered one reset to its normal tile (with nothing hovered, the menus
    // close first), then the shown page's button in its current-page tile.
    void PaintToolbarButtons();
    // The pointer left the bar (caption, title bar, page area, a field): nothing is hovered.
    void pointerLeft();
    void drawButton(MenuBarButton id, ButtonTile tile);
    // Internet play shows the server, chat and connect buttons in the Help button's place.
    void showButtonsForMode(GameMode mode);
    void hideMenus();
    // The File menu redrawn for the game's flags with the row last hovered.
    void drawFileMenu();
    // The menus' pictures repainted after the skin changed.
    void showSkin();

    PictureView& button(MenuBarButton id);
    FileMenu& fileMenu() { return *m_fileMenu; }
    GameModeMenu& gameModeMenu() { return *m_gameModeMenu; }
    HelpMenu& helpMenu() { return *m_helpMenu; }
    int hoverButton() const { return m_hoverButton; }

signals:
    // A page button was clicked.
    void pageChosen(Screen page);
    void helpChosen();
    void aboutChosen();

private:
    struct ButtonView {
        MenuBarButton id = MenuBarButton::File;
        Surface picture;
        PictureView* view = nullptr;
    };

    ButtonView& entry(MenuBarButton id);
    void onButtonHover(MenuBarButton id);
    void onButtonClick(MenuBarButton id);
    void toggleFileMenu();
    void toggleHelpMenu();
    void chooseHelpRow(int row);

    MenuBarHost& m_host;
    const ThemeImages& m_images;
    std::array<ButtonView, 8> m_buttons;
    FileMenu* m_fileMenu = nullptr;
    GameModeMenu* m_gameModeMenu = nullptr;
    HelpMenu* m_helpMenu = nullptr;
    int m_hoverButton = 0;
    int m_barWidth = 0;
};

} // namespace kalvon
