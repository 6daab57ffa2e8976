#pragma once
// The loading window (frmLoading): the splash picture, a fixed caption, the current step or
// file, the progress bar drawn from the full bar picture, and a notice.

#include "platform/surface.h"
#include "window/loadingscreen.h"

#include <QWidget>
#include <filesystem>

class QLabel;

namespace kalvon {

class PictureView;

// The progress bar's width in pixels for a per cent: p / 100 x 433, rounded half to even.
int loadingBarWidth(int percent);

class LoadingWindow final : public QWidget, public LoadingScreen {
    Q_OBJECT
public:
    // The splash and bar pictures are read from `imagesFolder` (splash.png, loadingbar.png).
    explicit LoadingWindow(const std::filesystem::path& imagesFolder, QWidget* parent = nullptr);

    void showLoading() override;
    // Shown and painted before it returns (within a second at most), the event loop not running
    // yet: the window the user sees while the rest of the program is still being made.
    void showAtOnce();
    bool loadingVisible() const override { return isVisible(); }
    void setFileText(BytesView text) override;
    void setProgress(int percent) override;
    void closeLoading() override;

    int progress() const { return m_progress; }
    QString fileText() const;
    // The progress bar (picProgress) as drawn.
    const Surface& progressPicture() const { return m_progressPicture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Surface m_splash;
    Surface m_loadingLed; // picLoadingLed: the full bar, not shown
    Surface m_progressPicture; // picProgress
    PictureView* m_picProgress = nullptr;
    QLabel* m_lblFile = nullptr;
    int m_progress = 0;
    bool m_painted = false;
};

} // namespace kalvon
