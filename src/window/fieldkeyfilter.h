#pragma once
// Qt's key and focus events on the field, as the game core's keyboard takes them.

#include <QObject>

namespace kalvon {

class FieldKeyboard;

// Installed on player 1's field (picField(1)) and on the main window. The field's key presses and releases go
// to the keyboard through the virtual-key table and the auto-repeat rule and are consumed, Tab included; the
// field's focus loss and the window's deactivation release the held keys. Events of other objects pass
// untouched.
class FieldKeyFilter final : public QObject {
    Q_OBJECT
public:
    FieldKeyFilter(FieldKeyboard& keyboard, QObject* field, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldKeyboard& m_keyboard;
    QObject* m_field;
};

} // namespace kalvon
