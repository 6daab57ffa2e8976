#pragma once
// The picture controls of the skinned window. A HitArea is a transparent area that takes the
// mouse over a drawn part of the skin (the minimise and close boxes, the menus' rows); a
// PictureView also shows a surface that is drawn elsewhere (the skin, a field, a tile). It keeps
// no pixels of its own: whoever draws into the surface asks the view to show it again.

#include "render/picturebox.h"

#include <QWidget>

namespace kalvon {

class Surface;

class HitArea : public QWidget {
    Q_OBJECT
public:
    explicit HitArea(QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // A left-button press and release inside the area.
    void clicked();
    void mouseMoved();
    // The pointer left the area.
    void pointerLeft();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_pressedInside = false;
};

class PictureView : public HitArea, public PictureViewer {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    // The surface shown from its top-left corner; nullptr shows black.
    void setSurface(const Surface* surface);
    const Surface* surface() const { return m_surface; }
    // Repaints at once (a picture box's Refresh).
    void refreshNow();
    // Shows a picture box of the renderer, which from now on refreshes this view.
    void showBox(PictureBox& box);
    // PictureViewer: the box's canvas is shown again at the next paint; drawing loops that
    // animate let pending events run between frames, so each frame reaches the screen.
    void showPicture(const PictureBox& box) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Surface* m_surface = nullptr;
};

} // namespace kalvon
