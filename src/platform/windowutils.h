#pragma once
// Window utilities of the borderless skinned windows: staying on top (and stepping out of the
// way of message boxes), and dragging a window by its skinned title area.

class QWindow;

namespace kalvon {

// Removes the always-on-top state (before a message box).
void ClearTopmost(QWindow* window);
// Always on top when the stay-on-top option (check box value) is 1; otherwise not. The window
// is neither re-created nor hidden; desktops without the hint ignore it.
void ApplyStayOnTop(QWindow* window, int stayOnTopOption);
// Lets the user drag the window with the mouse button that is down, as if its title bar had
// been pressed (the window manager's move, or following the pointer where there is none).
void DragForm(QWindow* window);

} // namespace kalvon
