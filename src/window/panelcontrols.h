#pragma once
// Controls made on a chat-page panel by the layout sheet: named by their design name, placed
// in panel coordinates, in the window's font.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>

namespace kalvon::panel {

template <class Control> Control* place(Control* control, const QString& name, QRect rect)
{
    if (!name.isEmpty())
        control->setObjectName(name);
    control->setGeometry(rect);
    return control;
}

inline QLabel* label(QWidget* panel, const QString& name, QRect rect, const QString& caption = {})
{
    return place(new QLabel(caption, panel), name, rect);
}

inline QGroupBox* frame(QWidget* panel, const QString& name, QRect rect, const QString& caption)
{
    return place(new QGroupBox(caption, panel), name, rect);
}

inline QPushButton* button(QWidget* panel, const QString& name, QRect rect, const QString& caption)
{
    return place(new QPushButton(caption, panel), name, rect);
}

inline QLineEdit* lineEdit(QWidget* panel, const QString& name, QRect rect)
{
    return place(new QLineEdit(panel), name, rect);
}

inline QListWidget* list(QWidget* panel, const QString& name, QRect rect)
{
    return place(new QListWidget(panel), name, rect);
}

// A drop-down list of values: nothing can be typed into it.
inline QComboBox* dropDown(QWidget* panel, const QString& name, QRect rect)
{
    auto* combo = place(new QComboBox(panel), name, rect);
    combo->setEditable(false);
    return combo;
}

} // namespace kalvon::panel
