#pragma once
// The connect page's server list (gridServers): five columns under a header, a row per game
// server that answered the browser. After a refresh it holds one empty row, which the first
// answer fills; later answers follow in the order they came. A click on a row with an address
// offers that address; a double click asks to connect to it as well.

#include "net/serverbrowser.h"

#include <QTableWidget>

namespace kalvon {

class ServerGrid final : public QTableWidget {
    Q_OBJECT
public:
    // A runaway list stops growing here.
    static constexpr int kMaxRows = 512;

    ServerGrid(QWidget* parent, QRect rect);

    // The header row's titles and widths (SetupServerGrid); the address of the first row is
    // chosen when the list has a row.
    void setupHeader();
    // One empty row under the header.
    void clearServers();
    // The empty first row takes the server, otherwise a new last row; false once the list is full.
    bool addServer(const ServerRow& row);
    // The "IP Address" cell of a row; empty for no row or an empty cell.
    QString addressAt(int row) const;

signals:
    // A row with an address was clicked, or double-clicked.
    void serverChosen(const QString& address);
    void serverOpened(const QString& address);
};

} // namespace kalvon
