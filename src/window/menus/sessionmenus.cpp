#include "window/menus/sessionmenus.h"

#include "game/gamesession.h"
#include "window/mainwindow.h"

namespace kalvon {

void connectMenusToSession(MainWindow& window, GameSession& session)
{
    QObject::connect(
        &window, &MainWindow::fileMarkerMoved, [&session](int i) { session.fileMenuItemHovered(i); });
    QObject::connect(
        &window, &MainWindow::fileMarkerClicked, [&session](int i) { session.fileMenuItemClicked(i); });
    QObject::connect(
        &window, &MainWindow::gameModeMarkerMoved, [&session](int i) { session.gameModeItemHovered(i); });
    QObject::connect(
        &window, &MainWindow::gameModeMarkerClicked, [&session](int i) { session.gameModeChosen(i); });
}

} // namespace kalvon
