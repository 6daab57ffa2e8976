#include "iface.h"

#include "brand.h"
#include "layout.h"
#include "paint.h"
#include "palette.h"

#include <QPainterPath>

namespace kalvon::themegen {

namespace {

using namespace layout;

enum class ButtonState { Normal, Hover, Current };

const QColor kMenuText{ 214, 222, 238 };
const QColor kMenuHint{ 118, 132, 162 };

// ---------------------------------------------------------------- menu bar buttons

void drawButton(QPainter& p, const QRect& r, const QString& label, ButtonState state, QColor dot = QColor())
{
    p.save();
    QColor top, bottom, light, dark, text;
    switch (state) {
    case ButtonState::Normal:
        top = QColor(48, 58, 86), bottom = QColor(28, 34, 52), light = QColor(78, 92, 126),
        dark = QColor(10, 12, 20);
        text = QColor(196, 206, 226);
        break;
    case ButtonState::Hover:
        top = QColor(64, 84, 124), bottom = QColor(36, 48, 76), light = QColor(120, 196, 236),
        dark = QColor(16, 40, 64);
        text = QColor(244, 248, 255);
        break;
    case ButtonState::Current:
        top = QColor(110, 224, 255), bottom = QColor(26, 142, 202), light = QColor(196, 244, 255),
        dark = QColor(8, 64, 100);
        text = palette::kTextDark;
        break;
    }
    verticalGradient(p, r, top, bottom);
    bevel(p, r, light, dark);
    QRect textRect = r;
    if (dot.isValid()) {
        p.setRenderHint(QPainter::Antialiasing, true);
        const QPointF c(r.left() + 14, r.center().y() + 0.5);
        p.setPen(QPen(shade(dot, 0.4), 1));
        p.setBrush(dot);
        p.drawEllipse(c, 3.5, 3.5);
        p.setRenderHint(QPainter::Antialiasing, false);
        textRect.adjust(14, 0, 0, 0);
    }
    if (state == ButtonState::Current)
        drawText(p, textRect.translated(0, 1), Qt::AlignCenter, label, uiFont(11, true), shade(top, 1.2));
    else
        drawText(p, textRect.translated(1, 1), Qt::AlignCenter, label, uiFont(11, true), palette::kEdgeDark);
    drawText(p, textRect, Qt::AlignCenter, label, uiFont(11, true), text);
    p.restore();
}

void buttonColumn(
    QPainter& p, int x, int y, int width, const QString& label, int states, QColor dot = QColor())
{
    const ButtonState order[] = { ButtonState::Normal, ButtonState::Hover, ButtonState::Current };
    for (int i = 0; i < states; ++i)
        drawButton(p, QRect(x, y + kButtonHeight * i, width, kButtonHeight), label, order[i], dot);
}

// ---------------------------------------------------------------- drop-down menus

struct MenuRow {
    int y;
    QString label;
    QString hint; // shortcut or submenu arrow, right-aligned
};

QImage menuBackground(int width, int height)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(34, 42, 64), QColor(20, 25, 40));
    bevel(p, image.rect(), QColor(92, 108, 146), QColor(6, 8, 14));
    bevel(p, image.rect().adjusted(1, 1, -1, -1), QColor(48, 58, 84), QColor(14, 17, 28));
    p.fillRect(QRect(2, 2, 3, height - 4), shade(palette::kCyan, 0.55));
    return image;
}

