#include "window/rulevotepanel.h"

#include "window/panelcontrols.h"
#include "window/settingspicker.h"
#include "window/windowfont.h"

namespace kalvon {

RuleVotePanel::RuleVotePanel(std::function<SettingValues()> rules, QWidget* parent)
    : QWidget(parent)
{
    using namespace panel;
    setObjectName(QStringLiteral("ruleVote"));
    resize(424, 392);
    setFont(windowFont());
    label(this, {}, QRect(8, 4, 260, 16), QStringLiteral("Game Rule:"));
    m_lstGameRule = list(this, QStringLiteral("lstGameRule"), QRect(8, 22, 260, 362));
    frame(this, {}, QRect(272, 4, 148, 116), QStringLiteral("Game Settings Change"));
    label(this, {}, QRect(276, 22, 140, 16), QStringLiteral("Current Setting:"));
    m_txtCurrentSetting = lineEdit(this, QStringLiteral("txtCurrentSetting"), QRect(276, 40, 140, 20));
    label(this, {}, QRect(276, 70, 140, 16), QStringLiteral("New Setting:"));
    m_cmbRuleSetting = dropDown(this, QStringLiteral("cmbRuleSetting"), QRect(276, 88, 140, 20));
    m_cmdStartVote = button(
        this, QStringLiteral("cmdStartVote"), QRect(276, 330, 140, 24), QStringLiteral("Start Vote"));
    m_cmdCancelVote
        = button(this, QStringLiteral("cmdCancelVote"), QRect(276, 360, 140, 24), QStringLiteral("Cancel"));
    m_picker
        = new SettingsPicker(*m_lstGameRule, *m_cmbRuleSetting, *m_txtCurrentSetting, std::move(rules), this);

    connect(m_cmdStartVote, &QPushButton::clicked, this, [this] {
        m_cmdStartVote->setEnabled(false);
        emit startVoteClicked(m_picker->selectedEntry(), m_picker->chosenText());
    });
    connect(m_cmdCancelVote, &QPushButton::clicked, this, &RuleVotePanel::cancelClicked);
}

void RuleVotePanel::openPanel()
{
    m_cmdStartVote->setEnabled(true);
    m_picker->select(0);
}

} // namespace kalvon
