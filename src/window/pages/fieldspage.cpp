#include "window/pages/fieldspage.h"

#include "platform/qtext.h"
#include "render/windowpictures.h"
#include "render/windowskin.h"
#include "window/fieldview.h"
#include "window/pictureview.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace kalvon {

namespace {

// The side panels (picNextPiece(0) and (4)) and the next-piece window inside each.
constexpr QPoint kSidePanelPos[3] = { {}, { 14, 34 }, { 527, 34 } };
constexpr QRect kNextPieceInPanel{ 11, 21, 77, 77 };
constexpr int kSidePanelIndex[3] = { 0, 0, 4 };
// Per player: the field, its LED column, its special window and special-name label.
constexpr QPoint kFieldPos[3] = { {}, { 119, 34 }, { 329, 34 } };
constexpr QPoint kLedPos[3] = { {}, { 313, 34 }, { 323, 34 } };
constexpr QPoint kSpecialsPos[3] = { {}, { 135, 392 }, { 345, 392 } };
constexpr QPoint kSpecLabelPos[3] = { {}, { 119, 411 }, { 329, 411 } };
// The opponents' boards, each with its name label 16 pixels above it.
constexpr QPoint kBoardPos[6] = { {}, { 322, 52 }, { 427, 52 }, { 532, 52 }, { 322, 258 }, { 427, 258 } };

} // namespace

FieldsPage::FieldsPage(QWidget& area, const std::array<Surface, 2>& sidePanels, QObject* parent)
    : Page(area, parent)
{
    for (int p = 1; p <= 2; ++p) {
        const auto player = size_t(p);
        auto* panel = makePicture(controlName("picNextPiece", kSidePanelIndex[p]),
            QRect(kSidePanelPos[p], QSize(kSidePanelWidth, kSidePanelHeight)));
        panel->setSurface(&sidePanels[player - 1]);
        connect(panel, &PictureView::pressed, this, &FieldsPage::decorationPressed);
        m_sidePanels[player - 1] = panel;

        auto* next = makePicture(controlName("picNextPiece", p), kNextPieceInPanel, panel);
        connect(next, &PictureView::pressed, this, &FieldsPage::decorationPressed);
        m_picNextPiece[player] = next;
        const struct {
            QLabel** label;
            const char* name;
            const char* caption;
        } stats[] = {
            { &m_lblLevel[player], "lblLevel", "Level: 1" },
            { &m_lblActiveLevel[player], "lblActiveLevel", "Active Level: 1" },
            { &m_lblLines[player], "lblLines", "Lines: 0" },
            { &m_lblQuads[player], "lblQuads", "Quads: 0" },
            { &m_lblLPM[player], "lblLPM", "LPM: 0" },
        };
        int y = 103;
        for (const auto& stat : stats) {
            *stat.label = makeLabel(controlName(stat.name, p), QRect(6, y, 87, 13),
                QLatin1String(stat.caption), Qt::AlignLeft | Qt::AlignVCenter, panel);
            y += 13;
        }
        // The panel's own pictures and labels show with it.
        next->show();
        for (const auto& stat : stats)
            (*stat.label)->show();

        auto* field = new FieldView(&area);
        field->setObjectName(controlName("picField", p));
        field->setGeometry(QRect(kFieldPos[p], QSize(192, 352)));
        field->hide();
        connect(field, &PictureView::mouseMoved, this, &FieldsPage::pointerOverField);
        m_picField[player] = field;

        m_picLeds[player] = makePicture(controlName("picLeds", p), QRect(kLedPos[p], QSize(4, 352)));
        connect(m_picLeds[player], &PictureView::pressed, this, &FieldsPage::decorationPressed);

        m_picSpecials[player]
            = makePicture(controlName("picSpecials", p), QRect(kSpecialsPos[p], QSize(160, 16)));
        connect(m_picSpecials[player], &PictureView::clicked, this, &FieldsPage::decorationPressed);

        m_lblSpec[player] = makeLabel(controlName("lblSpec", p), QRect(kSpecLabelPos[p], QSize(192, 14)),
            QStringLiteral("(None)"), Qt::AlignCenter);
    }
    // Only player 1's field keeps the keyboard; the second hands it on.
    m_picField[2]->setFocusPolicy(Qt::NoFocus);
    connect(m_picField[2], &FieldView::focusGained, this, &FieldsPage::secondFieldFocused);

    m_lblCliName = makeLabel(
        QStringLiteral("lblCliName"), QRect(18, 38, 91, 14), QStringLiteral("Player 1"), Qt::AlignCenter);
    m_lblPlayer2 = makeLabel(
        QStringLiteral("lblPlayer2"), QRect(531, 38, 91, 14), QStringLiteral("Player 2"), Qt::AlignCenter);
    m_lblScoreLabel
        = makeLabel(QStringLiteral("lblScoreLabel"), QRect(20, 202, 40, 13), QStringLiteral("Score:"));
    m_lblScore = makeLabel(QStringLiteral("lblScore"), QRect(60, 202, 47, 13), QStringLiteral("0"),
        Qt::AlignRight | Qt::AlignVCenter);

    m_rtSpecials = makeRichText(QStringLiteral("rtSpecials"), QRect(14, 242, 99, 246));
    m_rtSpecials->setFocusPolicy(Qt::NoFocus);
    m_rtSpecials->setFrameShape(QFrame::NoFrame);

    m_txtTalk = makeLineEdit(QStringLiteral("txtTalk"), QRect(119, 364, 192, 20));
    m_txtTalk->installEventFilter(this);

    for (int board = 1; board <= kInternetFields; ++board) {
        auto* view
            = makePicture(controlName("picInternetfield", board), QRect(kBoardPos[board], QSize(96, 176)));
        connect(view, &PictureView::pressed, this, &FieldsPage::decorationPressed);
        m_picInternetfield[size_t(board)] = view;
        m_lblInetName[size_t(board)] = makeLabel(controlName("lblInetName", board),
            QRect(kBoardPos[board] - QPoint(0, 16), QSize(96, 14)), QString(), Qt::AlignCenter);
    }
}

