#pragma once
// What the menu bar does with the pointer: the button last under it (HoverButton), the repaint
// of the bar (PaintToolbarButtons), each button's hover step, opening and closing the File and
// Help menus, and the Help menu's rows. It keeps no pixels and no widgets: it tells its
// MenuBarView which tile goes on which button and which menu shows, step by step, and asks its
// MenuBarHost for what lies outside the bar.

#include "game/gamewindow.h"
#include "render/menubarskin.h"

#include <optional>

namespace kalvon {

struct EngineState;

enum class DropDown { File, GameMode, Help };

// The menu bar's pictures: its eight buttons and three menus.
class MenuBarView {
public:
    virtual ~MenuBarView() = default;
    // The button's tile drawn into its picture and shown.
    virtual void drawButton(MenuBarButton button, ButtonTile tile) = 0;
    virtual bool menuShown(DropDown menu) const = 0;
    virtual void showMenu(DropDown menu, bool shown) = 0;
    // In front of everything else on the window body.
    virtual void raiseMenu(DropDown menu) = 0;
    // The File menu under the File button, the game-mode submenu beside it, the Help menu under
    // the Help button.
    virtual void placeMenus() = 0;
    // The File menu redrawn for the game's flags with its hovered row.
    virtual void drawFileMenu() = 0;
    // The Help menu redrawn with `row` highlighted.
    virtual void DrawHelpMenu(int row) = 0;
};

// What the menu bar reads of the window and asks of it.
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
    // The Help menu's rows: the help window at its index, the About window.
    virtual void ShowHelp() = 0;
    virtual void showAbout() = 0;
};

class MenuBarHandlers {
public:
    MenuBarHandlers(MenuBarView& view, MenuBarHost& host);

    // The button under the pointer, numbered as MenuBarButton; 0 none.
    int HoverButton() const { return m_hoverButton; }
    int HelpMenuHover() const { return m_helpMenuHover; }

    // Every button but the hovered one gets its normal tile (with nothing hovered, the menus
    // close first, and an open menu hands the keyboard back to player 1's field on the fields
    // page), then the shown page's button its current-page tile.
    void PaintToolbarButtons();
    // The pointer moved over a button: the bar is repainted and the button shows its hover
    // tile, unless it is the button of the page shown. The File button draws its tile before it
    // counts as hovered; the fields button counts as hovered before the repaint, so the repaint
    // neither resets it nor closes the menus.
    void pointerOnButton(MenuBarButton button);
    // The pointer moved over the caption, the title bar, the page area or a field: nothing is
    // hovered, and the repaint closes every menu.
    void pointerOffBar();
    // The File and Help buttons open their menus or close them, with the click sound.
    void toggleFileMenu();
    void toggleHelpMenu();
    // The Help menu's rows: the pointer highlights one; a click opens the help (row 0) or the
    // About window (any other row) and closes the menu, leaving the bar as it is.
    void pointerOnHelpRow(int row);
    void chooseHelpRow(int row);

private:
    void focusFieldOnFieldsPage();

    MenuBarView& m_view;
    MenuBarHost& m_host;
    int m_hoverButton = 0;
    int m_helpMenuHover = 0;
};

// The page each page button shows; nullopt for the File and Help buttons.
std::optional<Screen> pageOfButton(MenuBarButton button);

} // namespace kalvon
