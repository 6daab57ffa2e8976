#include "window/roomcreationpanel.h"

#include "net/gamesettings.h"
#include "platform/qtext.h"
#include "window/panelcontrols.h"
#include "window/settingspicker.h"
#include "window/windowfont.h"

namespace kalvon {

RoomCreationPanel::RoomCreationPanel(RoomCreateOptions& options, QWidget* parent)
    : QWidget(parent)
    , m_options(options)
{
    using namespace panel;
    setObjectName(QStringLiteral("roomCreation"));
    resize(424, 392);
    setFont(windowFont());
    label(this, {}, QRect(8, 8, 80, 16), QStringLiteral("Room Name:"));
    m_txtRoomCreateName = lineEdit(this, QStringLiteral("txtRoomCreateName"), QRect(92, 6, 130, 20));
    label(this, {}, QRect(232, 8, 70, 16), QStringLiteral("Password:"));
    m_txtRoomCreatePassword = lineEdit(this, QStringLiteral("txtRoomCreatePassword"), QRect(306, 6, 110, 20));
    m_lstGameCreateSettings = list(this, QStringLiteral("lstGameCreateSettings"), QRect(8, 34, 260, 320));
    frame(this, {}, QRect(272, 28, 148, 128), QStringLiteral("Game Settings Change"));
    label(this, {}, QRect(276, 44, 140, 16), QStringLiteral("Current Setting:"));
    m_txtCurrentCreateSetting
        = lineEdit(this, QStringLiteral("txtCurrentCreateSetting"), QRect(276, 60, 140, 20));
    label(this, {}, QRect(276, 84, 140, 16), QStringLiteral("New Setting:"));
    m_cmbGameCreateSetting = dropDown(this, QStringLiteral("cmbGameCreateSetting"), QRect(276, 100, 140, 20));
    QPushButton* change = button(
        this, QStringLiteral("cmdChangeSetting"), QRect(276, 126, 140, 24), QStringLiteral("Change"));
    QLabel* note = label(this, {}, QRect(276, 166, 140, 120),
        QStringLiteral(
            "Remember that the settings you choose here can be changed later using the voting dialog "
            "accessable from the chat window."));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_cmdCreateRoomOption = button(
        this, QStringLiteral("cmdCreateRoomOption"), QRect(8, 362, 120, 24), QStringLiteral("Create Room"));
    QPushButton* close = button(
        this, QStringLiteral("cmdCloseRoomCreate"), QRect(296, 362, 120, 24), QStringLiteral("Close"));
    m_picker = new SettingsPicker(
        *m_lstGameCreateSettings, *m_cmbGameCreateSetting, *m_txtCurrentCreateSetting,
        [this] { return m_options.values; }, this);

    connect(change, &QPushButton::clicked, this, &RoomCreationPanel::cmdChangeSetting_Click);
    connect(m_cmdCreateRoomOption, &QPushButton::clicked, this, &RoomCreationPanel::createClicked);
    connect(close, &QPushButton::clicked, this, &RoomCreationPanel::closeClicked);
}

void RoomCreationPanel::openPanel()
{
    m_options.ResetRoomOptions();
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_cmdCreateRoomOption, m_txtRoomCreateName, m_txtRoomCreatePassword })
        control->setEnabled(true);
    m_picker->select(m_lstGameCreateSettings->currentRow());
}

void RoomCreationPanel::cmdChangeSetting_Click()
{
    const int entry = m_picker->selectedEntry();
    const Bytes chosen = m_picker->chosenText();
    // The drop-down offers only values of the entry; anything else is never stored.
    if (entry >= 0 && !m_options.change(entry, chosen))
        return;
    m_txtCurrentCreateSetting->setText(toQString(chosen));
}

} // namespace kalvon
