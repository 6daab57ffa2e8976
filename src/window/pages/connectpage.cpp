#include "window/pages/connectpage.h"

#include "engine/store/options.h"
#include "platform/qtext.h"
#include "window/servergrid.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalvon {

ConnectPage::ConnectPage(QWidget& area, QObject* parent)
    : Page(area, parent)
{
    m_lblClient[1]
        = makeLabel(controlName("lblClient", 1), QRect(28, 66, 104, 16), QStringLiteral("Player Name:"));
    m_txtName = makeLineEdit(QStringLiteral("txtName"), QRect(136, 64, 220, 20));
    m_lblClient[0]
        = makeLabel(controlName("lblClient", 0), QRect(28, 94, 104, 16), QStringLiteral("Server Address:"));
    m_txtIP = makeComboBox(QStringLiteral("txtIP"), QRect(136, 92, 220, 20), true);
    m_cmdConnect
        = makeButton(QStringLiteral("cmdConnect"), QRect(368, 64, 110, 48), QStringLiteral("Connect"));
    connect(m_cmdConnect, &QPushButton::clicked, this, &ConnectPage::connectClicked);
    // Enter in either box is the button's click.
    m_txtName->installEventFilter(this);
    m_txtIP->lineEdit()->installEventFilter(this);
    connect(m_txtName, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_network)
            m_network->name = fromQString(text);
    });
    connect(m_txtIP, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (m_network)
            m_network->lastIp = fromQString(text);
    });
    m_gridServers = new ServerGrid(&area, QRect(28, 182, 450, 262));
    m_cmdServerList = makeButton(
        QStringLiteral("cmdServerList"), QRect(28, 452, 150, 24), QStringLiteral("Get Server List"));
    m_lblCredits = makeLabel(
        QStringLiteral("lblCredits"), QRect(506, 64, 110, 414), QString(), Qt::AlignLeft | Qt::AlignTop);
    m_lblCredits->setWordWrap(true);

    listed(m_lblClient[0]);
    listed(m_lblClient[1]);
    listed(m_lblCredits);
    listed(m_txtIP);
    listed(m_txtName);
    listed(m_cmdConnect);
    listed(m_cmdServerList);
    listed(m_gridServers);
}

void ConnectPage::ShowConnectControls()
{
    setListedVisible(true);
    SetupServerGrid();
}

void ConnectPage::HideConnectControls()
{
    setListedVisible(false);
}

void ConnectPage::SetupServerGrid()
{
    m_gridServers->setupHeader();
}

void ConnectPage::showConnectable()
{
    m_cmdConnect->setText(QStringLiteral("Connect"));
    m_txtName->setEnabled(true);
    m_txtIP->setEnabled(true);
}

void ConnectPage::bindOptions(NetworkSettings& network)
{
    m_network = &network;
    m_txtName->setText(toQString(network.name));
    m_txtIP->setEditText(toQString(network.lastIp));
}

bool ConnectPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_cmdConnect->click();
            return true;
        }
    }
    return Page::eventFilter(watched, event);
}

void ConnectPage::showCredits()
{
    const char* sections[][2] = { { "Programming", "The Kalvon Project" }, { "GUI", "The Kalvon Project" },
        { "Other Graphics", "The Kalvon Project" }, { "Image Libary", "Qt" },
        { "Special Thanks", "Everyone who plays" } };
    QStringList lines;
    for (const auto& section : sections) {
        if (!lines.isEmpty())
            lines << QString();
        lines << QLatin1String(section[0]) << QStringLiteral("--------------------")
              << QLatin1String(section[1]);
    }
    m_lblCredits->setText(lines.join(QLatin1Char('\n')));
}

void ConnectPage::colorLabels(const ColorTable& colors)
{
    for (QLabel* label : { m_lblClient[0], m_lblClient[1], m_lblCredits })
        setLabelColor(label, colors[kColorConnect]);
}

} // namespace kalvon
