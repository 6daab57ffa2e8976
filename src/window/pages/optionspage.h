#pragma once
// The options page (CurrentScreen 2): graphics, animation, window, sound and music options, the
// theme file, and the key-binding panel with its three button sets (player 1, player 2,
// internet) chosen by the control-set list. Once bound to the options model, every control
// shows its option and a change is the option's at once; a few boxes act on the program too
// (OptionsEffects). The music rows are the music section widget.
//
// Key capture: a click on a binding button moves the keyboard to txtkeys (outside the page
// area), shows the prompt in the window's caption and disables the page area until a key
// arrives; that key is bound (BackSpace unbinds) and taken from the actions that held it.

#include "common/music/musicboxes.h"
#include "engine/store/keybindings.h"
#include "render/themewindow.h"
#include "window/pages/page.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kalvon {

class Dialogs;
class KeyCaptureBox;
class MusicOptionsSection;
struct Options;

// The nine actions of a local player's binding buttons, in the order of the page's list.
inline constexpr const char* kPlayerKeyButtons[] = { "cmdP1Rotate", "cmdP1Down", "cmdP1Drop", "cmdP1Left",
    "cmdP1Right", "cmdP1Rotate2", "cmdP1UseSelf", "cmdP1EnemySpecial", "cmdP1Discard" };

// What some of the options page's boxes do to the program at once, beyond changing the option.
class OptionsEffects {
public:
    virtual ~OptionsEffects() = default;
    // Any box: the display options the drawing reads and the engine's options follow the
    // options model.
    virtual void optionsChanged() = 0;
    // chkDoor: both local fields and the five opponents' boards drawn again.
    virtual void redrawAllFields() = 0;
    // chkLeds: both players' height LEDs drawn from their fields, or cleared.
    virtual void showHeightLeds(bool shown) = 0;
    // chkOnTop: the main window and the high-score window take the stay-on-top option.
    virtual void applyStayOnTop() = 0;
    // chkTaskbarIcon: the tray icon added or removed as the option says.
    virtual void applyTrayIcon() = 0;
    // The drop trail's colour changed: its pictures made again in the new colour.
    virtual void GenerateTrail() = 0;
};

// The options model the page edits, and what it acts through.
struct OptionsPageBinding {
    Options& options;
    Dialogs& dialogs;
    OptionsEffects& effects;
    MusicBoxesContext music;
};

class OptionsPage final : public Page {
    Q_OBJECT
public:
    // The controls go on `area`; the key-capture box txtkeys on `window`, outside the page area,
    // so that it keeps the keyboard while the page area is disabled.
    OptionsPage(QWidget& area, QWidget& window, QObject* parent = nullptr);
    ~OptionsPage() override;

    // From now on the controls show and change `binding.options`; they show it at once.
    void bind(const OptionsPageBinding& binding);
    // Every control shows its option again (after the settings were read), without acting.
    void showOptionValues();
    // The start-up state of the binding panel: every binding button captioned from the table,
    // the player 1 set chosen and shown.
    void SetupControls();

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
    QLineEdit& keyCaptureBox(); // txtkeys
    QScrollBar& keyRepeatBar() { return *m_hsControl; } // hsControl
    MusicOptionsSection& musicSection() { return *m_music; }
    // cmdP1Rotate(0), "Switch Player Controls".
    QPushButton& switchControlsButton() { return *m_switchControls; }
    QPushButton& clearControlsButton() { return *m_clearControls; } // cmdClearControls
    // A local player's binding button: p 1 or 2, action as in kPlayerKeyButtons.
    QPushButton& playerKeyButton(int p, int action);
    // The internet set: the revenge special and the specials on players 1 to 6 (cmdISpec(0..6)),
    // then talk and team talk.
    QPushButton& internetKeyButton(int index);
    // A capture runs: the next key is bound.
    bool capturing() const { return m_capture.KeyCaptureActive; }

signals:
    // The window's caption is to show `text` (the capture's prompt, then the program's name).
    void captionRequested(const QString& text);

private:
    void buildGraphics();
    void buildAnimation();
    void buildWindowOptions();
    void buildSoundAndMusic();
    void buildTheme();
    void buildControls();
    void connectOptions();
    // A bare check box at `box` and its caption label lblOptionMenu(label) beside it.
    void checkRow(const char* box, int label, QPoint at, int labelWidth, const QString& caption);

    // Key capture and the panel's buttons.
    void startCapture(int captureCode, int player);
    void keyArrived(int virtualKey);
    void switchPlayerControls();
    void clearControls();
    // Every binding button shows its label and the name of its key.
    void captionKeyButtons();
    void trailColor();

    std::array<QLabel*, 29> m_lblOptionMenu{};
    std::array<QCheckBox*, std::size(kAnimationBoxes)> m_animationBoxes{};
    QLineEdit* m_txtTheme = nullptr;
    QScrollBar* m_hsControl = nullptr;
    MusicOptionsSection* m_music = nullptr;
    QComboBox* m_cmbControls = nullptr;
    KeyCaptureBox* m_txtkeys = nullptr;
    QPushButton* m_switchControls = nullptr;
    QPushButton* m_clearControls = nullptr;
    // [p - 1][action]
    std::array<std::array<QPushButton*, 9>, 2> m_playerKeys{};
    std::array<QPushButton*, 9> m_internetKeys{};

    Options* m_options = nullptr;
    Dialogs* m_dialogs = nullptr;
    OptionsEffects* m_effects = nullptr;
    KeyCapture m_capture;
};

} // namespace kalvon
