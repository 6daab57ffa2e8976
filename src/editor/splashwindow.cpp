#include "editor/splashwindow.h"

#include "editor/programinfo.h"
#include "platform/qtext.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace kalvon::editor {

namespace {

// A carriage return alone breaks a line where the texts are joined with one.
QString shownLines(BytesView text)
{
    QString shown = toQString(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

} // namespace

SplashWindow::SplashWindow(const std::filesystem::path& imagesDir)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setWindowTitle(toQString(kProgramTitle));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("fraSplash"));
    frame->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(frame);
    auto* column = new QVBoxLayout(frame);

    auto* picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("picSplash"));
    picture->setPixmap(QPixmap(QString::fromStdString((imagesDir / "editor_splash.png").string())));
    column->addWidget(picture, 0, Qt::AlignHCenter);

    const auto label = [&](const char* name, const QString& text, int pointSize) {
        auto* item = new QLabel(text, frame);
        item->setObjectName(QString::fromLatin1(name));
        item->setAlignment(Qt::AlignHCenter);
        if (pointSize > 0) {
            QFont font = item->font();
            font.setPointSize(pointSize);
            font.setBold(true);
            item->setFont(font);
        }
        column->addWidget(item);
    };
    label("lblProductName", toQString(kProgramTitle), 16);
    label("lblVersion", toQString(versionText()), 0);
    label("lblCredits", shownLines(kCredits), 0);
    label("lblCopyright", toQString(kCopyright), 0);

    // A click on any part of the window counts.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        dismiss();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::mousePressEvent(QMouseEvent*)
{
    dismiss();
}

void SplashWindow::keyPressEvent(QKeyEvent*)
{
    dismiss();
}

void SplashWindow::dismiss()
{
    if (m_dismissed)
        return;
    m_dismissed = true;
    emit dismissed();
    close();
}

} // namespace kalvon::editor
