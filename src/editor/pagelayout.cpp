#include "editor/pagelayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kalvon::editor::layout {

void place(QWidget* widget, QWidget* page, const QRect& pageRect)
{
    QPoint offset;
    for (QWidget* parent = widget->parentWidget(); parent && parent != page; parent = parent->parentWidget())
        offset += parent->pos();
    widget->setGeometry(pageRect.translated(-offset));
}

QGroupBox* frame(QWidget* parent, QWidget* page, const QString& title, const QRect& pageRect)
{
    auto* box = new QGroupBox(title, parent);
    place(box, page, pageRect);
    return box;
}

QRect frameBelowIncludeBox(int pageHeight)
{
    return QRect(4, 24, kFrameWidth, pageHeight - 28);
}

QRect subFrameRows(int first, int last, int top)
{
    const int y = rowY(first, top) - 4;
    return QRect(8, y, kFrameWidth - 10, rowY(last, top) + 24 - y);
}

QLabel* caption(QWidget* parent, QWidget* page, const QString& text, int y, int x)
{
    auto* label = new QLabel(text, parent);
    place(label, page, QRect(x, y + 2, kCaptionWidth + kCaptionX - x, 16));
    return label;
}

QPushButton* button(
    QWidget* parent, QWidget* page, const QString& text, const QRect& pageRect, const QString& name)
{
    auto* push = new QPushButton(text, parent);
    push->setObjectName(name);
    place(push, page, pageRect);
    return push;
}

QPushButton* browseButton(QWidget* parent, QWidget* page, int y, const QString& name)
{
    return button(
        parent, page, QStringLiteral("Browse"), QRect(kBrowseX, y - 1, kBrowseWidth, kButtonHeight), name);
}

QPushButton* previewButton(QWidget* parent, QWidget* page, int y, const QString& name)
{
    return button(
        parent, page, QStringLiteral("Preview"), QRect(kPreviewX, y - 1, kPreviewWidth, kButtonHeight), name);
}

QString arrayName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace kalvon::editor::layout
