#pragma once
// The program's icon in the system tray: added when the tray option is on, removed when it goes
// off and at exit; a click on it brings the main window back to the front. Where the desktop
// has no tray (or no tray is running), nothing is added and nothing fails.

#include <QIcon>
#include <QObject>

class QSystemTrayIcon;
class QWidget;

namespace kalvon {

class TrayIcon final : public QObject {
    Q_OBJECT
public:
    TrayIcon(QWidget& mainWindow, QIcon icon, QString tip, QObject* parent = nullptr);
    ~TrayIcon() override;

    // The tray option's check box value: 1 adds the icon, anything else removes it.
    void applyOption(int value);
    void add();
    // Safe whether or not the icon was added.
    void remove();
    bool isShown() const;

    // What a click on the icon does: the main window shown, raised and given the focus (its
    // minimised or normal state is left as it is).
    void restoreWindow();

private:
    QWidget& m_mainWindow;
    QIcon m_icon;
    QString m_tip;
    QSystemTrayIcon* m_tray = nullptr;
};

} // namespace kalvon
