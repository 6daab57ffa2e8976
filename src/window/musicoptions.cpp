#include "window/musicoptions.h"

#include "platform/qtext.h"
#include "window/windowfont.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace kalvon {

namespace {

// A check box value (0, 1, or 2 shown greyed) on a box; a click makes it 0 or 1.
void showCheckValue(QCheckBox& box, int16_t value)
{
    const QSignalBlocker quiet(&box);
    box.setTristate(value == 2);
    box.setCheckState(value == 2 ? Qt::PartiallyChecked : value == 1 ? Qt::Checked : Qt::Unchecked);
}

} // namespace

MusicOptionsSection::MusicOptionsSection(MusicBoxValues values, MusicBoxesContext context, QWidget* parent)
    : QWidget(parent)
    , m_values(values)
    , m_boxes(values, std::move(context))
{
    resize(164, 84);
    setFont(windowFont());
    m_chkMusic = makeCheckBox("chkMusic", 0, "Play Music");
    m_chkThemeMusic = makeCheckBox("chkThemeMusic", 22, "Use Theme Music");
    auto* fileCaption = new QLabel(QStringLiteral("Music File:"), this);
    fileCaption->setObjectName(QStringLiteral("lblMusicFile"));
    fileCaption->setGeometry(0, 44, 164, 16);
    m_txtMidi = new QLineEdit(this);
    m_txtMidi->setObjectName(QStringLiteral("txtMidi"));
    m_txtMidi->setGeometry(0, 62, 108, 20);
    m_cmdBrowse = new QPushButton(QStringLiteral("Browse"), this);
    m_cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    m_cmdBrowse->setGeometry(112, 61, 52, 22);

    connect(m_chkMusic, &QCheckBox::clicked, this, [this](bool checked) {
        m_chkMusic->setTristate(false);
        m_values.playMusic = checked ? 1 : 0;
        m_boxes.chkMusic_Click();
    });
    connect(m_chkThemeMusic, &QCheckBox::clicked, this, [this](bool checked) {
        m_chkThemeMusic->setTristate(false);
        m_values.useThemeMusic = checked ? 1 : 0;
        m_txtMidi->setEnabled(m_boxes.fileBoxEnabled());
        m_boxes.chkThemeMusic_Click();
    });
    connect(m_txtMidi, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_values.file = fromQString(text);
        m_boxes.txtMidi_Change();
    });
    connect(m_cmdBrowse, &QPushButton::clicked, this, [this] {
        if (m_boxes.cmdBrowse_Click())
            showValues();
    });
    showValues();
}

QCheckBox* MusicOptionsSection::makeCheckBox(const char* name, int y, const char* caption)
{
    auto* box = new QCheckBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(0, y + 2, 13, 13);
    // The caption is a label of its own, so that it takes the theme's colour.
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setGeometry(19, y, 144, 16);
    label->setBuddy(box);
    return box;
}

void MusicOptionsSection::showValues()
{
    showCheckValue(*m_chkMusic, m_values.playMusic);
    showCheckValue(*m_chkThemeMusic, m_values.useThemeMusic);
    const QString file = toQString(m_values.file);
    if (m_txtMidi->text() != file) {
        const QSignalBlocker quiet(m_txtMidi);
        m_txtMidi->setText(file);
    }
    m_txtMidi->setEnabled(m_boxes.fileBoxEnabled());
}

} // namespace kalvon
