#pragma once
// The server page (CurrentScreen 3): the game rules a host offers and the players' start
// heights, the built-in server's port, client limit and address with its start button, the
// connected users with kick and ban, and the ban list (a double click removes an entry, Enter
// in the box below it adds one). The user box names nobody until the host picks a user, so
// neither button acts on a user the host did not choose.
//
// The page shows the options model's [Game Options] and [Network] texts and writes every edit
// back at once. The numeric rule fields correct their own text as it is typed (only when the
// corrected text differs, the caret staying at the end); the port and the client limit are
// taken as typed and checked when the server starts.

#include "common/bytes.h"
#include "window/pages/page.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalvon {

struct GameOptionSettings;
struct NetworkSettings;

class ServerPage final : public Page {
    Q_OBJECT
public:
    explicit ServerPage(QWidget& area, QObject* parent = nullptr);

    void ShowServerControls();
    void HideServerControls();
    // colorserver on the page's captions and the start-height labels.
    void colorLabels(const ColorTable& colors);

    // The page edits these from now on; their texts are shown (and corrected) at once.
    void bindOptions(GameOptionSettings& rules, NetworkSettings& network);
    // cmdDefaultServOptions: every rule box set, the default port, limit and rule texts, no
    // start heights. A rule box that changes counts as clicked.
    void cmdDefaultServOptions_Click();
    // The server runs (listening at `address`) or stopped: the start button's caption, the port
    // and limit boxes, the user box and the kick and ban buttons.
    void showServerRunning(bool running, const QString& address);
    // A client logged in or left: its name in the user box.
    void addUser(BytesView name);
    void removeUser(BytesView name);
    // The ban list's entries, one a line.
    void showBans(const std::vector<Bytes>& entries);

    QPushButton& startServerButton() { return *m_cmdStartServer; } // cmdStartServer
    QPushButton& changeRatioButton() { return *m_cmdChangeRatio; } // cmdChangeRatio
    QPushButton& defaultOptionsButton() { return *m_cmdDefaultServOptions; } // cmdDefaultServOptions
    // The ranged fields in the order of kRuleFields, the start heights of slots 1..6.
    QLineEdit& ruleField(int index) { return *m_ruleFields.at(size_t(index)); }
    QLineEdit& heightField(int slot) { return *m_txtPlayerHeight.at(size_t(slot - 1)); }
    // chkSpecials, chkSpecialLine, chkClassic, chkSameLevel.
    QCheckBox& ruleBox(int index) { return *m_ruleBoxes.at(size_t(index)); }
    QLineEdit& portBox() { return *m_txtPort; } // txtPort
    QLineEdit& maxClientsBox() { return *m_txtMax; } // txtMax
    QLineEdit& addressBox() { return *m_txtServIP; } // txtServIP
    QComboBox& userBox() { return *m_cmbUsers; } // cmbUsers
    QPushButton& kickUserButton() { return *m_cmdKickUser; } // cmdKickUser
    QPushButton& banUserButton() { return *m_cmdBanUser; } // cmdBanUser
    QListWidget& banList() { return *m_lstBans; } // lstBans
    QLineEdit& banBox() { return *m_txtBan; } // txtBan

signals:
    // A value of the page changed in the options model.
    void settingsEdited();
    // A rule box changed by a click (or by the default options): the clients are to hear the
    // game settings again.
    void ruleBoxClicked();
    void startServerClicked();
    void changeRatioClicked();
    // The kick and ban buttons, with the user box's text (empty when no user is chosen).
    void kickUserClicked(const QString& user);
    void banUserClicked(const QString& user);
    // Enter in the ban box with a text in it (the box is emptied); a double click on a line
    // of the ban list.
    void banTyped(const QString& entry);
    void banRemoved(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ruleFieldChanged(int index);
    void heightFieldChanged(int slot);
    void ruleBoxChanged(int index);
    // Writes a corrected text into its own box; false when the text was right already.
    static bool correct(QLineEdit* box, BytesView corrected);
    void showRuleBox(int index);

    GameOptionSettings* m_rules = nullptr;
    NetworkSettings* m_network = nullptr;
    std::array<QLabel*, 15> m_lblServerMenu{};
    std::array<QLabel*, 6> m_lblHeight{};
    std::array<QLineEdit*, 7> m_ruleFields{};
    std::array<QLineEdit*, 6> m_txtPlayerHeight{};
    std::array<QCheckBox*, 4> m_ruleBoxes{};
    QLineEdit* m_txtPort = nullptr;
    QLineEdit* m_txtMax = nullptr;
    QLineEdit* m_txtServIP = nullptr;
    QComboBox* m_cmbUsers = nullptr;
    QPushButton* m_cmdStartServer = nullptr;
    QPushButton* m_cmdChangeRatio = nullptr;
    QPushButton* m_cmdDefaultServOptions = nullptr;
    QPushButton* m_cmdKickUser = nullptr;
    QPushButton* m_cmdBanUser = nullptr;
    QListWidget* m_lstBans = nullptr;
    QLineEdit* m_txtBan = nullptr;
};

} // namespace kalvon
