#include "window/chatoptionspanel.h"

#include "common/colortext.h"
#include "common/dialogs.h"
#include "engine/store/chatswatches.h"
#include "platform/qtext.h"
#include "platform/surface.h"
#include "window/windowfont.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace kalvon {

ChatOptionsPanel::ChatOptionsPanel(ChatOptions& options, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , m_options(options)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("picChatOptions"));
    resize(424, 392);
    setFont(windowFont());
    auto* frame = new QGroupBox(QStringLiteral("Chat Room Colors"), this);
    frame->setObjectName(QStringLiteral("fraChatColors"));
    frame->setGeometry(8, 4, 408, 216);
    for (int i = 0; i < int(kChatSwatches.size()); ++i) {
        // Two columns of eight, in panel coordinates.
        const int x = i < 8 ? 20 : 224;
        const int y = 26 + 23 * (i % 8);
        auto* caption = new QLabel(QString::fromLatin1(kChatSwatches[size_t(i)].caption), this);
        caption->setObjectName(QStringLiteral("lblChatColor(%1)").arg(i));
        caption->setGeometry(x, y, 130, 16);
        auto* swatch = new QLabel(this);
        swatch->setObjectName(QStringLiteral("lblColor(%1)").arg(i));
        swatch->setGeometry(x + 134, y - 1, 44, 18);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->installEventFilter(this);
        m_lblColor[size_t(i)] = swatch;
    }
    auto* fontCaption = new QLabel(QStringLiteral("Chat Room Font:"), this);
    fontCaption->setGeometry(8, 232, 110, 16);
    m_cmbFonts = new QComboBox(this);
    m_cmbFonts->setObjectName(QStringLiteral("cmbFonts"));
    m_cmbFonts->setGeometry(120, 230, 220, 20);

    const auto button
        = [this](const char* name, const char* text, int x, void (ChatOptionsPanel::*handler)()) {
              auto* pushButton = new QPushButton(QString::fromLatin1(text), this);
              pushButton->setObjectName(QString::fromLatin1(name));
              pushButton->setGeometry(x, 362, 96, 24);
              connect(pushButton, &QPushButton::clicked, this, handler);
          };
    button("cmdChatOptionsOK", "OK", 8, &ChatOptionsPanel::cmdChatOptionsOK_Click);
    button("cmdChatOptionsDefault", "Defaults", 164, &ChatOptionsPanel::cmdChatOptionsDefault_Click);
    button("cmdChatOptionsCancel", "Cancel", 320, &ChatOptionsPanel::cmdChatOptionsCancel_Click);
    paintSwatches();
}

void ChatOptionsPanel::paintSwatch(int index, int32_t color)
{
    m_swatches[size_t(index)] = color;
    QLabel* swatch = m_lblColor[size_t(index)];
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgbFromColorRef(uint32_t(color))));
    swatch->setPalette(palette);
}

void ChatOptionsPanel::paintSwatches()
{
    for (int i = 0; i < int(kChatSwatches.size()); ++i)
        paintSwatch(i, m_options.*kChatSwatches[size_t(i)].color);
}

void ChatOptionsPanel::openPanel(QStringList fonts)
{
    // The default face is the program's own name for the font it shows, which no system lists.
    const QString defaultFont = toQString(ChatOptions().font);
    const QString chatFont = toQString(m_options.font);
    for (const QString& name : { defaultFont, chatFont }) {
        if (!name.isEmpty() && !fonts.contains(name))
            fonts << name;
    }
    fonts.sort(Qt::CaseInsensitive);
    m_cmbFonts->clear();
    m_cmbFonts->addItems(fonts);
    m_cmbFonts->setCurrentIndex(m_cmbFonts->findText(chatFont));
    show();
    raise();
}

void ChatOptionsPanel::cmdChatOptionsOK_Click()
{
    m_options.font = fromQString(m_cmbFonts->currentText());
    for (size_t i = 0; i < kChatSwatches.size(); ++i)
        m_options.*kChatSwatches[i].color = m_swatches[i];
    emit applied();
    hide();
    emit closed();
}

void ChatOptionsPanel::cmdChatOptionsDefault_Click()
{
    for (int i = 0; i < int(kChatSwatches.size()); ++i)
        paintSwatch(i, ParseColor(kChatSwatches[size_t(i)].defaultColor));
    // Every entry of that name is selected in turn: the last one stays; none leaves the list.
    const QString defaultFont = toQString(ChatOptions().font);
    for (int i = 0; i < m_cmbFonts->count(); ++i) {
        if (m_cmbFonts->itemText(i) == defaultFont)
            m_cmbFonts->setCurrentIndex(i);
    }
}

void ChatOptionsPanel::cmdChatOptionsCancel_Click()
{
    hide();
    emit closed();
}

void ChatOptionsPanel::lblColor_Click(int index)
{
    if (const std::optional<uint32_t> chosen = m_dialogs.chooseColor(uint32_t(m_swatches.at(size_t(index)))))
        paintSwatch(index, int32_t(*chosen));
}

bool ChatOptionsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < int(m_lblColor.size()); ++i) {
            if (watched == m_lblColor[size_t(i)]) {
                lblColor_Click(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kalvon
