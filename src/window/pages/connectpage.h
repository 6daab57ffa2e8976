#pragma once
// The connect page (CurrentScreen 4): the player's name and the server's address with the
// connect button, the server list with its request button, and the credits. The name and the
// address are the options model's [Network] texts: the page shows them and stores every edit.

#include "window/pages/page.h"

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kalvon {

struct NetworkSettings;
class ServerGrid;

class ConnectPage final : public Page {
    Q_OBJECT
public:
    explicit ConnectPage(QWidget& area, QObject* parent = nullptr);

    // The page's controls shown, then the server list's header written (SetupServerGrid).
    void ShowConnectControls();
    void HideConnectControls();
    // The server list's header row: its five titles and column widths; then the first cell of
    // the second column is chosen when the list has a row.
    void SetupServerGrid();
    // After a disconnect: the button reads "Connect" and the name and address take input again.
    void showConnectable();
    // The page edits these from now on; the stored name and address are shown at once.
    void bindOptions(NetworkSettings& network);
    // The credits: who made the program, under their headings.
    void showCredits();
    // colorconnect on the captions and the credits.
    void colorLabels(const ColorTable& colors);

    QPushButton& connectButton() { return *m_cmdConnect; } // cmdConnect
    QLineEdit& nameBox() { return *m_txtName; } // txtName
    QComboBox& addressBox() { return *m_txtIP; } // txtIP
    ServerGrid& serverList() { return *m_gridServers; } // gridServers
    QPushButton& serverListButton() { return *m_cmdServerList; } // cmdServerList

signals:
    // cmdConnect was pressed, or Enter in the name or the address box.
    void connectClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NetworkSettings* m_network = nullptr;
    std::array<QLabel*, 2> m_lblClient{};
    QLabel* m_lblCredits = nullptr;
    QLineEdit* m_txtName = nullptr;
    QComboBox* m_txtIP = nullptr;
    QPushButton* m_cmdConnect = nullptr;
    QPushButton* m_cmdServerList = nullptr;
    ServerGrid* m_gridServers = nullptr;
};

} // namespace kalvon