// --- the page's procedures ---

void FieldsPage::ShowLocalFields(GameMode mode)
{
    for (size_t p = 1; p <= 2; ++p) {
        m_picField[p]->show();
        m_lblSpec[p]->show();
        m_picSpecials[p]->show();
        m_picLeds[p]->show();
    }
    m_rtSpecials->show();
    m_txtTalk->hide();
    m_lblCliName->show();
    m_lblPlayer2->show();
    m_sidePanels[1]->show();
    m_sidePanels[0]->show();
    const bool onePlayer = mode == GameMode::OnePlayer;
    m_lblScore->setVisible(onePlayer);
    m_lblScoreLabel->setVisible(onePlayer);
}

void FieldsPage::ShowInternetFields()
{
    for (size_t board = 1; board <= kInternetFields; ++board) {
        m_picInternetfield[board]->show();
        m_lblInetName[board]->show();
    }
    for (QWidget* control : std::initializer_list<QWidget*>{ m_picField[2], m_lblPlayer2, m_lblSpec[2],
             m_picSpecials[2], m_picLeds[2], m_lblScore, m_lblScoreLabel })
        control->hide();
}

void FieldsPage::HideInternetFields()
{
    for (size_t board = 1; board <= kInternetFields; ++board) {
        m_picInternetfield[board]->hide();
        m_lblInetName[board]->hide();
    }
}

void FieldsPage::HideFieldControls()
{
    for (size_t p = 1; p <= 2; ++p) {
        m_picField[p]->hide();
        m_lblSpec[p]->hide();
        m_picSpecials[p]->hide();
        m_picLeds[p]->hide();
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_rtSpecials, m_txtTalk, m_lblCliName, m_lblPlayer2, m_sidePanels[1], m_sidePanels[0] })
        control->hide();
    // Not in the page's list, but they lie over player 1's side panel.
    m_lblScore->hide();
    m_lblScoreLabel->hide();
    HideInternetFields();
}

void FieldsPage::showSidePanels(GameMode mode)
{
    m_sidePanels[0]->show();
    m_sidePanels[0]->raise();
    m_sidePanels[1]->setVisible(mode == GameMode::TwoPlayers);
    m_sidePanels[1]->raise();
    // The name and score labels lie over the panels.
    for (QLabel* label : { m_lblCliName, m_lblPlayer2, m_lblScoreLabel, m_lblScore })
        label->raise();
}

void FieldsPage::layOutForMode(GameMode mode, bool fieldsShown)
{
    if (mode == GameMode::Internet) {
        m_lblCliName->setText(QStringLiteral("1. (Not Playing)"));
        if (fieldsShown) {
            m_sidePanels[0]->raise();
            ShowInternetFields();
        }
        m_sidePanels[1]->hide();
        return;
    }
    if (fieldsShown)
        ShowLocalFields(mode);
    if (mode == GameMode::TwoPlayers) {
        if (fieldsShown)
            m_sidePanels[1]->show();
        m_lblScore->hide();
        m_lblScoreLabel->hide();
        m_lblActiveLevel[1]->show();
    } else {
        m_lblActiveLevel[1]->hide();
        m_sidePanels[1]->hide();
    }
    HideInternetFields();
    m_lblCliName->setText(QStringLiteral("Player 1"));
}

void FieldsPage::showActiveLevels(bool shown)
{
    m_lblActiveLevel[1]->setVisible(shown);
    m_lblActiveLevel[2]->setVisible(shown);
}

// --- texts ---

void FieldsPage::setLabel(LabelId id, int p, BytesView text)
{
    if (p != 1 && p != 2)
        return;
    const QString value = toQString(text);
    if (id == LabelId::ActiveLevel) {
        m_lblActiveLevel[1]->setText(value);
        m_lblActiveLevel[2]->setText(value);
        return;
    }
    QLabel& target = label(id, p);
    if (target.text() != value)
        target.setText(value);
}

void FieldsPage::setLinesPerMinute(int p, BytesView text)
{
    if (p != 1 && p != 2)
        return;
    const QString value = toQString(text);
    if (m_lblLPM[size_t(p)]->text() != value)
        m_lblLPM[size_t(p)]->setText(value);
}

