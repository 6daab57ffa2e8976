#include "window/blockratiodialog.h"

#include "common/dialogs.h"
#include "platform/qtext.h"
#include "render/occurrencesamples.h"
#include "render/themeimages.h"
#include "render/themerecord.h"
#include "window/windowfont.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace kalvon {

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QPixmap pixmapOf(const Surface& picture)
{
    return QPixmap::fromImage(picture.image());
}

} // namespace

BlockRatioDialog::BlockRatioDialog(BlockOccurancy& percentages, const Themes& themes,
    const ThemeImages& images, Dialogs& dialogs, std::function<bool()> boxesEnabled, QWidget* parent)
    : QDialog(parent)
    , m_percentages(percentages)
    , m_themes(themes)
    , m_images(images)
    , m_dialogs(dialogs)
    , m_boxesEnabled(std::move(boxesEnabled))
{
    setObjectName(QStringLiteral("frmBlockRatio"));
    setWindowTitle(QStringLiteral("Block Occurancy"));
    setModal(false);
    setFixedSize(440, 394);
    setFont(windowFont());

    // Positions inside the frames are the sheet's, less the frame's corner.
    m_fraNormal = new QGroupBox(QStringLiteral("Normal Blocks"), this);
    m_fraNormal->setObjectName(QStringLiteral("fraNormal"));
    m_fraNormal->setGeometry(8, 8, 200, 250);
    makeLabel(m_fraNormal, QStringLiteral("% Occurance:"), 108, 18, 80, 14);
    for (int i = 0; i < kPieceTypes; ++i) {
        for (int k = 0; k < 4; ++k) {
            QLabel* tile = makeLabel(m_fraNormal, {}, 12 + 15 * k, 40 + 28 * i, 14, 14);
            tile->setObjectName(QStringLiteral("picBlock%1(%2)").arg(i + 1).arg(k));
            m_picBlock[size_t(i)][size_t(k)] = tile;
        }
        auto* box = new QLineEdit(m_fraNormal);
        box->setObjectName(QStringLiteral("txtBlocks(%1)").arg(i));
        box->setGeometry(108, 37 + 28 * i, 60, 20);
        connect(box, &QLineEdit::textChanged, this, [this] { updatepercent(); });
        m_boxes[size_t(i)] = box;
    }
    m_lblNormalPercent = makeLabel(m_fraNormal, {}, 12, 228, 180, 14);
    m_lblNormalPercent->setObjectName(QStringLiteral("lblNormalPercent"));

    m_fraSpecials = new QGroupBox(QStringLiteral("Special Blocks"), this);
    m_fraSpecials->setObjectName(QStringLiteral("fraSpecials"));
    m_fraSpecials->setGeometry(216, 8, 216, 344);
    makeLabel(m_fraSpecials, QStringLiteral("% Occurance:"), 136, 18, 76, 14);
    for (int j = 0; j < kSpecialTypes; ++j) {
        QLabel* icon = makeLabel(m_fraSpecials, {}, 10, 36 + 18 * j, 16, 16);
        icon->setObjectName(QStringLiteral("picSpecials(%1)").arg(j));
        m_picSpecials[size_t(j)] = icon;
        makeLabel(m_fraSpecials, QString::fromLatin1(kSpecialCaptions[size_t(j)]), 30, 37 + 18 * j, 100, 14);
        auto* box = new QLineEdit(m_fraSpecials);
        box->setObjectName(QStringLiteral("txtSpecials(%1)").arg(j));
        box->setGeometry(136, 35 + 18 * j, 60, 18);
        const int entry = kPieceTypes + j;
        connect(box, &QLineEdit::textChanged, this, [this, entry] { txtSpecials_Change(entry); });
        m_boxes[size_t(entry)] = box;
    }
    m_lblSpecialPercent = makeLabel(m_fraSpecials, {}, 10, 326, 200, 14);
    m_lblSpecialPercent->setObjectName(QStringLiteral("lblSpecialPercent"));

    const auto button = [this](const char* name, const char* text, int x, int w) {
        auto* pushButton = new QPushButton(QString::fromLatin1(text), this);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setGeometry(x, 360, w, 26);
        return pushButton;
    };
    QPushButton* ok = button("cmdOK", "OK", 8, 100);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &BlockRatioDialog::cmdOK_Click);
    connect(button("cmdCancel", "Cancel", 116, 100), &QPushButton::clicked, this, &QDialog::reject);
    connect(button("cmdDefault", "Reset to Defaults", 264, 168), &QPushButton::clicked, this,
        &BlockRatioDialog::cmdDefault_Click);

    setBoxesEnabled(!m_boxesEnabled || m_boxesEnabled());
    drawSamples();
    setTexts(occurrenceTexts(m_percentages));
}

void BlockRatioDialog::setBoxesEnabled(bool enabled)
{
    m_fraNormal->setEnabled(enabled);
    m_fraSpecials->setEnabled(enabled);
}

void BlockRatioDialog::drawSamples()
{
    const int16_t themeType = m_themes.CurrentTheme.themetype;
    for (int i = 0; i < kPieceTypes; ++i) {
        const QPixmap tile
            = pixmapOf(occurrenceShapeTile(m_images, themeType, kShapeSampleColors[size_t(i)]));
        for (QLabel* picture : m_picBlock[size_t(i)])
            picture->setPixmap(tile);
    }
    for (int j = 0; j < kSpecialTypes; ++j)
        m_picSpecials[size_t(j)]->setPixmap(pixmapOf(occurrenceSpecialIcon(m_images, themeType, j)));
}

OccurrenceTexts BlockRatioDialog::texts() const
{
    OccurrenceTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = fromQString(m_boxes[i]->text());
    return texts;
}

QString BlockRatioDialog::shapeTotal() const
{
    return m_lblNormalPercent->text();
}

QString BlockRatioDialog::specialTotal() const
{
    return m_lblSpecialPercent->text();
}

void BlockRatioDialog::updatepercent()
{
    const OccurrenceTexts current = texts();
    m_lblSpecialPercent->setText(toQString(specialTotalText(current)));
    m_lblNormalPercent->setText(toQString(shapeTotalText(current)));
}

void BlockRatioDialog::setTexts(const OccurrenceTexts& texts)
{
    for (size_t i = 0; i < texts.size(); ++i)
        m_boxes[i]->setText(toQString(texts[i]));
}

void BlockRatioDialog::txtSpecials_Change(int entry)
{
    QLineEdit* box = m_boxes[size_t(entry)];
    const QString corrected = toQString(correctedSpecialText(fromQString(box->text())));
    if (corrected == box->text()) {
        updatepercent();
        return;
    }
    // The corrected text runs this handler once more and then stays. It is selected, so the
    // next key typed replaces it: clearing the box and typing 7 gives 7, not 1007.
    box->setText(corrected);
    box->selectAll();
}

void BlockRatioDialog::cmdOK_Click()
{
    int badBox = 0;
    const std::optional<BlockOccurancy> read = readOccurrenceBoxes(texts(), &badBox);
    if (!read) {
        m_dialogs.messageBox(kOccurrenceNumberMessage, "Error", MessageIcon::Critical);
        m_boxes[size_t(badBox)]->setFocus();
        m_boxes[size_t(badBox)]->selectAll();
        return;
    }
    m_percentages = *read;
    emit stored();
    accept();
}

void BlockRatioDialog::cmdDefault_Click()
{
    setTexts(defaultOccurrenceTexts());
    updatepercent();
}

void BlockRatioDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_boxesEnabled)
        setBoxesEnabled(m_boxesEnabled());
}

} // namespace kalvon
