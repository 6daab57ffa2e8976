#pragma once
// txtkeys: the box that holds the keyboard while a key binding is captured. It lies outside the
// page area, so it stays enabled while the page area is disabled during a capture. Every key
// press reaches keyDown as its Windows virtual-key code (Tab and keys that would be shortcuts
// included); nothing is typed into it.

#include <QLineEdit>

namespace kalvon {

class KeyCaptureBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyCaptureBox(QWidget* parent = nullptr);

signals:
    // A key went down; keys without a virtual-key code do not count.
    void keyDown(int virtualKey);
    void focusLost();

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace kalvon
