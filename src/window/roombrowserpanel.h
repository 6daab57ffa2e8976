#pragma once
// The room browser (picRoomList, 424 x 392, in the place of the chat box): the rooms of an
// outside server with the frame counting them, joining one by name, the quick create (name and
// password), "More Options" for the room-creation panel, and the information of the room
// selected: its rules, its piece percentages and its special percentages (docs/layout.md).
// The panel only shows and reports; what its buttons do is RoomBrowsing's.

#include "net/clientview.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalvon {

class RoomBrowserPanel final : public QWidget {
    Q_OBJECT
public:
    explicit RoomBrowserPanel(QWidget* parent = nullptr);

    void clearRooms();
    void addRoom(BytesView name);
    // The row selected as a click selects it: its name goes into the join box.
    void selectRoom(int row);
    void setRoomsCaption(BytesView caption);
    void showRoomInfo(const RoomInfoText& info);

    QListWidget& roomList() { return *m_lstRooms; } // lstRooms
    QLineEdit& joinBox() { return *m_txtJoinRoom; } // txtJoinRoom
    QPushButton& joinButton() { return *m_cmdJoinRoom; } // cmdJoinRoom
    QLineEdit& roomNameBox() { return *m_txtRoomName; } // txtRoomName
    QLineEdit& passwordBox() { return *m_txtPassword; } // txtPassword
    QPushButton& createButton() { return *m_cmdCreateRoom; } // cmdCreateRoom
    QPushButton& moreOptionsButton() { return *m_cmdMoreOptions; } // cmdMoreOptions
    QPushButton& refreshButton() { return *m_cmdRefreshRooms; } // cmdRefreshRooms
    QPushButton& closeButton() { return *m_cmdRoomX; } // cmdRoomX
    QString roomsCaption() const;
    QString roomInfo() const;
    QString pieceInfo() const;
    QListWidget& specialList() { return *m_lstSpecialOccurancy; } // lstSpecialOccurancy

signals:
    // A click on a room (its name is in the join box), a double click on the list.
    void roomClicked(const QString& name);
    void roomDoubleClicked();
    // The join button, or Enter in a join box that is not empty.
    void joinClicked();
    // The create button, Enter in a room name box that is not empty, or Enter in the password box.
    void createClicked();
    void moreOptionsClicked();
    void refreshClicked();
    void closeClicked();

private:
    QGroupBox* m_fraRooms = nullptr;
    QListWidget* m_lstRooms = nullptr;
    QLineEdit* m_txtJoinRoom = nullptr;
    QPushButton* m_cmdJoinRoom = nullptr;
    QLineEdit* m_txtRoomName = nullptr;
    QLineEdit* m_txtPassword = nullptr;
    QPushButton* m_cmdCreateRoom = nullptr;
    QPushButton* m_cmdMoreOptions = nullptr;
    QLabel* m_lblRoomInfo = nullptr;
    QLabel* m_lblRoomInfo2 = nullptr;
    QListWidget* m_lstSpecialOccurancy = nullptr;
    QPushButton* m_cmdRefreshRooms = nullptr;
    QPushButton* m_cmdRoomX = nullptr;
};

} // namespace kalvon
