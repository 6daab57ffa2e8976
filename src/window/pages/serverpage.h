#pragma once
// The server page (CurrentScreen 3): the game rules a host offers and the players' start
// heights, the built-in server's port, client limit and address with its start button, the
// connected users with kick and ban, and the ban list.

#include "window/pages/page.h"

#include <array>

class QPushButton;

namespace kalvon {

class ServerPage final : public Page {
    Q_OBJECT
public:
    explicit ServerPage(QWidget& area, QObject* parent = nullptr);

    void ShowServerControls();
    void HideServerControls();
    // colorserver on the page's captions and the start-height labels.
    void colorLabels(const ColorTable& colors);

    QPushButton& startServerButton() { return *m_cmdStartServer; } // cmdStartServer

private:
    std::array<QLabel*, 15> m_lblServerMenu{};
    std::array<QLabel*, 6> m_lblHeight{};
    QPushButton* m_cmdStartServer = nullptr;
};

} // namespace kalvon
