#include "window/pages/serverpage.h"

#include "engine/store/options.h"
#include "engine/store/rulefields.h"
#include "platform/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kalvon {

namespace {

// The rule boxes in the page's order, each with its caption and its value in [Game Options].
struct RuleBox {
    const char* control;
    const char* caption;
    CheckValue GameOptionSettings::*setting;
};
constexpr std::array<RuleBox, 4> kRuleBoxes{ {
    { "chkSpecials", "Use Specials", &GameOptionSettings::specials },
    { "chkSpecialLine", "Specials Given = Lines Made", &GameOptionSettings::lineSpecial },
    { "chkClassic", "Classic Mode: Lines Go To Others", &GameOptionSettings::classic },
    { "chkSameLevel", "Players Have The Same Level", &GameOptionSettings::sameLevel },
} };

// The rule fields from top to bottom, with their captions.
constexpr std::array<std::array<const char*, 2>, 7> kRuleRows{ {
    { "txtDelay", "Piece Delay (Milliseconds):" },
    { "txtLevel", "Starting Level:" },
    { "txtLineLevel", "Lines To Make To Raise Level:" },
    { "txtLevelsMade", "Levels Raised:" },
    { "txtLineSpec", "Lines To Make To Make Special:" },
    { "txtSpecialsMade", "Specials Made:" },
    { "txtMaxSpecial", "Max. Number Of Specials:" },
} };

CheckValue checkValue(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    case Qt::Unchecked: break;
    }
    return 0;
}

} // namespace