void drawRowText(QPainter& p, const QRect& row, const MenuRow& r, QColor text, QColor hint)
{
    drawText(
        p, row.adjusted(12, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, r.label, uiFont(11, true), text);
    if (!r.hint.isEmpty())
        drawText(p, row.adjusted(12, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, r.hint, uiFont(10, false),
            hint);
}

void separator(QPainter& p, int width, int y)
{
    p.fillRect(QRect(10, y, width - 20, 1), QColor(10, 12, 20));
    p.fillRect(QRect(10, y + 1, width - 20, 1), QColor(58, 70, 100));
}

const MenuRow kFileRows[] = { { 7, QStringLiteral("Start Game"), QStringLiteral("F2") },
    { 35, QStringLiteral("Pause Game"), QStringLiteral("F3") },
    { 67, QStringLiteral("Game Mode"), QStringLiteral("\u25B8") },
    { 97, QStringLiteral("High Scores"), QString() }, { 139, QStringLiteral("Exit"), QString() } };
const MenuRow kStopRow{ 7, QStringLiteral("Stop Game"), QStringLiteral("F2") };
const MenuRow kResumeRow{ 35, QStringLiteral("Resume Game"), QStringLiteral("F3") };
const MenuRow kModeRows[] = { { 0, QStringLiteral("One Player"), QString() },
    { 27, QStringLiteral("Two Players"), QString() }, { 56, QStringLiteral("Internet"), QString() } };
const MenuRow kHelpRows[]
    = { { 5, QStringLiteral("Help"), QStringLiteral("F1") }, { 48, QStringLiteral("About"), QString() } };

QImage fileMenu()
{
    QImage image = menuBackground(149, 163);
    QPainter p(&image);
    for (int y : { 30, 60, 91, 123 })
        separator(p, 149, y);
    for (const MenuRow& r : kFileRows)
        drawRowText(p, QRect(0, r.y, 149, 20), r, kMenuText, kMenuHint);
    return image;
}

QImage smallMenu(const MenuRow* rows, int count, bool separators)
{
    QImage image = menuBackground(104, 80);
    QPainter p(&image);
    if (separators)
        for (int i = 1; i < count; ++i)
            separator(p, 104, (rows[i - 1].y + 20 + rows[i].y) / 2);
    for (int i = 0; i < count; ++i)
        drawRowText(p, QRect(0, rows[i].y, 104, 20), rows[i], kMenuText, kMenuHint);
    return image;
}

// A File-menu row whose text is swapped (stop for start, resume for pause): the menu's own
// background under the new text.
QImage menuOverlay(const MenuRow& row)
{
    QImage image = menuBackground(149, 163).copy(0, row.y, 149, 20);
    QPainter p(&image);
    drawRowText(p, QRect(0, 0, 149, 20), row, kMenuText, kMenuHint);
    return image;
}

// ---------------------------------------------------------------- side panels

void sidePanel(QPainter& p, const QRect& r, QColor accent)
{
    p.save();
    p.translate(r.topLeft());
    const QRect all(0, 0, r.width(), r.height());
    verticalGradient(p, all, QColor(30, 37, 56), QColor(18, 22, 36));
    bevel(p, all, QColor(76, 90, 124), QColor(6, 8, 14));
    // Name strip.
    verticalGradient(p, QRect(1, 1, r.width() - 2, 17), QColor(50, 62, 92), QColor(34, 42, 64));
    p.fillRect(QRect(1, 18, r.width() - 2, 1), accent);
    // The next-piece window's frame.
    const QRect next = kNextInPanel;
    well(p, next, 2);
    // Statistics rows and the score plate.
    for (int i = 0; i < 5; ++i) {
        const QRect row(4, kStatsTopInPanel + kStatsRowHeight * i, r.width() - 8, kStatsRowHeight);
        if (i % 2 == 0)
            p.fillRect(row, QColor(255, 255, 255, 10));
    }
    const QRect score(4, kScoreTopInPanel - 2, r.width() - 8, 17);
    p.fillRect(score, QColor(10, 13, 22));
    bevel(p, score, QColor(6, 8, 14), QColor(60, 72, 102));
    p.fillRect(QRect(2, 101, 2, 80), shade(accent, 0.7));
    p.restore();
}

// ---------------------------------------------------------------- title bar and frame

void windowBox(QPainter& p, const QRect& r, const QString& glyph, QColor glyphColour)
{
    p.save();
    roundedPanel(p, QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, QColor(62, 74, 104), QColor(32, 39, 58),
        QPen(QColor(10, 12, 20), 1));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(glyphColour, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = QRectF(r).center();
    if (glyph == QLatin1String("min")) {
        p.drawLine(QPointF(c.x() - 4, c.y() + 3), QPointF(c.x() + 4, c.y() + 3));
    } else {
        p.drawLine(QPointF(c.x() - 3.5, c.y() - 3.5), QPointF(c.x() + 3.5, c.y() + 3.5));
        p.drawLine(QPointF(c.x() + 3.5, c.y() - 3.5), QPointF(c.x() - 3.5, c.y() + 3.5));
    }
    p.restore();
}

void titleBar(QPainter& p, int width, const QString& title)
{
    const QRect bar(0, 0, width, kTitleBarHeight);
    verticalGradient(p, bar, QColor(40, 50, 76), QColor(20, 25, 40));
    p.fillRect(QRect(0, 0, width, 1), QColor(98, 116, 156));
    p.fillRect(QRect(0, kTitleBarHeight - 1, width, 1), QColor(4, 6, 10));
    // A cyan hairline under the caption area, fading out to the right.
    QLinearGradient line(0, 0, width * 0.6, 0);
    line.setColorAt(0, shade(palette::kCyan, 0.8));
    line.setColorAt(1, QColor(58, 206, 255, 0));
    p.fillRect(QRect(0, kTitleBarHeight - 2, width, 1), line);
    if (!title.isEmpty())
        drawShadowText(p, QRect(10, 0, width - 60, kTitleBarHeight), Qt::AlignLeft | Qt::AlignVCenter, title,
            headingFont(11), palette::kAmber, palette::kEdgeDark);
}

void fieldsPage(QPainter& p)
{
    // Everything here is drawn in body coordinates, 20 rows lower in the image.
    p.save();
    p.translate(0, kTitleBarHeight);
    backdrop(p, kPage, QColor(17, 21, 35), QColor(11, 14, 24), QColor(58, 206, 255, 14));

    for (const QRect& f : { kField1, kField2 })
        well(p, f, 3);
    for (const QRect& led : { kLed1, kLed2 })
        well(p, led, 1);
    for (const QRect& s : { kSpecials1, kSpecials2 })
        well(p, s, 2);
    for (const QRect& label : { kSpecLabel1, kSpecLabel2 }) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath plate;
        plate.addRoundedRect(QRectF(label).adjusted(16.5, -0.5, -16.5, 0.5), 6, 6);
        p.fillPath(plate, QColor(255, 255, 255, 12));
        p.restore();
    }
    // Side panel places: player 1's panel always covers its place; player 2's place shows in
    // one-player games, so it carries an idle panel with the emblem.
    for (const QRect& r : { kPanel1, kPanel2 }) {
        p.fillRect(r.adjusted(-1, -1, 1, 1), palette::kEdgeDark);
    }
    sidePanel(p, kPanel2, palette::kAmber);
    p.fillRect(kNextInPanel.translated(kPanel2.topLeft()), QColor(12, 15, 26));
    drawEmblem(
        p, QRectF(kNextInPanel.translated(kPanel2.topLeft())).center(), 26, shade(palette::kAmber, 0.8));

    // Specials log: heading and frame.
    const QRect heading = kSpecialsLogHeading;
    verticalGradient(p, heading, QColor(44, 54, 80), QColor(30, 37, 56));
    p.fillRect(QRect(heading.left(), heading.bottom(), heading.width(), 1), shade(palette::kCyan, 0.7));
    drawText(p, heading, Qt::AlignCenter, QStringLiteral("SPECIALS"), headingFont(9), palette::kText);
    well(p, kSpecialsLog, 1);

    // Right column: the word mark standing upright, then the key legend at the bottom.
    p.save();
    p.translate(QPointF(kPanel2.center().x() + 1, 335));
    p.rotate(-90);
    drawWordmark(p, QRectF(-100, -20, 200, 40), 30);
    p.restore();
    const QRect legend = kLegend;
    card(p, legend, QString(), palette::kCyan);
    const char* keys[][2] = { { "F1", "Help" }, { "F2", "Start / Stop" }, { "F3", "Pause" } };
    for (int i = 0; i < 3; ++i) {
        const QRect row(legend.left() + 6, legend.top() + 3 + 12 * i, legend.width() - 10, 12);
        drawText(p, row, Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(keys[i][0]), uiFont(9, true),
            palette::kAmber);
        drawText(p, row.adjusted(20, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(keys[i][1]),
            uiFont(9, false), palette::kTextDim);
    }
    p.restore();
}

} // namespace

QImage ifaceMain()
{
    QImage image = canvas(kWindowWidth, 521);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(22, 27, 42), QColor(12, 15, 24));
    titleBar(p, kWindowWidth, QString());
    windowBox(p, kMinimize, QStringLiteral("min"), QColor(214, 224, 240));
    windowBox(p, kExit, QStringLiteral("close"), QColor(255, 128, 120));
    // Menu bar strip.
    const QRect strip(0, kTitleBarHeight, kWindowWidth, kPage.top());
    verticalGradient(p, strip, QColor(30, 37, 56), QColor(18, 22, 35));
    // Frame around the page area (window coordinates).
    const QRect page = kPage.translated(0, kTitleBarHeight);
    bevel(p, page.adjusted(-2, -2, 2, 2), QColor(6, 8, 14), QColor(72, 86, 120));
    bevel(p, page.adjusted(-1, -1, 1, 1), QColor(12, 15, 24), QColor(40, 48, 70));
    // The outer window edge.
    bevel(p, QRect(0, kTitleBarHeight, kWindowWidth, kWindowHeight - kTitleBarHeight), QColor(56, 68, 96),
        QColor(4, 6, 10));
    fieldsPage(p);
    return opaque(image);
}

QImage pageBackground(const Page& page)
{
    QImage image = canvas(kPage.width(), kPage.height());
    QPainter p(&image);
    backdrop(p, image.rect(), QColor(17, 21, 35), QColor(11, 14, 24), QColor(58, 206, 255, 12));
    for (const Card& c : page.cards)
        card(p, c.rect, c.title, palette::kCyan);
    return opaque(image);
}

QImage ifaceInet()
{
    QImage image = canvas(kInetBackdrop.width(), kInetBackdrop.height());
    QPainter p(&image);
    backdrop(p, image.rect(), QColor(16, 20, 34), QColor(10, 13, 22), QColor(150, 90, 220, 16), true);
    const QPoint origin = kInetBackdrop.topLeft();
    for (const QPoint& board : kBoards) {
        const QRect b(board - origin, QSize(kBoardWidth, kBoardHeight));
        well(p, b, 2);
        const QRect name(b.left(), b.top() - kBoardNameOffset, kBoardWidth, 14);
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath plate;
        plate.addRoundedRect(QRectF(name).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        p.fillPath(plate, QColor(40, 50, 76));
        p.setPen(QPen(QColor(70, 84, 118), 1));
        p.drawPath(plate);
        p.restore();
    }
    const QRect emblemCell(kInetEmblem - origin, QSize(kBoardWidth, kBoardHeight));
    drawEmblem(p, QPointF(emblemCell.center().x() + 0.5, emblemCell.top() + 60), 34, palette::kCyan);
    drawText(p, QRect(emblemCell.left(), emblemCell.top() + 102, kBoardWidth, 16), Qt::AlignCenter,
        QStringLiteral("KALVON"), headingFont(12), palette::kText);
    drawText(p, QRect(emblemCell.left(), emblemCell.top() + 118, kBoardWidth, 14), Qt::AlignCenter,
        QStringLiteral("ONLINE"), headingFont(9), palette::kCyan);
    bevel(p, image.rect(), QColor(70, 84, 118), QColor(4, 6, 10));
    // The left strip lies under player 1's field and height LED: it repeats the fields page
    // there, so the field's frame stays whole, and the backdrop starts after it.
    const int strip = kLed1.right() + 2 - kInetBackdrop.left();
    p.drawImage(QPoint(0, 0), ifaceMain(),
        QRect(kInetBackdrop.left(), kInetBackdrop.top() + kTitleBarHeight, strip, image.height()));
    bevel(p, QRect(strip, 0, image.width() - strip, image.height()), QColor(70, 84, 118), QColor(4, 6, 10));
    return opaque(image);
}

QImage ifaceMisc()
{
    QImage image = canvas(576, 470, palette::kBody);
    QPainter p(&image);
    sidePanel(p, QRect(0, 0, 99, 185), palette::kCyan);
    sidePanel(p, QRect(99, 0, 99, 185), palette::kAmber);
    p.drawImage(198, 0, menuOverlay(kStopRow));
    p.drawImage(198, 20, menuOverlay(kResumeRow));
    p.drawImage(355, 0, smallMenu(kHelpRows, 2, true));
    p.drawImage(459, 0, smallMenu(kModeRows, 3, false));
    p.drawImage(355, 80, fileMenu());
    buttonColumn(p, 504, 80, kButtonWidth, QStringLiteral("File"), 2);
    buttonColumn(p, 504, 137, kButtonWidth, QStringLiteral("Help"), 3);
    buttonColumn(p, 504, 194, kButtonWidth, QStringLiteral("Options"), 3);
    buttonColumn(p, 504, 251, kButtonWidth, QStringLiteral("Server"), 3);
    buttonColumn(p, 504, 308, kButtonWidth, QStringLiteral("Chat"), 3);
    buttonColumn(p, 504, 365, kButtonWidth, QStringLiteral("Fields"), 3);
    buttonColumn(p, 280, 413, kButtonWidth, QStringLiteral("Themes"), 3);
    buttonColumn(p, 0, 413, kConnectWidth, QStringLiteral("Connect"), 3, QColor(84, 220, 112));
    buttonColumn(p, 140, 413, kConnectWidth, QStringLiteral("Disconnect"), 3, QColor(240, 84, 76));
    return opaque(image);
}

QImage ifaceMenu()
{
    QImage image = canvas(298, 160);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    auto bar = [&](const QRect& r, QColor top, QColor bottom, QColor edge) {
        roundedPanel(p, QRectF(r).adjusted(3.5, 1.5, -3.5, -1.5), 4, top, bottom, QPen(edge, 1));
    };
    auto highlight = [&](const QRect& r, const MenuRow& row) {
        bar(r, QColor(120, 228, 255), QColor(30, 150, 210), QColor(190, 240, 255));
        drawRowText(p, r, row, palette::kTextDark, QColor(10, 60, 90));
    };
    auto current = [&](const QRect& r, const MenuRow& row) {
        bar(r, QColor(30, 70, 96), QColor(18, 44, 64), QColor(58, 150, 200));
        // A lit dot before the text marks the mode in use; the painter's pen and brush are put
        // back, or the next bar's outline would be filled with the dot's colour.
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(palette::kCyan);
        p.drawEllipse(QPointF(r.left() + 8, r.top() + 10), 2.2, 2.2);
        p.restore();
        drawRowText(p, r, row, palette::kCyan, palette::kCyan);
    };
    highlight(QRect(0, 0, 149, 20), kFileRows[0]);
    highlight(QRect(149, 0, 149, 20), kStopRow);
    highlight(QRect(0, 20, 149, 20), kFileRows[1]);
    highlight(QRect(149, 20, 149, 20), kResumeRow);
    highlight(QRect(0, 40, 149, 20), kFileRows[3]);
    highlight(QRect(149, 40, 149, 20), kFileRows[4]);
    highlight(QRect(0, 60, 149, 20), kFileRows[2]);
    for (int r = 0; r < 3; ++r) {
        highlight(QRect(0, 80 + 20 * r, 104, 20), kModeRows[r]);
        current(QRect(104, 80 + 20 * r, 104, 20), kModeRows[r]);
    }
    highlight(QRect(0, 140, 104, 20), kHelpRows[0]);
    highlight(QRect(104, 140, 104, 20), kHelpRows[1]);
    return whiteKeyed(image);
}

QImage highScoreBackground()
{
    QImage image = canvas(kHighScoreWidth, kHighScoreHeight);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(22, 27, 42), QColor(12, 15, 24));
    titleBar(p, kHighScoreWidth, QStringLiteral("HIGH SCORES"));
    p.fillRect(QRect(0, kTitleBarHeight, kHighScoreWidth, kHighScoreTitleHeight - kTitleBarHeight),
        QColor(18, 22, 35));
    windowBox(p, QRect(kHighScoreWidth - 42, 2, 18, 16), QStringLiteral("min"), QColor(214, 224, 240));
    windowBox(p, QRect(kHighScoreWidth - 22, 2, 18, 16), QStringLiteral("close"), QColor(255, 128, 120));
    const QRect table(6, kHighScoreFirstRow - 4, kHighScoreWidth - 12, 16 * kHighScoreRowPitch + 6);
    card(p, table, QString(), palette::kAmber);
    // Heading row, alternating rows, medals behind the first three ranks.
    verticalGradient(p, QRect(7, kHighScoreFirstRow - 3, kHighScoreWidth - 14, kHighScoreRowPitch),
        QColor(50, 62, 92), QColor(34, 42, 64));
    p.fillRect(
        QRect(7, kHighScoreFirstRow + kHighScoreRowPitch - 3, kHighScoreWidth - 14, 1), palette::kAmber);
    for (int i = 1; i < 16; ++i) {
        const int y = kHighScoreFirstRow + kHighScoreRowPitch * i - 2;
        if (i % 2 == 0)
            p.fillRect(QRect(8, y, kHighScoreWidth - 16, kHighScoreRowPitch - 1), QColor(255, 255, 255, 9));
    }
    const QColor medals[3] = { QColor(250, 206, 70), QColor(196, 206, 222), QColor(214, 136, 76) };
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < 3; ++i) {
        const QPointF c(48.5, kHighScoreFirstRow + kHighScoreRowPitch * (i + 1) + 7.5);
        p.setPen(QPen(shade(medals[i], 0.45), 1));
        p.setBrush(medals[i]);
        p.drawEllipse(c, 5.5, 5.5);
        p.setBrush(shade(medals[i], 1.35));
        p.setPen(Qt::NoPen);
        p.drawEllipse(c - QPointF(1.5, 1.5), 1.8, 1.8);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int x : { 58, 154 })
        p.fillRect(QRect(x, kHighScoreFirstRow + kHighScoreRowPitch, 1, 15 * kHighScoreRowPitch - 4),
            QColor(50, 60, 86));
    return opaque(image);
}

} // namespace kalvon::themegen
