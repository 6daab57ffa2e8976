#pragma once
// The grid the editing pages are laid out on (docs/layout.md, section 7). Positions are given
// in page coordinates whatever frame holds a control, so a frame's Enabled state covers its
// controls while the rows of every page line up.

#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace kalvon::editor::layout {

inline constexpr int kPageWidth = 696;
inline constexpr int kRowTop = 44; // the first row of a frame below an include box
inline constexpr int kRowPitch = 26;
inline constexpr int kCaptionX = 12;
inline constexpr int kCaptionWidth = 148;
inline constexpr int kFieldX = 162;
inline constexpr int kFieldWidth = 186;
inline constexpr int kNumberWidth = 60;
inline constexpr int kFieldHeight = 20;
inline constexpr int kBrowseX = 352;
inline constexpr int kBrowseWidth = 56;
inline constexpr int kPreviewX = 412;
inline constexpr int kPreviewWidth = 60;
inline constexpr int kButtonHeight = 22;
inline constexpr int kFrameWidth = 476;
inline constexpr int kRightColumnX = 488;
inline constexpr int kSubFrameIndent = 12;

inline int rowY(int row, int top = kRowTop)
{
    return top + kRowPitch * row;
}

// Puts `widget` at `pageRect` of `page`, whichever of its descendants is the widget's parent.
void place(QWidget* widget, QWidget* page, const QRect& pageRect);

// A frame (group box) on `parent` at `pageRect`.
QGroupBox* frame(QWidget* parent, QWidget* page, const QString& title, const QRect& pageRect);
// A frame's full height below an include box on a page of `pageHeight`.
QRect frameBelowIncludeBox(int pageHeight);
// A sub-frame ("Animation Configuration") whose title takes row `first` and whose rows run up to `last`.
QRect subFrameRows(int first, int last, int top = kRowTop);

QLabel* caption(QWidget* parent, QWidget* page, const QString& text, int y, int x = kCaptionX);
// `name` is the control's name (an array element as arrayName gives it).
QPushButton* button(
    QWidget* parent, QWidget* page, const QString& text, const QRect& pageRect, const QString& name = {});
QPushButton* browseButton(QWidget* parent, QWidget* page, int y, const QString& name = {});
QPushButton* previewButton(QWidget* parent, QWidget* page, int y, const QString& name = {});

// The name of an element of a button array: "cmdPlaySound(3)".
QString arrayName(const char* name, int index);

} // namespace kalvon::editor::layout
