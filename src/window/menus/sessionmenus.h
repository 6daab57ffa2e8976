#pragma once
// The File menu's and the game-mode submenu's rows act through the game session: the pointer
// over a row and a click on it reach the session's handlers, which decide what an enabled row
// does and draw the menus back through the window.

namespace kalvon {

class GameSession;
class MainWindow;

void connectMenusToSession(MainWindow& window, GameSession& session);

} // namespace kalvon
