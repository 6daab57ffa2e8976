#include "window/servergrid.h"

#include "platform/qtext.h"

#include <QHeaderView>
#include <iterator>

namespace kalvon {

namespace {
constexpr int kAddressColumn = 1;
} // namespace

ServerGrid::ServerGrid(QWidget* parent, QRect rect)
    : QTableWidget(0, 5, parent)
{
    setObjectName(QStringLiteral("gridServers"));
    setGeometry(rect);
    hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        const QString address = addressAt(row);
        if (!address.isEmpty())
            emit serverChosen(address);
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const QString address = addressAt(row);
        if (!address.isEmpty())
            emit serverOpened(address);
    });
}

void ServerGrid::setupHeader()
{
    // Widths in pixels of the design's 3000, 1710 and 580 twips.
    const struct {
        const char* title;
        int width;
    } columns[] = { { "Server Name", 200 }, { "IP Address", 114 }, { "Clients", 39 }, { "Rooms", 39 },
        { "Ping", 39 } };
    setColumnCount(int(std::size(columns)));
    for (int c = 0; c < int(std::size(columns)); ++c) {
        setHorizontalHeaderItem(c, new QTableWidgetItem(QLatin1String(columns[c].title)));
        setColumnWidth(c, columns[c].width);
    }
    if (rowCount() > 0)
        setCurrentCell(0, kAddressColumn);
}

void ServerGrid::clearServers()
{
    clearContents();
    setRowCount(1);
}

bool ServerGrid::addServer(const ServerRow& server)
{
    // The empty row a refresh leaves is known by its address, which no server lacks (a server
    // may well have an empty name).
    int row = 0;
    if (rowCount() == 0 || !addressAt(0).isEmpty()) {
        if (rowCount() >= kMaxRows)
            return false;
        row = rowCount();
        setRowCount(row + 1);
    }
    const QString cells[] = { toQString(server.name), toQString(server.address),
        QStringLiteral("%1/%2").arg(server.clients).arg(server.clientLimit), QString::number(server.rooms),
        QString::number(server.ping) };
    for (int c = 0; c < int(std::size(cells)); ++c)
        setItem(row, c, new QTableWidgetItem(cells[c]));
    return true;
}

QString ServerGrid::addressAt(int row) const
{
    const QTableWidgetItem* cell = row >= 0 && row < rowCount() ? item(row, kAddressColumn) : nullptr;
    return cell ? cell->text() : QString();
}

} // namespace kalvon
