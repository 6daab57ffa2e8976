#pragma once
// A preview picture on a page: shows the picture PreviewPictures holds for its box, either
// clipped at the box's size (the animations, as the game draws them) or scaled to fit (the
// single-image previews).

#include "common/bytes.h"

#include <QWidget>

namespace kalvon::editor {

class PreviewPictures;

class PreviewBox : public QWidget {
public:
    enum class Fit { Clip, Scale };
    PreviewBox(PreviewPictures& pictures, BytesView box, Fit fit, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PreviewPictures& m_pictures;
    Bytes m_box;
    Fit m_fit;
};

} // namespace kalvon::editor
