#pragma once
// What the running game asks of the main window's widgets: captions and labels, the File menu
// and the chat page's game buttons, the fields page layout per game mode, keyboard focus, the
// talk box, help and the stay-on-top dance around message boxes. The main window implements
// it; tests record the calls.

#include "common/bytes.h"
#include "engine/enginehost.h"
#include "engine/types.h"

namespace kalvon {

// The pages of the main window (CurrentScreen).
enum class Screen { Fields = 1, Options = 2, Server = 3, Connect = 4, Themes = 5, Chat = 6 };

class GameWindow {
public:
    virtual ~GameWindow() = default;

    // --- texts ---
    // The window caption; the tick sets it every 10 ms, so the widget is best touched only on a change.
    virtual void setCaption(BytesView text) = 0;
    // The labels the engine writes (lines, quads, score, special, level, active level).
    virtual void setLabel(LabelId label, int p, BytesView text) = 0;
    // Player p's lines-per-minute label, set every tick like the caption.
    virtual void setLinesPerMinute(int p, BytesView text) = 0;
    // Both players' active-level labels shown or hidden (two-player start).
    virtual void showActiveLevels(bool shown) = 0;

    // --- pages, focus, menus ---
    virtual Screen CurrentScreen() const = 0;
    // Player 1's field takes the keyboard focus when the fields page is shown.
    virtual void FocusField() = 0;
    // Repaints the File drop-down and the game-mode submenu for the game's flags with the
    // session's hovered row (-1 none).
    virtual void DrawFileMenu(int hover) = 0;
    virtual void DrawGameModeMenu(int hover) = 0;
    virtual void showFileMenu(bool shown) = 0;
    virtual void showGameModeMenu(bool shown) = 0;
    // The fields page laid out for a game mode: backgrounds, local or internet fields, the
    // side panel of player 2, the menu-bar buttons and the player name label.
    virtual void layOutFieldsPage(GameMode mode) = 0;
    virtual void showHighScores() = 0;
    // File > Exit: the main window unloads.
    virtual void closeWindow() = 0;
    virtual void ShowHelp() = 0;

    // --- chat page buttons and other windows ---
    virtual void setStartButtonCaption(BytesView caption) = 0; // "Start Game" / "Stop Game"
    virtual void setPauseButtonCaption(BytesView caption) = 0; // "Pause Game" / "Unpause Game"
    virtual void setPauseButtonEnabled(bool enabled) = 0;
    // The block occurrence window's two frames, disabled while a local game runs.
    virtual void setBlockRatioFramesEnabled(bool enabled) = 0;

    // --- the in-game talk box of internet play ---
    // Shown and focused; for team chat its text becomes "/sayteam " with the caret after it.
    virtual void openTalkBox(bool teamChat) = 0;
    // Cleared and hidden; the field takes the focus back.
    virtual void closeTalkBox() = 0;

    // --- around message boxes ---
    virtual void ClearTopmost() = 0;
    virtual void ApplyStayOnTop() = 0;
};

} // namespace kalvon
