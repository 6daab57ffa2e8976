#include "window/musicoptions.h"

#include "platform/qtext.h"
#include "window/checkvalue.h"
#include "window/windowfont.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace kalvon {

namespace {

// The captions' design names: the options page's caption labels 21 to 23.
constexpr int kFirstCaption = 21;

QString captionName(int index)
{
    return QStringLiteral("lblOptionMenu(%1)").arg(kFirstCaption + index);
}

} // namespace

MusicOptionsSection::MusicOptionsSection(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MusicOptionsSection"));
    resize(164, 84);
    setFont(windowFont());
    m_chkMusic = makeCheckBox("chkMusic", 0, 0, "Play Music");
    m_chkThemeMusic = makeCheckBox("chkThemeMusic", 22, 1, "Use Theme Music");
    m_captions[2] = new QLabel(QStringLiteral("Music File:"), this);
    m_captions[2]->setObjectName(captionName(2));
    m_captions[2]->setGeometry(0, 44, 164, 16);
    m_txtMidi = new QLineEdit(this);
    m_txtMidi->setObjectName(QStringLiteral("txtMidi"));
    m_txtMidi->setGeometry(0, 62, 108, 20);
    m_cmdBrowse = new QPushButton(QStringLiteral("Browse"), this);
    m_cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    m_cmdBrowse->setGeometry(112, 61, 52, 22);

    connect(m_chkMusic, &QCheckBox::clicked, this, [this](bool checked) {
        const int16_t value = clickedCheckValue(*m_chkMusic, checked);
        if (!m_boxes)
            return;
        m_values->playMusic = value;
        m_boxes->chkMusic_Click();
    });
    connect(m_chkThemeMusic, &QCheckBox::clicked, this, [this](bool checked) {
        const int16_t value = clickedCheckValue(*m_chkThemeMusic, checked);
        if (!m_boxes)
            return;
        m_values->useThemeMusic = value;
        m_txtMidi->setEnabled(m_boxes->fileBoxEnabled());
        m_boxes->chkThemeMusic_Click();
    });
    connect(m_txtMidi, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!m_boxes)
            return;
        m_values->file = fromQString(text);
        m_boxes->txtMidi_Change();
    });
    connect(m_cmdBrowse, &QPushButton::clicked, this, [this] {
        if (m_boxes && m_boxes->cmdBrowse_Click())
            showValues();
    });
}

MusicOptionsSection::MusicOptionsSection(MusicBoxValues values, MusicBoxesContext context, QWidget* parent)
    : MusicOptionsSection(parent)
{
    bind(values, std::move(context));
}

void MusicOptionsSection::bind(MusicBoxValues values, MusicBoxesContext context)
{
    m_values.emplace(values);
    m_boxes.emplace(values, std::move(context));
    showValues();
}

QCheckBox* MusicOptionsSection::makeCheckBox(const char* name, int y, int caption, const char* text)
{
    auto* box = new QCheckBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(0, y + 2, 13, 13);
    // The caption is a label of its own, so that it takes the theme's colour.
    auto* label = new QLabel(QString::fromLatin1(text), this);
    label->setObjectName(captionName(caption));
    label->setGeometry(19, y, 144, 16);
    label->setBuddy(box);
    m_captions[size_t(caption)] = label;
    return box;
}

void MusicOptionsSection::showValues()
{
    if (!m_values)
        return;
    showCheckValue(*m_chkMusic, m_values->playMusic);
    showCheckValue(*m_chkThemeMusic, m_values->useThemeMusic);
    const QString file = toQString(m_values->file);
    if (m_txtMidi->text() != file) {
        const QSignalBlocker quiet(m_txtMidi);
        m_txtMidi->setText(file);
    }
    m_txtMidi->setEnabled(m_boxes->fileBoxEnabled());
}

} // namespace kalvon
