#include "window/menus/sessionmenus.h"

#include "game/gamesession.h"
#include "window/mainwindow.h"

namespace kalvon {

void connectMenusToSession(MainWindow& window, GameSession& session)
{
    QObject::connect(
        &window, &MainWindow::fileMarkerMoved, [&session](int i) { session.menumarker_MouseMove(i); });
    QObject::connect(
        &window, &MainWindow::fileMarkerClicked, [&session](int i) { session.menumarker_Click(i); });
    QObject::connect(
        &window, &MainWindow::gameModeMarkerMoved, [&session](int i) { session.GMmenumarker_MouseMove(i); });
    QObject::connect(
        &window, &MainWindow::gameModeMarkerClicked, [&session](int i) { session.GMmenumarker_Click(i); });
}

} // namespace kalvon
