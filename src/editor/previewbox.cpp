#include "editor/previewbox.h"

#include "editor/previewpictures.h"

#include <QPainter>
#include <QPointer>

namespace kalvon::editor {

PreviewBox::PreviewBox(PreviewPictures& pictures, BytesView box, Fit fit, QWidget* parent)
    : QWidget(parent)
    , m_pictures(pictures)
    , m_box(box)
    , m_fit(fit)
{
    setAttribute(Qt::WA_OpaquePaintEvent, fit == Fit::Clip);
    pictures.addListener([self = QPointer<PreviewBox>(this), name = m_box](BytesView changed) {
        if (self && changed == name)
            self->update();
    });
}

void PreviewBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& image = m_pictures.picture(m_box).image();
    if (m_fit == Fit::Clip) {
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(0, 0, image);
        return;
    }
    if (image.isNull())
        return;
    const QSize size = image.size().scaled(this->size(), Qt::KeepAspectRatio).boundedTo(image.size());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
}

} // namespace kalvon::editor
