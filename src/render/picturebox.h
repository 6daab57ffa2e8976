#pragma once
// A picture control of the game's windows as the drawing code sees it: a canvas that keeps what
// is drawn into it, a back colour, and an assigned picture shown behind the drawing. Clearing
// shows the back colour with the picture over it; refreshing hands the canvas to whatever shows
// it on screen (the window's widget, or a test's recorder).

#include "platform/surface.h"

namespace kalvon {

class PictureBox;

// What shows a picture box on screen.
class PictureViewer {
public:
    virtual ~PictureViewer() = default;
    // The box's canvas is to be shown now, as it stands (a synchronous repaint).
    virtual void showPicture(const PictureBox& box) = 0;
};

class PictureBox {
public:
    PictureBox() = default;
    PictureBox(int width, int height);

    Surface& canvas() { return m_canvas; }
    const Surface& canvas() const { return m_canvas; }
    int width() const { return m_canvas.width(); }
    int height() const { return m_canvas.height(); }

    // Cls: the back colour, with the assigned picture (if any) at the top left.
    void clear();
    // A new back colour erases the drawing, as clearing does.
    void setBackColor(QRgb color);
    QRgb backColor() const { return m_backColor; }
    // Assigns the picture shown behind the drawing (a null surface removes it) and clears.
    void setPicture(const Surface& picture);
    const Surface& picture() const { return m_picture; }

    void setViewer(PictureViewer* viewer) { m_viewer = viewer; }
    // Shows the canvas now.
    void refresh();

private:
    Surface m_canvas;
    Surface m_picture;
    QRgb m_backColor = kBlackPixel;
    PictureViewer* m_viewer = nullptr;
};

} // namespace kalvon
