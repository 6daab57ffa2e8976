#pragma once
// The options page's music section as a widget of its own, 164 x 84, which the options page
// places at picForm (452, 86): the "Play Music" and "Use Theme Music" boxes with their
// captions, the "Music File:" box and its Browse button (docs/layout.md, options page). The
// boxes show the [Sound] options and act through MusicBoxes once the section is bound to them.

#include "common/music/musicboxes.h"

#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvon {

class MusicOptionsSection final : public QWidget {
    Q_OBJECT
public:
    // Unbound: the controls are there, but a click changes no option.
    explicit MusicOptionsSection(QWidget* parent = nullptr);
    MusicOptionsSection(MusicBoxValues values, MusicBoxesContext context, QWidget* parent = nullptr);

    // The boxes show `values` and act on them through `context` from now on.
    void bind(MusicBoxValues values, MusicBoxesContext context);
    // The boxes show the option values again (after the settings were read), without acting.
    void showValues();

    QCheckBox& musicBox() { return *m_chkMusic; }
    QCheckBox& themeMusicBox() { return *m_chkThemeMusic; }
    QLineEdit& fileBox() { return *m_txtMidi; }
    QPushButton& browseButton() { return *m_cmdBrowse; }
    // The captions: "Play Music", "Use Theme Music", "Music File:" (lblOptionMenu(21) to (23)).
    const std::array<QLabel*, 3>& captions() const { return m_captions; }

private:
    QCheckBox* makeCheckBox(const char* name, int y, int caption, const char* text);

    std::optional<MusicBoxValues> m_values;
    std::optional<MusicBoxes> m_boxes;
    QCheckBox* m_chkMusic = nullptr;
    QCheckBox* m_chkThemeMusic = nullptr;
    QLineEdit* m_txtMidi = nullptr;
    QPushButton* m_cmdBrowse = nullptr;
    std::array<QLabel*, 3> m_captions{};
};

} // namespace kalvon
