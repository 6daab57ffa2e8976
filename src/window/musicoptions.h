#pragma once
// The options page's music section as a widget of its own, 164 x 84, which the options page
// places at picForm (452, 86): the "Play Music" and "Use Theme Music" boxes with their
// captions, the "Music File:" box and its Browse button (docs/layout.md, options page). The
// boxes show the [Sound] options and act through MusicBoxes.

#include "common/music/musicboxes.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvon {

class MusicOptionsSection final : public QWidget {
    Q_OBJECT
public:
    MusicOptionsSection(MusicBoxValues values, MusicBoxesContext context, QWidget* parent = nullptr);

    // The boxes show the option values again (after the settings were read), without acting.
    void showValues();

    QCheckBox& musicBox() { return *m_chkMusic; }
    QCheckBox& themeMusicBox() { return *m_chkThemeMusic; }
    QLineEdit& fileBox() { return *m_txtMidi; }
    QPushButton& browseButton() { return *m_cmdBrowse; }

private:
    QCheckBox* makeCheckBox(const char* name, int y, const char* caption);

    MusicBoxValues m_values;
    MusicBoxes m_boxes;
    QCheckBox* m_chkMusic = nullptr;
    QCheckBox* m_chkThemeMusic = nullptr;
    QLineEdit* m_txtMidi = nullptr;
    QPushButton* m_cmdBrowse = nullptr;
};

} // namespace kalvon
