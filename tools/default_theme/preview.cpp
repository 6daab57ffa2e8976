#include "preview.h"

#include "blocks.h"
#include "effects.h"
#include "extras.h"
#include "fieldart.h"
#include "iface.h"
#include "layout.h"
#include "pages.h"
#include "paint.h"
#include "palette.h"

#include <QDir>
#include <array>

namespace kalvon::themegen {

namespace {

using namespace layout;

const QColor kLabel{ 210, 222, 240 };

// Copies a picture whose white pixels are transparent.
void blitKeyed(QImage& target, QPoint at, const QImage& source)
{
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            const QPoint t = at + QPoint(x, y);
            if ((c & 0xFFFFFF) != 0xFFFFFF && target.rect().contains(t))
                target.setPixel(t, c);
        }
}

// A sample stack: heights per column, a few specials, and a falling S piece.
std::array<std::array<int, 22>, 12> sampleField(int seed)
{
    std::array<std::array<int, 22>, 12> cells{};
    for (auto& column : cells)
        column.fill(-1);
    for (int x = 0; x < 12; ++x) {
        const int height = 4 + (x * 7 + seed * 3) % 6;
        for (int y = 21; y > 21 - height; --y)
            cells[size_t(x)][size_t(y)] = (x * 5 + y * 3 + seed) % 6;
    }
    cells[3][19] = 6 + 2;
    cells[7][17] = 6 + 14;
    cells[9][20] = 6 + 15;
    cells[1][21] = 6 + 4;
    cells[10][16] = -1;
    cells[5][3] = cells[6][3] = cells[4][4] = cells[5][4] = 4; // falling piece
    return cells;
}

QImage fieldPicture(int seed, bool small)
{
    const int cell = small ? 8 : 16;
    QImage field = small ? internetBackground(0) : fieldBackground(0);
    const auto cells = sampleField(seed);
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 22; ++y) {
            const int code = cells[size_t(x)][size_t(y)];
            if (code < 0)
                continue;
            if (small)
                drawTile8(field, x * cell, y * cell, code, 0);
            else
                drawTile16(field, x * cell, y * cell, code, 0);
        }
    return field;
}

QImage nextPicture(int type)
{
    QImage window = nextPieceWindow(0);
    static const QPoint shapes[2][4]
        = { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 1, 1 } }, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 1 } } };
    const int colour = type == 0 ? 1 : 3;
    for (const QPoint& c : shapes[type])
        drawTile16(window, 14 + 16 * c.x(), 24 + 16 * c.y(), colour, 0);
    return window;
}

QImage specialsPicture(std::initializer_list<int> codes)
{
    QImage bar = specialWindow(0);
    int i = 0;
    for (int code : codes)
        drawTile16(bar, 16 * i++, 0, code, 0);
    return bar;
}

void label(QPainter& p, const QRect& r, const QString& text, int flags = Qt::AlignLeft | Qt::AlignVCenter,
    QColor colour = kLabel, bool bold = false)
{
    drawText(p, r, flags, text, uiFont(11, bold), colour);
}

void menuBar(QImage& window, int mode, int current, int hover)
{
    const QImage misc = ifaceMisc();
    QPainter p(&window);
    struct Button {
        int id;
        int x;
        int tileX;
        int tileY;
        int width;
        bool hasCurrent;
    };
    std::vector<Button> buttons
        = { { 1, 8, 504, 80, kButtonWidth, false }, { 5, 88, 504, 365, kButtonWidth, true },
              { 3, 168, 504, 194, kButtonWidth, true }, { 8, 248, 280, 413, kButtonWidth, true } };
    if (mode == 3) {
        buttons.push_back({ 6, 328, 504, 251, kButtonWidth, true });
        buttons.push_back({ 9, 408, 504, 308, kButtonWidth, true });
        buttons.push_back({ 7, kWindowWidth - 8 - kConnectWidth, 0, 413, kConnectWidth, true });
    } else {
        buttons.push_back({ 4, 328, 504, 137, kButtonWidth, true });
    }
    for (const Button& b : buttons) {
        int state = b.id == current && b.hasCurrent ? 2 : b.id == hover ? 1 : 0;
        p.drawImage(QPoint(b.x, kTitleBarHeight + kMenuBarTop), misc,
            QRect(b.tileX, b.tileY + kButtonHeight * state, b.width, kButtonHeight));
    }
}

QImage windowBase()
{
    QImage window = ifaceMain().copy(0, 0, kWindowWidth, kWindowHeight);
    QPainter p(&window);
    p.drawImage(kIcon.topLeft(), programIcon(16));
    label(
        p, kCaption, QStringLiteral("Kalvon v1.91"), Qt::AlignLeft | Qt::AlignVCenter, palette::kText, true);
    return window;
}

