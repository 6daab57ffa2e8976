#pragma once
// The settings list with its value display, as the rule-vote and room-creation panels both
// have it: the 34 game settings in the list (FillSettingsLists), and for the entry selected the
// current value in the text box and the values offered in the drop-down list, the first one
// preselected (ShowGameRuleValue, ShowCreateSettingValue). The record shown is read at the
// moment of the selection.

#include "net/gamesettings.h"

#include <QObject>
#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace kalvon {

class SettingsPicker final : public QObject {
    Q_OBJECT
public:
    SettingsPicker(QListWidget& list, QComboBox& values, QLineEdit& current,
        std::function<SettingValues()> record, QObject* parent = nullptr);

    // The selected entry's value and choices shown again from the record.
    void showSelected();
    // The entry selected (0..33), -1 for none.
    int selectedEntry() const;
    // The value chosen in the drop-down list, as its text.
    Bytes chosenText() const;
    void select(int entry);

private:
    QListWidget& m_list;
    QComboBox& m_values;
    QLineEdit& m_current;
    std::function<SettingValues()> m_record;
};

} // namespace kalvon