void FieldsPage::showBanner(BytesView version)
{
    m_rtSpecials->clear();
    QTextCursor cursor(m_rtSpecials->document());
    const auto append = [&cursor](const QString& text, const QColor& color, bool bold) {
        QTextCharFormat format;
        format.setForeground(color);
        format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        cursor.insertText(text, format);
    };
    append(QStringLiteral("--- "), Qt::black, false);
    append(QStringLiteral("Kalvon"), QColor(0, 0, 128), true);
    append(QStringLiteral(" v") + toQString(version), QColor(128, 128, 128), false);
    append(QStringLiteral(" By "), Qt::black, false);
    append(QStringLiteral("The Kalvon Project"), QColor(128, 0, 0), true);
    append(QStringLiteral(" ---"), Qt::black, false);
}

void FieldsPage::colorLabels(const ColorTable& colors)
{
    const int32_t fields = colors[kColorFields];
    for (size_t p = 1; p <= 2; ++p) {
        for (QLabel* label :
            { m_lblSpec[p], m_lblLevel[p], m_lblActiveLevel[p], m_lblQuads[p], m_lblLines[p], m_lblLPM[p] })
            setLabelColor(label, fields);
    }
    for (QLabel* label : { m_lblScoreLabel, m_lblCliName, m_lblPlayer2, m_lblScore })
        setLabelColor(label, fields);
}

void FieldsPage::colorInternetNames(const ColorTable& colors)
{
    for (size_t board = 1; board <= kInternetFields; ++board)
        setLabelColor(m_lblInetName[board], colors[kColorInternet]);
}

// --- the talk box ---

void FieldsPage::openTalkBox(bool teamChat)
{
    if (teamChat)
        m_txtTalk->setText(QStringLiteral("/sayteam "));
    m_txtTalk->show();
    m_txtTalk->raise();
    m_txtTalk->setCursorPosition(int(m_txtTalk->text().size()));
    m_txtTalk->setFocus();
}

void FieldsPage::closeTalkBox()
{
    m_txtTalk->clear();
    m_txtTalk->hide();
}

bool FieldsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_txtTalk)
        return Page::eventFilter(watched, event);
    if (isEnterPress(event)) {
        emit talkLineEntered(m_txtTalk->text());
        return true;
    }
    if (isEscapePress(event)) {
        emit talkLineEscaped();
        return true;
    }
    return Page::eventFilter(watched, event);
}

// --- pictures ---

void FieldsPage::attachPictures(WindowPictures& pictures)
{
    for (size_t p = 1; p <= 2; ++p) {
        m_picField[p]->showBox(pictures.picField[p]);
        m_picLeds[p]->showBox(pictures.picLeds[p]);
        m_picNextPiece[p]->showBox(pictures.picNextPiece[p]);
        m_picSpecials[p]->showBox(pictures.picSpecials[p]);
    }
    for (size_t board = 1; board <= kInternetFields; ++board)
        m_picInternetfield[board]->showBox(pictures.picInternetfield[board]);
}

void FieldsPage::showSkin()
{
    for (PictureView* panel : m_sidePanels)
        panel->update();
}

FieldView& FieldsPage::field(int p)
{
    return *m_picField.at(size_t(p));
}

PictureView& FieldsPage::leds(int p)
{
    return *m_picLeds.at(size_t(p));
}

PictureView& FieldsPage::nextPiece(int p)
{
    return *m_picNextPiece.at(size_t(p));
}

PictureView& FieldsPage::specials(int p)
{
    return *m_picSpecials.at(size_t(p));
}

PictureView& FieldsPage::internetField(int board)
{
    return *m_picInternetfield.at(size_t(board));
}

PictureView& FieldsPage::sidePanel(int p)
{
    return *m_sidePanels.at(size_t(p - 1));
}

QLabel& FieldsPage::label(LabelId id, int p)
{
    const size_t player = p == 2 ? 2 : 1;
    switch (id) {
    case LabelId::Lines: return *m_lblLines[player];
    case LabelId::Quads: return *m_lblQuads[player];
    case LabelId::Score: return *m_lblScore;
    case LabelId::Spec: return *m_lblSpec[player];
    case LabelId::Level: return *m_lblLevel[player];
    case LabelId::ActiveLevel: return *m_lblActiveLevel[player];
    }
    return *m_lblScore;
}

QLabel& FieldsPage::linesPerMinute(int p)
{
    return *m_lblLPM.at(size_t(p));
}

QLabel& FieldsPage::nameLabel(int p)
{
    return p == 2 ? *m_lblPlayer2 : *m_lblCliName;
}

QLabel& FieldsPage::internetName(int board)
{
    return *m_lblInetName.at(size_t(board));
}

QLabel& FieldsPage::scoreLabel()
{
    return *m_lblScoreLabel;
}

QTextEdit& FieldsPage::specialsLog()
{
    return *m_rtSpecials;
}

QLineEdit& FieldsPage::talkBox()
{
    return *m_txtTalk;
}

} // namespace kalvon