QImage fieldsWindow(int mode)
{
    QImage window = windowBase();
    const QPoint form(0, kTitleBarHeight);
    const QImage misc = ifaceMisc();
    QPainter p(&window);
    if (mode == 3) // drawn into the window body, under every control
        p.drawImage(kInetBackdrop.topLeft() + form, ifaceInet());
    p.drawImage(kPanel1.topLeft() + form, misc, QRect(0, 0, 99, 185));
    if (mode == 2)
        p.drawImage(kPanel2.topLeft() + form, misc, QRect(99, 0, 99, 185));
    p.drawImage(kNextInPanel.topLeft() + kPanel1.topLeft() + form, nextPicture(0));
    if (mode == 2)
        p.drawImage(kNextInPanel.topLeft() + kPanel2.topLeft() + form, nextPicture(1));
    p.drawImage(kField1.topLeft() + form, fieldPicture(1, false));
    p.drawImage(
        kLed1.topLeft() + form, heightLed().copy(0, 0, 4, 352).copy(0, 0, 4, 352), QRect(0, 128, 4, 224));
    p.drawImage(kSpecials1.topLeft() + form, specialsPicture({ 8, 20, 21, 6, 13 }));
    label(p, kSpecLabel1.translated(form), QStringLiteral("(Nuke Field)"), Qt::AlignCenter);
    auto stats = [&](const QRect& panel, const QString& name, bool score) {
        const QRect pr = panel.translated(form);
        label(p, kNameInPanel.translated(pr.topLeft()), name, Qt::AlignCenter, kLabel, true);
        const char* rows[] = { "Level: 4", "Active Level: 4", "Lines: 37", "Quads: 2", "LPM: 21.50" };
        for (int i = 0; i < 5; ++i) {
            if (i == 1 && mode == 1)
                continue;
            label(p, QRect(pr.left() + 6, pr.top() + kStatsTopInPanel + kStatsRowHeight * i, 87, 13),
                QLatin1String(rows[i]));
        }
        if (score) {
            label(p, QRect(pr.left() + 6, pr.top() + kScoreTopInPanel, 40, 13), QStringLiteral("Score:"));
            label(p, QRect(pr.left() + 46, pr.top() + kScoreTopInPanel, 47, 13), QStringLiteral("12840"),
                Qt::AlignRight | Qt::AlignVCenter, palette::kAmber, true);
        }
    };
    stats(kPanel1, mode == 3 ? QStringLiteral("1. Kim") : QStringLiteral("Player 1"), mode == 1);
    // The specials log as the game's default chat colours show it: black on white.
    const QRect log = kSpecialsLog.translated(form);
    p.fillRect(log, Qt::white);
    drawText(p, log.adjusted(3, 2, -2, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QStringLiteral("--- Kalvon v1.91 ---\nKim used Nuke Field on Ada\n1 line added to all"), uiFont(10),
        Qt::black);
    if (mode != 3) {
        if (mode == 2)
            stats(kPanel2, QStringLiteral("Player 2"), false);
        else
            label(p, kNameInPanel.translated(kPanel2.topLeft() + form), QStringLiteral("Player 2"),
                Qt::AlignCenter, kLabel, true);
        p.drawImage(kField2.topLeft() + form, fieldPicture(4, false));
        p.drawImage(kLed2.topLeft() + form, heightLed().copy(0, 0, 4, 352), QRect(0, 96, 4, 256));
        p.drawImage(kSpecials2.topLeft() + form, specialsPicture({ 11, 18 }));
        label(p, kSpecLabel2.translated(form), QStringLiteral("(Give Line)"), Qt::AlignCenter);
        return window;
    }
    const char* names[] = { "2. Ada", "3. Bo", "4. (Empty)", "5. Cy", "6. Dee" };
    for (int i = 0; i < 5; ++i) {
        const QPoint b = kBoards[i] + form;
        if (i == 2) {
            p.drawImage(b, internetDoor());
        } else {
            p.drawImage(b, fieldPicture(i + 2, true));
        }
        if (i == 4) {
            p.end();
            blitKeyed(window, b, internetWinImage());
            p.begin(&window);
        }
        label(p, QRect(b.x(), b.y() - kBoardNameOffset, kBoardWidth, 14), QLatin1String(names[i]),
            Qt::AlignCenter, QColor(150, 220, 255), true);
    }
    return window;
}

QImage pageWindow(const Page& page)
{
    QImage window = windowBase();
    QPainter p(&window);
    p.drawImage(kPage.topLeft() + QPoint(0, kTitleBarHeight), pageBackground(page));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const ControlBox& c : page.controls) {
        const QRect r = c.rect.translated(0, kTitleBarHeight);
        const bool isLabel = c.name.startsWith(QLatin1String("lbl"));
        if (isLabel) {
            drawText(p, r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, c.caption, uiFont(11), kLabel);
            continue;
        }
        p.setPen(QColor(120, 200, 240, 200));
        p.setBrush(QColor(255, 255, 255, 26));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        drawText(p, r.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
            c.caption.isEmpty() ? c.name : c.caption, uiFont(9), QColor(170, 190, 220));
    }
    return window;
}

