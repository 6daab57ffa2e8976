#include "window/settingspicker.h"

#include "platform/qtext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace kalvon {

SettingsPicker::SettingsPicker(QListWidget& list, QComboBox& values, QLineEdit& current,
    std::function<SettingValues()> record, QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_values(values)
    , m_current(current)
    , m_record(std::move(record))
{
    for (const GameSetting& setting : kGameSettings)
        m_list.addItem(QString::fromLatin1(setting.name));
    m_current.setReadOnly(true);
    connect(&m_list, &QListWidget::currentRowChanged, this, &SettingsPicker::showSelected);
}

void SettingsPicker::showSelected()
{
    m_values.clear();
    const SettingChoice choice = settingChoice(selectedEntry(), m_record());
    for (const Bytes& offered : choice.offered)
        m_values.addItem(toQString(offered));
    if (m_values.count() > 0)
        m_values.setCurrentIndex(0);
    m_current.setText(toQString(choice.current));
}

int SettingsPicker::selectedEntry() const
{
    return m_list.currentRow();
}

Bytes SettingsPicker::chosenText() const
{
    return fromQString(m_values.currentText());
}

void SettingsPicker::select(int entry)
{
    m_list.setCurrentRow(entry);
    showSelected();
}

} // namespace kalvon
