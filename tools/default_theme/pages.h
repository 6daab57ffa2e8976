#pragma once
// The controls of the main window's pages and panels, with the cards the page backgrounds
// draw behind them. One table serves the art, the preview pictures and the layout sheet's
// tables (docs/layout.md), so the three cannot drift apart.

#include <QRect>
#include <QString>
#include <vector>

namespace kalvon::themegen {

struct ControlBox {
    QString name; // control name, with its index where it is an array element
    QRect rect; // in the coordinates of its container (see Page::origin)
    QString caption; // design-time text, empty for none
};

struct Card {
    QRect rect; // in page-background coordinates (0..623, 0..465)
    QString title;
};

struct Page {
    QString title; // heading of the layout sheet's table
    QString background; // theme key of the page background, empty for panels
    QString container; // what the rectangles are relative to
    std::vector<Card> cards;
    std::vector<ControlBox> controls;
};

// The five pages drawn from their own 624 x 466 backgrounds, in page order 2..6 without the
// fields page: options, server, connect, themes, chat and room.
std::vector<Page> backgroundPages();
// The four panels that take the chat box's place on the chat page.
std::vector<Page> chatPanels();
// Title bar, menu bar, menus and the fields page (all game modes, with the mode column).
std::vector<Page> windowFrame();

// Markdown tables of every page and panel, for the layout sheet.
QString layoutTables();

// Offset of page-background coordinates in the window body.
inline constexpr QPoint kPageOrigin{ 8, 28 };

} // namespace kalvon::themegen
