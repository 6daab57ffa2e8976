#pragma once
// A playing field's picture (picField): it takes the keyboard during a game and hands every key
// to whoever handles the game keys, Tab included (Tab does not move the focus away from it).

#include "window/pictureview.h"

class QKeyEvent;

namespace kalvon {

class FieldView final : public PictureView {
    Q_OBJECT
public:
    explicit FieldView(QWidget* parent = nullptr);

signals:
    void keyPressed(QKeyEvent* event);
    void keyReleased(QKeyEvent* event);
    void focusGained();
    void focusLost();

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace kalvon
