#include "window/loadingwindow.h"

#include "common/vbconv.h"
#include "platform/picturefile.h"
#include "platform/qtext.h"
#include "window/pictureview.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPaintEvent>
#include <QTimer>

namespace kalvon {

namespace {
constexpr int kBarWidth = 433;
constexpr int kBarHeight = 17;
constexpr QRgb kBarBackground = 0xff10161e;

Surface pictureOrBlank(const std::filesystem::path& file, int width, int height)
{
    if (std::optional<Surface> picture = loadPictureFile(file))
        return *picture;
    return Surface(width, height);
}
} // namespace

int loadingBarWidth(int percent)
{
    return static_cast<int>(vb::roundHalfEven(percent / 100.0 * kBarWidth));
}

LoadingWindow::LoadingWindow(const std::filesystem::path& imagesFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , m_splash(pictureOrBlank(imagesFolder / "splash.png", kBarWidth, 200))
    , m_loadingLed(pictureOrBlank(imagesFolder / "loadingbar.png", kBarWidth, kBarHeight))
    , m_progressPicture(kBarWidth, kBarHeight)
{
    setFixedSize(449, 316);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    auto* splash = new PictureView(this);
    splash->setGeometry(8, 8, kBarWidth, 200);
    splash->setSurface(&m_splash);

    auto* loading = new QLabel(QStringLiteral("Loading Kalvon, please wait..."), this);
    loading->setGeometry(8, 214, kBarWidth, 16);
    QFont bold = font;
    bold.setBold(true);
    loading->setFont(bold);

    m_lblFile = new QLabel(this);
    m_lblFile->setGeometry(8, 232, kBarWidth, 16);

    m_progressPicture.fill(kBarBackground);
    m_picProgress = new PictureView(this);
    m_picProgress->setGeometry(8, 252, kBarWidth, kBarHeight);
    m_picProgress->setSurface(&m_progressPicture);

    auto* divider = new QFrame(this);
    divider->setGeometry(8, 276, kBarWidth, 2);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);

    auto* notice
        = new QLabel(QStringLiteral("Tip: F2 starts a game, F3 pauses it and F1 opens the help."), this);
    notice->setGeometry(8, 282, kBarWidth, 28);
    notice->setWordWrap(true);
}

void LoadingWindow::showLoading()
{
    setWindowTitle(QStringLiteral("Kalvon"));
    show();
}

void LoadingWindow::showAtOnce()
{
    showLoading();
    // The window system exposes the window, then it is painted; a window that never shows
    // (no display answering) is waited for no longer than the limit.
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(1000);
    while (!m_painted && limit.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
}

void LoadingWindow::paintEvent(QPaintEvent* event)
{
    m_painted = true;
    QWidget::paintEvent(event);
}

void LoadingWindow::setFileText(BytesView text)
{
    m_lblFile->setText(toQString(text));
}

QString LoadingWindow::fileText() const
{
    return m_lblFile->text();
}

void LoadingWindow::setProgress(int percent)
{
    m_progress = percent;
    m_progressPicture.fill(kBarBackground);
    m_progressPicture.bitBlt(0, 0, loadingBarWidth(percent), kBarHeight, m_loadingLed, 0, 0);
    m_picProgress->refreshNow();
}

void LoadingWindow::closeLoading()
{
    close();
}

} // namespace kalvon
