#pragma once
// A playing field's picture (picField). Player 1's takes the keyboard during a game; the game's
// key filter reads the keys from it, Tab included, so Tab never moves the focus away.

#include "window/pictureview.h"

namespace kalvon {

class FieldView final : public PictureView {
    Q_OBJECT
public:
    explicit FieldView(QWidget* parent = nullptr);

signals:
    void focusGained();

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace kalvon
