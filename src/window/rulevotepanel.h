#pragma once
// The rule-vote panel (picVote, 424 x 392, in the place of the chat box): the 34 game rules
// with the current game's value of the one selected and the values it may take; "Start Vote"
// asks the server of the room for a vote on the chosen value, "Cancel" closes the panel
// (docs/layout.md).

#include "net/gamesettings.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalvon {

class SettingsPicker;

class RuleVotePanel final : public QWidget {
    Q_OBJECT
public:
    // `rules` reads the rules of the current game in the settings' layout.
    RuleVotePanel(std::function<SettingValues()> rules, QWidget* parent = nullptr);

    // The "Start Vote" menu item: the button usable, the first rule selected and shown.
    void openPanel();

    QListWidget& ruleList() { return *m_lstGameRule; } // lstGameRule
    QComboBox& valueList() { return *m_cmbRuleSetting; } // cmbRuleSetting
    QLineEdit& currentValue() { return *m_txtCurrentSetting; } // txtCurrentSetting
    QPushButton& startButton() { return *m_cmdStartVote; } // cmdStartVote
    QPushButton& cancelButton() { return *m_cmdCancelVote; } // cmdCancelVote
    SettingsPicker& picker() { return *m_picker; }

signals:
    // The rule and the value chosen, as the drop-down list shows it.
    void startVoteClicked(int rule, const Bytes& value);
    void cancelClicked();

private:
    QListWidget* m_lstGameRule = nullptr;
    QComboBox* m_cmbRuleSetting = nullptr;
    QLineEdit* m_txtCurrentSetting = nullptr;
    QPushButton* m_cmdStartVote = nullptr;
    QPushButton* m_cmdCancelVote = nullptr;
    SettingsPicker* m_picker = nullptr;
};

} // namespace kalvon