ServerPage::ServerPage(QWidget& area, QObject* parent)
    : Page(area, parent)
{
    const auto menuLabel = [](int i) { return controlName("lblServerMenu", i); };
    // Game rules.
    for (int i = 0; i < int(kRuleBoxes.size()); ++i) {
        const RuleBox& rule = kRuleBoxes[size_t(i)];
        m_lblServerMenu[size_t(i)] = makeCheckRow(QLatin1String(rule.control), QPoint(28, 66 + 22 * i),
            menuLabel(i), 260, QLatin1String(rule.caption));
        QCheckBox* box = control<QCheckBox>(QLatin1String(rule.control));
        m_ruleBoxes[size_t(i)] = box;
        connect(box, &QCheckBox::stateChanged, this, [this, i] { ruleBoxChanged(i); });
        connect(box, &QCheckBox::clicked, this, [this, box] {
            // A click leaves the greyed state behind for good.
            if (box->checkState() != Qt::PartiallyChecked)
                box->setTristate(false);
            emit ruleBoxClicked();
        });
    }
    // The rule fields, each beside its caption.
    for (int row = 0; row < int(kRuleRows.size()); ++row) {
        const auto& [name, caption] = kRuleRows[size_t(row)];
        m_lblServerMenu[size_t(4 + row)]
            = makeLabel(menuLabel(4 + row), QRect(28, 160 + 24 * row, 220, 16), QLatin1String(caption));
        QLineEdit* box = makeLineEdit(QLatin1String(name), QRect(256, 158 + 24 * row, 48, 20));
        for (int i = 0; i < int(kRuleFields.size()); ++i) {
            if (QLatin1String(kRuleFields[size_t(i)].control) == QLatin1String(name)) {
                m_ruleFields[size_t(i)] = box;
                connect(box, &QLineEdit::textChanged, this, [this, i] { ruleFieldChanged(i); });
            }
        }
    }
    m_cmdChangeRatio = makeButton(
        QStringLiteral("cmdChangeRatio"), QRect(16, 344, 146, 24), QStringLiteral("Block Occurancy"));
    connect(m_cmdChangeRatio, &QPushButton::clicked, this, &ServerPage::changeRatioClicked);
    m_cmdDefaultServOptions = makeButton(
        QStringLiteral("cmdDefaultServOptions"), QRect(170, 344, 146, 24), QStringLiteral("Default Options"));
    connect(m_cmdDefaultServOptions, &QPushButton::clicked, this, &ServerPage::cmdDefaultServOptions_Click);

    // Start heights of the six players, three to a row.
    m_lblServerMenu[11]
        = makeLabel(menuLabel(11), QRect(28, 404, 276, 16), QStringLiteral("Starting Block Stack Height:"));
    for (int i = 0; i < 6; ++i) {
        const QPoint at(28 + 96 * (i % 3), 428 + 26 * (i / 3));
        m_lblHeight[size_t(i)] = makeLabel(
            controlName("lblHeight", i), QRect(at, QSize(52, 16)), QStringLiteral("Player %1:").arg(i + 1));
        m_txtPlayerHeight[size_t(i)]
            = makeLineEdit(controlName("txtPlayerHeight", i + 1), QRect(at + QPoint(54, -2), QSize(32, 20)));
        connect(m_txtPlayerHeight[size_t(i)], &QLineEdit::textChanged, this,
            [this, i] { heightFieldChanged(i + 1); });
    }

    // The server itself.
    m_lblServerMenu[12] = makeLabel(menuLabel(12), QRect(336, 66, 90, 16), QStringLiteral("Server Port:"));
    m_txtPort = makeLineEdit(QStringLiteral("txtPort"), QRect(432, 64, 64, 20));
    m_lblServerMenu[13] = makeLabel(menuLabel(13), QRect(336, 92, 90, 16), QStringLiteral("Max Clients:"));
    m_txtMax = makeLineEdit(QStringLiteral("txtMax"), QRect(432, 90, 64, 20));
    for (QLineEdit* box : { m_txtPort, m_txtMax }) {
        connect(box, &QLineEdit::textChanged, this, [this, box](const QString& text) {
            if (!m_network)
                return;
            (box == m_txtPort ? m_network->port : m_network->maxClients) = fromQString(text);
            emit settingsEdited();
        });
    }
    m_lblServerMenu[14] = makeLabel(menuLabel(14), QRect(336, 118, 90, 16), QStringLiteral("Server IP:"));
    m_txtServIP = makeLineEdit(QStringLiteral("txtServIP"), QRect(432, 116, 180, 20));
    m_txtServIP->setReadOnly(true);
    m_cmdStartServer = makeButton(
        QStringLiteral("cmdStartServer"), QRect(336, 146, 276, 28), QStringLiteral("Start Server"));
    connect(m_cmdStartServer, &QPushButton::clicked, this, &ServerPage::startServerClicked);

    // Players and the ban list; the user box and its buttons work while the server runs.
    makeLabel(QStringLiteral("lblUserName"), QRect(336, 224, 40, 16), QStringLiteral("User:"));
    m_cmbUsers = makeComboBox(QStringLiteral("cmbUsers"), QRect(380, 222, 232, 20), false);
    m_cmdKickUser
        = makeButton(QStringLiteral("cmdKickUser"), QRect(336, 252, 134, 24), QStringLiteral("Kick User"));
    m_cmdBanUser
        = makeButton(QStringLiteral("cmdBanUser"), QRect(478, 252, 134, 24), QStringLiteral("Ban User"));
    connect(m_cmdKickUser, &QPushButton::clicked, this,
        [this] { emit kickUserClicked(m_cmbUsers->currentText()); });
    connect(m_cmdBanUser, &QPushButton::clicked, this,
        [this] { emit banUserClicked(m_cmbUsers->currentText()); });
    m_lstBans = makeList(QStringLiteral("lstBans"), QRect(336, 334, 276, 120));
    connect(m_lstBans, &QListWidget::itemDoubleClicked, this,
        [this](QListWidgetItem* item) { emit banRemoved(m_lstBans->row(item)); });
    m_txtBan = makeLineEdit(QStringLiteral("txtBan"), QRect(336, 458, 276, 20));
    m_txtBan->installEventFilter(this);
    showServerRunning(false, QString());

    // The page's list.
    for (QLabel* label : m_lblServerMenu)
        listed(label);
    for (int i = 0; i < 6; ++i) {
        listed(m_lblHeight[size_t(i)]);
        listed(m_txtPlayerHeight[size_t(i)]);
    }
    for (const char* name :
        { "lblUserName", "cmbUsers", "cmdChangeRatio", "cmdDefaultServOptions", "cmdStartServer", "txtServIP",
            "txtMax", "txtPort", "chkSpecials", "chkSpecialLine", "chkClassic", "chkSameLevel", "txtDelay",
            "txtLevel", "txtLineLevel", "txtLevelsMade", "txtLineSpec", "txtSpecialsMade", "txtMaxSpecial",
            "lstBans", "txtBan", "cmdBanUser", "cmdKickUser" })
        listed(control<QWidget>(QLatin1String(name)));
}

void ServerPage::ShowServerControls()
{
    setListedVisible(true);
}

void ServerPage::HideServerControls()
{
    setListedVisible(false);
}

void ServerPage::colorLabels(const ColorTable& colors)
{
    for (QLabel* label : m_lblServerMenu)
        setLabelColor(label, colors[kColorServer]);
    for (QLabel* label : m_lblHeight)
        setLabelColor(label, colors[kColorServer]);
}

void ServerPage::bindOptions(GameOptionSettings& rules, NetworkSettings& network)
{
    m_rules = &rules;
    m_network = &network;
    // Each box shows the stored text; the change handlers correct it and store it back.
    for (size_t i = 0; i < kRuleFields.size(); ++i)
        m_ruleFields[i]->setText(toQString(rules.*kRuleFields[i].setting));
    for (int slot = 1; slot <= 6; ++slot)
        heightField(slot).setText(toQString(rules.startHeight[size_t(slot - 1)]));
    for (int i = 0; i < int(m_ruleBoxes.size()); ++i)
        showRuleBox(i);
    m_txtPort->setText(toQString(network.port));
    m_txtMax->setText(toQString(network.maxClients));
}

