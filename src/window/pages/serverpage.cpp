#include "window/pages/serverpage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kalvon {

ServerPage::ServerPage(QWidget& area, QObject* parent)
    : Page(area, parent)
{
    const auto menuLabel = [](int i) { return controlName("lblServerMenu", i); };
    // Game rules.
    const char* rules[4][2]
        = { { "chkSpecials", "Use Specials" }, { "chkSpecialLine", "Specials Given = Lines Made" },
              { "chkClassic", "Classic Mode: Lines Go To Others" },
              { "chkSameLevel", "Players Have The Same Level" } };
    for (int i = 0; i < 4; ++i) {
        m_lblServerMenu[size_t(i)] = makeCheckRow(QLatin1String(rules[i][0]), QPoint(28, 66 + 22 * i),
            menuLabel(i), 260, QLatin1String(rules[i][1]));
    }
    // The rule fields, each beside its caption.
    const char* fields[7][2] = { { "txtDelay", "Piece Delay (Milliseconds):" },
        { "txtLevel", "Starting Level:" }, { "txtLineLevel", "Lines To Make To Raise Level:" },
        { "txtLevelsMade", "Levels Raised:" }, { "txtLineSpec", "Lines To Make To Make Special:" },
        { "txtSpecialsMade", "Specials Made:" }, { "txtMaxSpecial", "Max. Number Of Specials:" } };
    for (int i = 0; i < 7; ++i) {
        m_lblServerMenu[size_t(4 + i)]
            = makeLabel(menuLabel(4 + i), QRect(28, 160 + 24 * i, 220, 16), QLatin1String(fields[i][1]));
        makeLineEdit(QLatin1String(fields[i][0]), QRect(256, 158 + 24 * i, 48, 20));
    }
    makeButton(QStringLiteral("cmdChangeRatio"), QRect(16, 344, 146, 24), QStringLiteral("Block Occurancy"));
    makeButton(
        QStringLiteral("cmdDefaultServOptions"), QRect(170, 344, 146, 24), QStringLiteral("Default Options"));

    // Start heights of the six players, three to a row.
    m_lblServerMenu[11]
        = makeLabel(menuLabel(11), QRect(28, 404, 276, 16), QStringLiteral("Starting Block Stack Height:"));
    for (int i = 0; i < 6; ++i) {
        const QPoint at(28 + 96 * (i % 3), 428 + 26 * (i / 3));
        m_lblHeight[size_t(i)] = makeLabel(
            controlName("lblHeight", i), QRect(at, QSize(52, 16)), QStringLiteral("Player %1:").arg(i + 1));
        makeLineEdit(controlName("txtPlayerHeight", i + 1), QRect(at + QPoint(54, -2), QSize(32, 20)));
    }

    // The server itself.
    m_lblServerMenu[12] = makeLabel(menuLabel(12), QRect(336, 66, 90, 16), QStringLiteral("Server Port:"));
    makeLineEdit(QStringLiteral("txtPort"), QRect(432, 64, 64, 20));
    m_lblServerMenu[13] = makeLabel(menuLabel(13), QRect(336, 92, 90, 16), QStringLiteral("Max Clients:"));
    makeLineEdit(QStringLiteral("txtMax"), QRect(432, 90, 64, 20));
    m_lblServerMenu[14] = makeLabel(menuLabel(14), QRect(336, 118, 90, 16), QStringLiteral("Server IP:"));
    makeLineEdit(QStringLiteral("txtServIP"), QRect(432, 116, 180, 20))->setReadOnly(true);
    m_cmdStartServer = makeButton(
        QStringLiteral("cmdStartServer"), QRect(336, 146, 276, 28), QStringLiteral("Start Server"));

    // Players and the ban list.
    makeLabel(QStringLiteral("lblUserName"), QRect(336, 224, 40, 16), QStringLiteral("User:"));
    makeComboBox(QStringLiteral("cmbUsers"), QRect(380, 222, 232, 20), false);
    makeButton(QStringLiteral("cmdKickUser"), QRect(336, 252, 134, 24), QStringLiteral("Kick User"));
    makeButton(QStringLiteral("cmdBanUser"), QRect(478, 252, 134, 24), QStringLiteral("Ban User"));
    makeList(QStringLiteral("lstBans"), QRect(336, 334, 276, 120));
    makeLineEdit(QStringLiteral("txtBan"), QRect(336, 458, 276, 20));

    // The page's list.
    for (QLabel* label : m_lblServerMenu)
        listed(label);
    for (int i = 0; i < 6; ++i) {
        listed(m_lblHeight[size_t(i)]);
        listed(control<QLineEdit>(controlName("txtPlayerHeight", i + 1)));
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

} // namespace kalvon