QImage menuWindow()
{
    QImage window = fieldsWindow(1);
    menuBar(window, 1, 5, 1);
    const QImage misc = ifaceMisc();
    const QImage menu = ifaceMenu();
    QPainter p(&window);
    const QPoint fileAt(8, kTitleBarHeight + kMenuBarTop + kButtonHeight);
    p.drawImage(fileAt, misc, QRect(355, 80, 149, 163));
    p.drawImage(fileAt + QPoint(0, 7), misc, QRect(198, 0, 149, 20)); // game started: stop
    p.end();
    blitKeyed(window, fileAt + QPoint(0, 67), menu.copy(0, 60, 149, 20));
    p.begin(&window);
    const QPoint modeAt = fileAt + QPoint(149, 40);
    p.drawImage(modeAt, misc, QRect(459, 0, 104, 80));
    p.end();
    blitKeyed(window, modeAt, menu.copy(104, 80, 104, 20)); // current: one player
    blitKeyed(window, modeAt + QPoint(0, 27), menu.copy(0, 100, 104, 20)); // hover: two players
    return window;
}

QImage highScoreWindow()
{
    QImage window = highScoreBackground();
    QPainter p(&window);
    const QColor colours[] = { QColor(255, 200, 90), QColor(255, 215, 0), QColor(200, 210, 225),
        QColor(215, 140, 80), QColor(190, 200, 220) };
    const char* names[] = { "Kim", "Ada", "Bo", "Cy", "Dee", "Eve", "Flo", "Gus", "Hal", "Ivy", "Jo", "Kai",
        "Lu", "Mo", "Ned" };
    for (int i = 0; i < 16; ++i) {
        const QColor c = colours[std::min(i, 4)];
        const int y = kHighScoreFirstRow + kHighScoreRowPitch * i;
        const bool bold = i == 0;
        label(p, QRect(12, y, 44, 18), i == 0 ? QStringLiteral("Rank") : QStringLiteral("%1.").arg(i),
            Qt::AlignLeft | Qt::AlignVCenter, c, bold);
        label(p, QRect(64, y, 86, 18), i == 0 ? QStringLiteral("Score") : QString::number(20000 - 1200 * i),
            Qt::AlignLeft | Qt::AlignVCenter, c, bold);
        label(p, QRect(160, y, 150, 18), i == 0 ? QStringLiteral("Name") : QLatin1String(names[i - 1]),
            Qt::AlignLeft | Qt::AlignVCenter, c, bold);
    }
    return window;
}

QImage effectsSheet()
{
    QImage sheet = canvas(200 * 2 + 70 * 6, 72 * 5, palette::kDeep);
    const QImage bg = fieldBackground(2);
    for (int f = 0; f < kExplosionFrames; ++f) {
        const QPoint at((f % 2) * 200, (f / 2) * 72);
        {
            QPainter p(&sheet);
            p.drawImage(at, bg.copy(0, 128, 192, 64));
        }
        blitKeyed(sheet, at, explosionFrame(f));
    }
    for (int f = 0; f < kBombFrames; ++f) {
        const QPoint at(400 + (f % 6) * 70, (f / 6) * 72);
        {
            QPainter p(&sheet);
            p.drawImage(at, bg.copy(0, 128, 64, 64));
        }
        blitKeyed(sheet, at, bombFrame(f));
    }
    return opaque(sheet);
}

QImage fieldPictures()
{
    QImage sheet = canvas(192 * 4 + 24, 352, palette::kDeep);
    QImage doors = fieldBackground(0);
    blitKeyed(doors, { 0, 0 }, fieldDoor(true));
    blitKeyed(doors, { 0, 0 }, fieldDoor(false));
    QImage half = fieldPicture(0, false);
    blitKeyed(half, { 0, 0 }, fieldDoor(true));
    QImage win = fieldPicture(2, false);
    blitKeyed(win, { 0, 0 }, winImage());
    QImage warn = fieldPicture(3, false);
    blitKeyed(warn, { 0, 296 }, warningImage());
    QPainter p(&sheet);
    p.drawImage(0, 0, doors);
    p.drawImage(200, 0, half);
    p.drawImage(400, 0, win);
    p.drawImage(600, 0, warn);
    return opaque(sheet);
}

} // namespace

bool writePreviews(const QString& folder)
{
    QDir().mkpath(folder);
    bool ok = true;
    auto save = [&](const QImage& image, const QString& name) {
        ok = image.save(folder + QLatin1Char('/') + name) && ok;
    };
    for (int mode = 1; mode <= 3; ++mode) {
        QImage window = fieldsWindow(mode);
        menuBar(window, mode, 5, mode == 3 ? 9 : 3);
        save(window, QStringLiteral("fields_mode%1.png").arg(mode));
    }
    save(menuWindow(), QStringLiteral("menus.png"));
    const std::vector<Page> pages = backgroundPages();
    const int screens[] = { 3, 6, 7, 8, 9 };
    for (size_t i = 0; i < pages.size(); ++i) {
        QImage window = pageWindow(pages[i]);
        menuBar(window, 3, screens[i], 0);
        save(window, QStringLiteral("page_%1.png").arg(pages[i].background));
    }
    save(highScoreWindow(), QStringLiteral("highscore.png"));
    save(effectsSheet(), QStringLiteral("effects.png"));
    save(fieldPictures(), QStringLiteral("field_pictures.png"));
    return ok;
}

} // namespace kalvon::themegen
