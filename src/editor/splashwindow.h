#pragma once
// The splash window the editor starts behind: the picture, the program's name and version, the
// credits and the notice. Any click on it or any key leaves it, once.

#include <QWidget>
#include <filesystem>

namespace kalvon::editor {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(const std::filesystem::path& imagesDir);

signals:
    // The user clicked or pressed a key: the editing window takes over.
    void dismissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void dismiss();

    bool m_dismissed = false;
};

} // namespace kalvon::editor
