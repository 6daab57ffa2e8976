#pragma once
// A page of the main window. A page is no window of its own: its controls lie on the window's
// page area (picForm) beside the other pages' controls, and the page's procedures show and
// hide them together, in the order they were listed. Every control carries its design name
// ("lblOptionMenu(3)") as its object name. The constructors here make the controls by the
// window layout sheet (docs/layout.md): a rectangle in picForm coordinates, a design-time
// caption, the sheet's fonts.

#include "render/themerecord.h"

#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

class QCheckBox;
class QEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTextEdit;

namespace kalvon {

class PictureView;

// The theme's label colours by their place in its colour table.
inline constexpr size_t kColorTitle = 0;
inline constexpr size_t kColorThemes = 1;
inline constexpr size_t kColorFields = 2;
inline constexpr size_t kColorOptions = 3;
inline constexpr size_t kColorServer = 4;
inline constexpr size_t kColorConnect = 5;
inline constexpr size_t kColorInternet = 6;

// The design name of an element of a control array: "name(index)".
QString controlName(const char* name, int index);

// The text colour of a label; a theme colour is red + 256 green + 65536 blue.
void setLabelColor(QLabel* label, int32_t colorRef);

// A key press in a text box: Enter (Return or the keypad's Enter), Escape.
bool isEnterPress(const QEvent* event);
bool isEscapePress(const QEvent* event);

class Page : public QObject {
    Q_OBJECT
public:
    // The controls go on `area`, the window's picForm.
    explicit Page(QWidget& area, QObject* parent = nullptr);

    // The page's listed controls, in the order its procedures show and hide them.
    const std::vector<QWidget*>& listedControls() const { return m_listed; }
    // A control of the page by its design name; null when there is none of that kind.
    template <class Control> Control* control(const QString& name) const
    {
        return m_area.findChild<Control*>(name);
    }

protected:
    // Every listed control shown, or hidden, in the list's order.
    void setListedVisible(bool visible);
    // Adds a control to the page's list and returns it.
    template <class Control> Control* listed(Control* control)
    {
        m_listed.push_back(control);
        return control;
    }

    QWidget& area() const { return m_area; }

    // Controls made on the page area (or on `parent` when given), named and placed, hidden until
    // their page shows them.
    QLabel* makeLabel(const QString& name, QRect rect, const QString& caption,
        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, QWidget* parent = nullptr);
    // A bare 13 x 13 box: its caption is a label of its own, so it takes the theme's colour.
    QCheckBox* makeCheckBox(const QString& name, QRect rect);
    // A bare box at `box` with its caption label 19 pixels right and 2 up of it; returns the label.
    QLabel* makeCheckRow(
        const QString& box, QPoint at, const QString& label, int labelWidth, const QString& caption);
    QPushButton* makeButton(const QString& name, QRect rect, const QString& caption, int fontPixels = 11);
    QLineEdit* makeLineEdit(const QString& name, QRect rect);
    QComboBox* makeComboBox(const QString& name, QRect rect, bool editable);
    QListWidget* makeList(const QString& name, QRect rect);
    QTextEdit* makeRichText(const QString& name, QRect rect);
    QScrollBar* makeScrollBar(const QString& name, QRect rect, int minimum, int maximum);
    PictureView* makePicture(const QString& name, QRect rect, QWidget* parent = nullptr);
    // A panel that takes another control's place when opened by its own button.
    QWidget* makePanel(const QString& name, QRect rect);

private:
    template <class Control> Control* place(Control* control, const QString& name, QRect rect);

    QWidget& m_area;
    std::vector<QWidget*> m_listed;
};

} // namespace kalvon