void ServerPage::showRuleBox(int index)
{
    QCheckBox* box = m_ruleBoxes[size_t(index)];
    const CheckValue value = m_rules->*kRuleBoxes[size_t(index)].setting;
    box->setTristate(value == 2);
    box->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

bool ServerPage::correct(QLineEdit* box, BytesView corrected)
{
    const QString text = toQString(corrected);
    if (box->text() == text)
        return false;
    box->setText(text);
    box->setCursorPosition(int(text.size()));
    return true;
}

void ServerPage::ruleFieldChanged(int index)
{
    QLineEdit* box = m_ruleFields[size_t(index)];
    const RuleField& field = kRuleFields[size_t(index)];
    // A corrected text comes back through this handler and is stored there.
    if (correct(box, correctedRangedText(fromQString(box->text()), field.upper)) || !m_rules)
        return;
    m_rules->*field.setting = fromQString(box->text());
    emit settingsEdited();
}

void ServerPage::heightFieldChanged(int slot)
{
    QLineEdit& box = heightField(slot);
    if (correct(&box, correctedStartHeightText(fromQString(box.text()))) || !m_rules)
        return;
    m_rules->startHeight[size_t(slot - 1)] = fromQString(box.text());
    emit settingsEdited();
}

void ServerPage::ruleBoxChanged(int index)
{
    if (!m_rules)
        return;
    m_rules->*kRuleBoxes[size_t(index)].setting = checkValue(m_ruleBoxes[size_t(index)]);
    emit settingsEdited();
}

void ServerPage::cmdDefaultServOptions_Click()
{
    for (int i = 0; i < int(m_ruleBoxes.size()); ++i) {
        QCheckBox* box = m_ruleBoxes[size_t(i)];
        if (box->checkState() == Qt::Checked)
            continue;
        box->setTristate(false);
        box->setCheckState(Qt::Checked);
        emit ruleBoxClicked();
    }
    m_txtPort->setText(QStringLiteral("90"));
    m_txtMax->setText(QStringLiteral("6"));
    const std::pair<const char*, const char*> texts[]
        = { { "txtDelay", "0" }, { "txtLevel", "0" }, { "txtLineLevel", "1" }, { "txtLevelsMade", "1" },
              { "txtLineSpec", "1" }, { "txtSpecialsMade", "1" }, { "txtMaxSpecial", "16" } };
    for (const auto& [name, text] : texts)
        control<QLineEdit>(QLatin1String(name))->setText(QLatin1String(text));
    for (QLineEdit* box : m_txtPlayerHeight)
        box->setText(QStringLiteral("0"));
}

void ServerPage::showServerRunning(bool running, const QString& address)
{
    m_cmdStartServer->setText(running ? QStringLiteral("Stop Server") : QStringLiteral("Start Server"));
    m_cmdKickUser->setEnabled(running);
    m_cmdBanUser->setEnabled(running);
    m_txtPort->setEnabled(!running);
    m_txtMax->setEnabled(!running);
    m_txtServIP->setText(running ? address : QString());
    m_cmbUsers->clear();
    m_cmbUsers->setEnabled(running);
}

void ServerPage::addUser(BytesView name)
{
    // The first name added would become the chosen one; the choice stays the host's.
    const int chosen = m_cmbUsers->currentIndex();
    m_cmbUsers->addItem(toQString(name));
    m_cmbUsers->setCurrentIndex(chosen);
}

void ServerPage::removeUser(BytesView name)
{
    const int index = m_cmbUsers->findText(toQString(name), Qt::MatchFixedString);
    if (index < 0)
        return;
    // A user who left is no longer chosen, and nobody else is chosen in the place.
    const int chosen = m_cmbUsers->currentIndex();
    m_cmbUsers->removeItem(index);
    m_cmbUsers->setCurrentIndex(chosen == index ? -1 : chosen - (chosen > index ? 1 : 0));
}

void ServerPage::showBans(const std::vector<Bytes>& entries)
{
    m_lstBans->clear();
    for (const Bytes& entry : entries)
        m_lstBans->addItem(toQString(entry));
}

bool ServerPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_txtBan || !isEnterPress(event))
        return Page::eventFilter(watched, event);
    // Enter is swallowed.
    const QString entry = m_txtBan->text();
    if (!entry.isEmpty()) {
        m_txtBan->clear();
        emit banTyped(entry);
    }
    return true;
}

} // namespace kalvon
