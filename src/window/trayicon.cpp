#include "window/trayicon.h"

#include <QSystemTrayIcon>
#include <QWidget>

namespace kalvon {

TrayIcon::TrayIcon(QWidget& mainWindow, QIcon icon, QString tip, QObject* parent)
    : QObject(parent)
    , m_mainWindow(mainWindow)
    , m_icon(std::move(icon))
    , m_tip(std::move(tip))
{
}

TrayIcon::~TrayIcon()
{
    remove();
}

void TrayIcon::applyOption(int value)
{
    if (value == 1)
        add();
    else
        remove();
}

void TrayIcon::add()
{
    if (m_tray || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_tray = new QSystemTrayIcon(m_icon, this);
    m_tray->setToolTip(m_tip);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            restoreWindow();
    });
    m_tray->show();
}

void TrayIcon::remove()
{
    delete m_tray;
    m_tray = nullptr;
}

bool TrayIcon::isShown() const
{
    return m_tray != nullptr;
}

void TrayIcon::restoreWindow()
{
    m_mainWindow.show();
    m_mainWindow.raise();
    m_mainWindow.activateWindow();
}

} // namespace kalvon
