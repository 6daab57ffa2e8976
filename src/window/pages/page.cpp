#include "window/pages/page.h"

#include "platform/surface.h"
#include "window/pictureview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace kalvon {

QString controlName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void setLabelColor(QLabel* label, int32_t colorRef)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(rgbFromColorRef(static_cast<uint32_t>(colorRef))));
    label->setPalette(palette);
}

namespace {

int pressedKey(const QEvent* event)
{
    return event->type() == QEvent::KeyPress ? static_cast<const QKeyEvent*>(event)->key() : 0;
}

} // namespace

bool isEnterPress(const QEvent* event)
{
    const int key = pressedKey(event);
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isEscapePress(const QEvent* event)
{
    return pressedKey(event) == Qt::Key_Escape;
}

Page::Page(QWidget& area, QObject* parent)
    : QObject(parent)
    , m_area(area)
{
}

void Page::setListedVisible(bool visible)
{
    for (QWidget* control : m_listed)
        control->setVisible(visible);
}

template <class Control> Control* Page::place(Control* control, const QString& name, QRect rect)
{
    control->setObjectName(name);
    control->setGeometry(rect);
    control->hide();
    return control;
}

QLabel* Page::makeLabel(
    const QString& name, QRect rect, const QString& caption, Qt::Alignment align, QWidget* parent)
{
    auto* label = place(new QLabel(caption, parent ? parent : &m_area), name, rect);
    label->setAlignment(align);
    // Labels lie over the skin: the pointer reaches what lies below them.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QCheckBox* Page::makeCheckBox(const QString& name, QRect rect)
{
    return place(new QCheckBox(&m_area), name, rect);
}

QLabel* Page::makeCheckRow(
    const QString& box, QPoint at, const QString& label, int labelWidth, const QString& caption)
{
    makeCheckBox(box, QRect(at, QSize(13, 13)));
    return makeLabel(label, QRect(at + QPoint(19, -2), QSize(labelWidth, 16)), caption);
}

QPushButton* Page::makeButton(const QString& name, QRect rect, const QString& caption, int fontPixels)
{
    auto* button = place(new QPushButton(caption, &m_area), name, rect);
    if (fontPixels != m_area.font().pixelSize()) {
        QFont font = button->font();
        font.setPixelSize(fontPixels);
        button->setFont(font);
    }
    return button;
}

QLineEdit* Page::makeLineEdit(const QString& name, QRect rect)
{
    return place(new QLineEdit(&m_area), name, rect);
}

QComboBox* Page::makeComboBox(const QString& name, QRect rect, bool editable)
{
    auto* combo = place(new QComboBox(&m_area), name, rect);
    combo->setEditable(editable);
    return combo;
}

QListWidget* Page::makeList(const QString& name, QRect rect)
{
    return place(new QListWidget(&m_area), name, rect);
}

QTextEdit* Page::makeRichText(const QString& name, QRect rect)
{
    auto* text = place(new QTextEdit(&m_area), name, rect);
    text->setReadOnly(true);
    return text;
}

QScrollBar* Page::makeScrollBar(const QString& name, QRect rect, int minimum, int maximum)
{
    auto* bar = place(new QScrollBar(Qt::Horizontal, &m_area), name, rect);
    bar->setRange(minimum, maximum);
    // A value bar, not a view's: the right arrow key moves the thumb right, to larger values.
    bar->setInvertedControls(false);
    return bar;
}

PictureView* Page::makePicture(const QString& name, QRect rect, QWidget* parent)
{
    return place(new PictureView(parent ? parent : &m_area), name, rect);
}

QWidget* Page::makePanel(const QString& name, QRect rect)
{
    auto* panel = place(new QWidget(&m_area), name, rect);
    panel->setAutoFillBackground(true);
    return panel;
}

} // namespace kalvon
