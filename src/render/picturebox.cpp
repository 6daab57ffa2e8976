#include "render/picturebox.h"

namespace kalvon {

PictureBox::PictureBox(int width, int height)
    : m_canvas(width, height)
{
}

void PictureBox::clear()
{
    m_canvas.fill(m_backColor);
    m_canvas.bitBlt(0, 0, m_picture.width(), m_picture.height(), m_picture, 0, 0);
}

void PictureBox::setBackColor(QRgb color)
{
    m_backColor = color;
    clear();
}

void PictureBox::setPicture(const Surface& picture)
{
    m_picture = picture;
    clear();
}

void PictureBox::refresh()
{
    if (m_viewer)
        m_viewer->showPicture(*this);
}

} // namespace kalvon
