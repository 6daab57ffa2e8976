#include "window/highscorewindow.h"

#include "platform/picturefile.h"
#include "platform/qtext.h"
#include "platform/surface.h"
#include "platform/windowutils.h"
#include "render/themepaths.h"
#include "render/themerecord.h"
#include "window/pictureview.h"
#include "window/windowfont.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

namespace kalvon {

namespace {

// Indexes of ThemeColors.
constexpr size_t kTitleColor = 7;
constexpr size_t kFirstColor = 8;
constexpr size_t kNormalColor = 11;

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int w)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, 18);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void setTextColor(QLabel& label, int32_t color)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(rgbFromColorRef(uint32_t(color))));
    label.setPalette(palette);
}

} // namespace

HighScoreWindow::HighScoreWindow(
    const Themes& themes, const Options& options, std::filesystem::path programDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_themes(themes)
    , m_options(options)
    , m_programDir(std::move(programDir))
{
    setObjectName(QStringLiteral("frmHighScore"));
    setWindowTitle(QStringLiteral("High Scores"));
    setFixedSize(320, 372);
    setFont(windowFont());

    for (int row = 0; row <= kHighScoreRanks; ++row) {
        const int y = 34 + 20 * row;
        const bool heading = row == 0;
        m_lblRank[size_t(row)]
            = makeLabel(this, heading ? QStringLiteral("Rank") : QStringLiteral("%1.").arg(row), 12, y, 44);
        m_lblScore[size_t(row)] = makeLabel(this, heading ? QStringLiteral("Score") : QString(), 64, y, 86);
        m_lblName[size_t(row)] = makeLabel(this, heading ? QStringLiteral("Name") : QString(), 160, y, 150);
        m_lblRank[size_t(row)]->setObjectName(QStringLiteral("lblRank(%1)").arg(row));
        m_lblScore[size_t(row)]->setObjectName(QStringLiteral("lblScore(%1)").arg(row));
        m_lblName[size_t(row)]->setObjectName(QStringLiteral("lblName(%1)").arg(row));
    }

    auto* title = new HitArea(this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setGeometry(0, 0, 276, 20);
    connect(title, &HitArea::pressed, this, [this] { DragForm(windowHandle()); });
    auto* minimise = new HitArea(this);
    minimise->setObjectName(QStringLiteral("lblMini"));
    minimise->setGeometry(278, 2, 18, 16);
    connect(minimise, &HitArea::clicked, this, &QWidget::showMinimized);
    auto* close = new HitArea(this);
    close->setObjectName(QStringLiteral("lblClose"));
    close->setGeometry(298, 2, 18, 16);
    connect(close, &HitArea::clicked, this, &QWidget::close);
}

void HighScoreWindow::ShowHighScores(const HighScoreTable& table)
{
    for (int rank = 1; rank <= kHighScoreRanks; ++rank) {
        const HighScoreEntry& entry = table[size_t(rank - 1)];
        m_lblName[size_t(rank)]->setText(toQString(entry.Name));
        m_lblScore[size_t(rank)]->setText(QString::number(entry.Score));
    }
}

void HighScoreWindow::loadSkin()
{
    // A picture that cannot be read leaves the window without one.
    const std::optional<Surface> picture
        = loadPictureFile(themeFilePath(m_themes.CurrentTheme.ifacehighscore, m_programDir));
    m_background = picture ? picture->image() : QImage();
    const ColorTable& colors = m_themes.ThemeColors;
    for (int row = 0; row <= kHighScoreRanks; ++row) {
        const size_t color = row == 0 ? kTitleColor : row <= 3 ? kFirstColor + size_t(row - 1) : kNormalColor;
        for (QLabel* label : { m_lblRank[size_t(row)], m_lblScore[size_t(row)], m_lblName[size_t(row)] })
            setTextColor(*label, colors[color]);
    }
    update();
}

void HighScoreWindow::showHighScoreWindow()
{
    loadSkin();
    if (isMinimized())
        showNormal();
    show();
    ApplyStayOnTop(windowHandle(), m_options.general.stayOnTop);
    raise();
}

void HighScoreWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_background.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    else
        painter.drawImage(0, 0, m_background);
}

void HighScoreWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Form_Activate: the stay-on-top state again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ApplyStayOnTop(windowHandle(), m_options.general.stayOnTop);
}

} // namespace kalvon
