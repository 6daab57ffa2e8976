#pragma once
// The options page (CurrentScreen 2): graphics, animation, window, sound and music options, the
// theme file, and the key-binding panel with its three button sets (player 1, player 2,
// internet) chosen by the control-set list. The music section's controls are placed here; the
// music options panel takes them over.

#include "render/themewindow.h"
#include "window/pages/page.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kalvon {

// The nine actions of a local player's binding buttons, in the order of the page's list.
inline constexpr const char* kPlayerKeyButtons[] = { "cmdP1Rotate", "cmdP1Down", "cmdP1Drop", "cmdP1Left",
    "cmdP1Right", "cmdP1Rotate2", "cmdP1UseSelf", "cmdP1EnemySpecial", "cmdP1Discard" };

class OptionsPage final : public Page {
    Q_OBJECT
public:
    // The controls go on `area`; the key-capture box txtkeys on `window`, outside the page area,
    // so that it keeps the keyboard while the page area is disabled.
    OptionsPage(QWidget& area, QWidget& window, QObject* parent = nullptr);

    // Every control of the page shown, then the binding set the list chooses (ShowKeyCaptions).
    void ShowOptionsControls();
    void HideOptionsControls();
    // The binding buttons of the set chosen in the control-set list (cmbControls) shown, the others hidden;
    // "Switch Player Controls" disabled for the internet set. Without a chosen set nothing changes.
    void ShowKeyCaptions();

    // The theme type decides which animation boxes can be set.
    void setAnimationBoxEnabled(AnimationBox box, bool enabled);
    bool animationBoxEnabled(AnimationBox box) const;
    // coloroptions on the page's captions.
    void colorLabels(const ColorTable& colors);

    QLineEdit& themeBox() { return *m_txtTheme; } // txtTheme
    QComboBox& controlSets() { return *m_cmbControls; } // cmbControls
    QLineEdit& keyCaptureBox() { return *m_txtkeys; } // txtkeys
    // cmdP1Rotate(0), "Switch Player Controls".
    QPushButton& switchControlsButton() { return *m_switchControls; }
    // A local player's binding button: p 1 or 2, action as in kPlayerKeyButtons.
    QPushButton& playerKeyButton(int p, int action);
    // The internet set: the revenge special and the specials on players 1 to 6 (cmdISpec(0..6)),
    // then talk and team talk.
    QPushButton& internetKeyButton(int index);

private:
    void buildGraphics();
    void buildAnimation();
    void buildWindowOptions();
    void buildSoundAndMusic();
    void buildTheme();
    void buildControls();
    // A bare check box at `box` and its caption label lblOptionMenu(label) beside it.
    void checkRow(const char* box, int label, QPoint at, int labelWidth, const QString& caption);

    std::array<QLabel*, 29> m_lblOptionMenu{};
    std::array<QCheckBox*, std::size(kAnimationBoxes)> m_animationBoxes{};
    QLineEdit* m_txtTheme = nullptr;
    QComboBox* m_cmbControls = nullptr;
    QLineEdit* m_txtkeys = nullptr;
    QPushButton* m_switchControls = nullptr;
    // [p - 1][action]
    std::array<std::array<QPushButton*, 9>, 2> m_playerKeys{};
    std::array<QPushButton*, 9> m_internetKeys{};
};

} // namespace kalvon
