#include "window/aboutwindow.h"

#include "platform/qtext.h"
#include "window/windowfont.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace kalvon {

Bytes aboutText(BytesView version)
{
    return "Kalvon v" + Bytes(version)
        + "\rWritten by the Kalvon Project\r(kalvon@example.org)\r\rBuild Date: " + kVersionDate
        + "\rArtwork: the Kalvon Project";
}

AboutWindow::AboutWindow(BytesView version, const std::filesystem::path& imagesFolder,
    std::function<void(const QString&)> openLink, QWidget* parent)
    : QDialog(parent)
    , m_openLink(std::move(openLink))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Kalvon"));
    setModal(false);
    setFixedSize(360, 136);
    setFont(windowFont());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picAbout"));
    picture->setGeometry(12, 12, 96, 96);
    picture->setPixmap(QPixmap(QString::fromStdString((imagesFolder / "about.png").string())));
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip(QString::fromLatin1(kGamePage));
    picture->installEventFilter(this);
    m_picAbout = picture;

    QString text = toQString(aboutText(version));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto* about = new QLabel(text, this);
    about->setObjectName(QStringLiteral("lblAbout"));
    about->setTextFormat(Qt::PlainText);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    about->setGeometry(120, 12, 228, 84);

    const QString home = QString::fromLatin1(kMakerHomePage);
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">kalvon.example.org</a>").arg(home), this);
    link->setObjectName(QStringLiteral("Label1"));
    link->setGeometry(120, 100, 136, 16);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [this](const QString& address) {
        if (m_openLink)
            m_openLink(address);
    });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(260, 104, 88, 24);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picAbout && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (m_openLink)
            m_openLink(QString::fromLatin1(kGamePage));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalvon
