#include "window/roombrowserpanel.h"

#include "platform/qtext.h"
#include "window/panelcontrols.h"
#include "window/windowfont.h"

namespace kalvon {

namespace {

// The room information's lines in the label's multi-line form.
QString labelText(BytesView lines)
{
    QString text = toQString(lines);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace

RoomBrowserPanel::RoomBrowserPanel(QWidget* parent)
    : QWidget(parent)
{
    using namespace panel;
    setObjectName(QStringLiteral("roomBrowser"));
    resize(424, 392);
    setFont(windowFont());
    m_fraRooms = frame(this, QStringLiteral("fraRooms"), QRect(8, 4, 196, 244), QStringLiteral("Rooms - 0"));
    m_lstRooms = list(this, QStringLiteral("lstRooms"), QRect(16, 22, 180, 188));
    m_txtJoinRoom = lineEdit(this, QStringLiteral("txtJoinRoom"), QRect(16, 216, 120, 20));
    m_cmdJoinRoom
        = button(this, QStringLiteral("cmdJoinRoom"), QRect(140, 215, 56, 22), QStringLiteral("Join"));
    frame(this, {}, QRect(8, 254, 196, 104), QStringLiteral("Create Room"));
    label(this, {}, QRect(16, 274, 70, 16), QStringLiteral("Room Name:"));
    m_txtRoomName = lineEdit(this, QStringLiteral("txtRoomName"), QRect(88, 272, 108, 20));
    label(this, {}, QRect(16, 298, 70, 16), QStringLiteral("Password:"));
    m_txtPassword = lineEdit(this, QStringLiteral("txtPassword"), QRect(88, 296, 108, 20));
    m_cmdCreateRoom
        = button(this, QStringLiteral("cmdCreateRoom"), QRect(16, 324, 88, 24), QStringLiteral("Create"));
    m_cmdMoreOptions = button(
        this, QStringLiteral("cmdMoreOptions"), QRect(108, 324, 88, 24), QStringLiteral("More Options"));
    frame(this, {}, QRect(212, 4, 204, 354), QStringLiteral("Room Information"));
    // Sixteen lines and seven lines in the sheet's rectangles: a smaller font.
    QFont small = windowFont();
    small.setPixelSize(9);
    m_lblRoomInfo = label(this, QStringLiteral("lblRoomInfo"), QRect(220, 22, 188, 180));
    m_lblRoomInfo2 = label(this, QStringLiteral("lblRoomInfo2"), QRect(220, 204, 188, 84));
    for (QLabel* info : { m_lblRoomInfo, m_lblRoomInfo2 }) {
        info->setFont(small);
        info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // A server's room names are shown as they are, never read as markup.
        info->setTextFormat(Qt::PlainText);
    }
    label(this, {}, QRect(220, 290, 188, 16), QStringLiteral("Special Block Occurancy:"));
    m_lstSpecialOccurancy = list(this, QStringLiteral("lstSpecialOccurancy"), QRect(220, 306, 188, 46));
    m_lstSpecialOccurancy->setFont(small);
    m_cmdRefreshRooms
        = button(this, QStringLiteral("cmdRefreshRooms"), QRect(8, 364, 96, 24), QStringLiteral("Refresh"));
    m_cmdRoomX = button(this, QStringLiteral("cmdRoomX"), QRect(320, 364, 96, 24), QStringLiteral("Close"));
    m_lblRoomInfo->setText(QString::fromLatin1(kNoRoomSelected));

    connect(m_lstRooms, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_txtJoinRoom->setText(item->text());
        emit roomClicked(item->text());
    });
    connect(m_lstRooms, &QListWidget::itemDoubleClicked, this, &RoomBrowserPanel::roomDoubleClicked);
    connect(m_cmdJoinRoom, &QPushButton::clicked, this, &RoomBrowserPanel::joinClicked);
    connect(m_txtJoinRoom, &QLineEdit::returnPressed, this, [this] {
        if (!m_txtJoinRoom->text().isEmpty())
            emit joinClicked();
    });
    connect(m_cmdCreateRoom, &QPushButton::clicked, this, &RoomBrowserPanel::createClicked);
    connect(m_txtRoomName, &QLineEdit::returnPressed, this, [this] {
        if (!m_txtRoomName->text().isEmpty())
            emit createClicked();
    });
    connect(m_txtPassword, &QLineEdit::returnPressed, this, &RoomBrowserPanel::createClicked);
    connect(m_cmdMoreOptions, &QPushButton::clicked, this, &RoomBrowserPanel::moreOptionsClicked);
    connect(m_cmdRefreshRooms, &QPushButton::clicked, this, &RoomBrowserPanel::refreshClicked);
    connect(m_cmdRoomX, &QPushButton::clicked, this, &RoomBrowserPanel::closeClicked);
}

void RoomBrowserPanel::clearRooms()
{
    m_lstRooms->clear();
}

void RoomBrowserPanel::addRoom(BytesView name)
{
    m_lstRooms->addItem(toQString(name));
}

void RoomBrowserPanel::selectRoom(int row)
{
    m_lstRooms->setCurrentRow(row);
    if (const QListWidgetItem* item = m_lstRooms->item(row))
        m_txtJoinRoom->setText(item->text());
}

void RoomBrowserPanel::setRoomsCaption(BytesView caption)
{
    m_fraRooms->setTitle(toQString(caption));
}

void RoomBrowserPanel::showRoomInfo(const RoomInfoText& info)
{
    m_lblRoomInfo->setText(labelText(info.rules));
    m_lblRoomInfo2->setText(labelText(info.pieces));
    m_lstSpecialOccurancy->clear();
    for (const Bytes& special : info.specials)
        m_lstSpecialOccurancy->addItem(toQString(special));
}

QString RoomBrowserPanel::roomsCaption() const
{
    return m_fraRooms->title();
}

QString RoomBrowserPanel::roomInfo() const
{
    return m_lblRoomInfo->text();
}

QString RoomBrowserPanel::pieceInfo() const
{
    return m_lblRoomInfo2->text();
}

} // namespace kalvon
