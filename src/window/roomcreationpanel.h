#pragma once
// The room-creation panel (picMakeRoom, 424 x 392, opened in front of the room browser by "More
// Options"): the room's name and password, the 34 game settings of the room with the value of
// the one selected and the values it may take, "Change" storing the chosen value into the
// room's options, "Create Room" and "Close" (docs/layout.md).

#include "common/bytes.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalvon {

class SettingsPicker;
struct RoomCreateOptions;

class RoomCreationPanel final : public QWidget {
    Q_OBJECT
public:
    RoomCreationPanel(RoomCreateOptions& options, QWidget* parent = nullptr);

    // A fresh opening: the options at their defaults, nothing selected, the boxes usable.
    void openPanel();
    // cmdChangeSetting: the chosen value stored into the selected entry and shown as current.
    void cmdChangeSetting_Click();

    QLineEdit& nameBox() { return *m_txtRoomCreateName; } // txtRoomCreateName
    QLineEdit& passwordBox() { return *m_txtRoomCreatePassword; } // txtRoomCreatePassword
    QListWidget& settingsList() { return *m_lstGameCreateSettings; } // lstGameCreateSettings
    QComboBox& valueList() { return *m_cmbGameCreateSetting; } // cmbGameCreateSetting
    QLineEdit& currentValue() { return *m_txtCurrentCreateSetting; } // txtCurrentCreateSetting
    QPushButton& createButton() { return *m_cmdCreateRoomOption; } // cmdCreateRoomOption
    SettingsPicker& picker() { return *m_picker; }

signals:
    void createClicked();
    void closeClicked();

private:
    RoomCreateOptions& m_options;
    QLineEdit* m_txtRoomCreateName = nullptr;
    QLineEdit* m_txtRoomCreatePassword = nullptr;
    QListWidget* m_lstGameCreateSettings = nullptr;
    QComboBox* m_cmbGameCreateSetting = nullptr;
    QLineEdit* m_txtCurrentCreateSetting = nullptr;
    QPushButton* m_cmdCreateRoomOption = nullptr;
    SettingsPicker* m_picker = nullptr;
};

} // namespace kalvon
