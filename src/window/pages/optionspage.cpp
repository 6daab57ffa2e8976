#include "window/pages/optionspage.h"

#include "common/dialogs.h"
#include "engine/store/options.h"
#include "game/gametick.h"
#include "platform/qtext.h"
#include "window/checkvalue.h"
#include "window/keycapturebox.h"
#include "window/musicoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace kalvon {

namespace {

// Check-box rows of the cards run 22 pixels apart.
constexpr int kRowPitch = 22;

// The key-binding buttons: three rows of three, 192 x 22, the players' and the internet sets at
// the same places; captions in 10 pixels.
constexpr int kKeyFontPixels = 10;
QRect keyButtonRect(int slot)
{
    return QRect(28 + 196 * (slot % 3), 384 + 24 * (slot / 3), 192, 22);
}

// The places of kPlayerKeyButtons and their capture codes.
constexpr int kPlayerKeySlot[9] = { 0, 5, 2, 3, 4, 1, 6, 7, 8 };
constexpr int kPlayerKeyCapture[9] = { 1, 4, 5, 2, 3, 8, 6, 7, 9 };

constexpr char kCapturePrompt[] = "Press Desired Key(BackSpace For None)...";

// What a click on an option box does besides storing its value.
enum class BoxEffect { None, Doors, Leds, StayOnTop, TrayIcon };

struct OptionBox {
    const char* name;
    CheckValue& (*value)(Options&);
    BoxEffect effect = BoxEffect::None;
};

// The option boxes of the page (the music boxes are the music section's).
const OptionBox kOptionBoxes[] = {
    { "chkSmoothBlock", [](Options& o) -> CheckValue& { return o.graphics.smoothBlock; } },
    { "chkDropTrail", [](Options& o) -> CheckValue& { return o.graphics.dropTrail; } },
    { "chkShadows", [](Options& o) -> CheckValue& { return o.graphics.shadows; } },
    { "chkExplode", [](Options& o) -> CheckValue& { return o.graphics.explode; } },
    { "chkBomb", [](Options& o) -> CheckValue& { return o.graphics.bombExplode; } },
    { "chkDoor", [](Options& o) -> CheckValue& { return o.graphics.door; }, BoxEffect::Doors },
    { "chkWarning", [](Options& o) -> CheckValue& { return o.graphics.warning; } },
    { "chkLeds", [](Options& o) -> CheckValue& { return o.graphics.leds; }, BoxEffect::Leds },
    { "chkP1Guide", [](Options& o) -> CheckValue& { return o.graphics.p1Guide; } },
    { "chkP2Guide", [](Options& o) -> CheckValue& { return o.graphics.p2Guide; } },
    { "chkBGAni", [](Options& o) -> CheckValue& { return o.graphics.animateBg; } },
    { "chkAniInetBG", [](Options& o) -> CheckValue& { return o.graphics.animateInetBg; } },
    { "chkblkani", [](Options& o) -> CheckValue& { return o.graphics.animateBlocks; } },
    { "chkAniSpec", [](Options& o) -> CheckValue& { return o.graphics.animateSpecials; } },
    { "chkAniInetBlks", [](Options& o) -> CheckValue& { return o.graphics.animateInetBlocks; } },
    { "chkInetSpec", [](Options& o) -> CheckValue& { return o.graphics.animateInetSpecials; } },
    { "chkNextBlk", [](Options& o) -> CheckValue& { return o.graphics.animateNextBlock; } },
    { "chkSpecWin", [](Options& o) -> CheckValue& { return o.graphics.animateSpecialWindow; } },
    { "chkOnTop", [](Options& o) -> CheckValue& { return o.general.stayOnTop; }, BoxEffect::StayOnTop },
    { "chkTaskbarIcon", [](Options& o) -> CheckValue& { return o.general.taskbarIcon; },
        BoxEffect::TrayIcon },
    { "chkSounds", [](Options& o) -> CheckValue& { return o.sound.sounds; } },
};

} // namespace

OptionsPage::OptionsPage(QWidget& area, QWidget& window, QObject* parent)
    : Page(area, parent)
{
    buildGraphics();
    buildAnimation();
    buildWindowOptions();
    buildSoundAndMusic();
    buildTheme();
    buildControls();

    // The page's list: the captions, then the boxes and fields, then the binding panel. The music
    // section's captions come and go with it.
    for (QLabel* label : m_lblOptionMenu) {
        if (label->parentWidget() == &area)
            listed(label);
    }
    for (const char* name :
        { "chkTaskbarIcon", "chkSmoothBlock", "chkDropTrail", "chkShadows", "chkExplode", "chkBomb",
            "chkDoor", "chkWarning", "chkLeds", "chkP1Guide", "chkP2Guide", "cmdTrailColor", "chkBGAni",
            "chkAniInetBG", "chkAniInetBlks", "chkblkani", "chkAniSpec", "chkInetSpec", "chkNextBlk",
            "chkSpecWin", "chkOnTop", "txtTheme", "cmdPreview", "cmdThemeBrowse", "chkSounds" })
        listed(control<QWidget>(QLatin1String(name)));
    listed(m_music);
    listed(m_hsControl);
    listed(m_clearControls);
    listed(m_switchControls);
    listed(m_cmbControls);
    for (const auto& player : m_playerKeys) {
        for (QPushButton* button : player)
            listed(button);
    }
    for (QPushButton* button : m_internetKeys)
        listed(button);

    const char* animationNames[] = { "chkBGAni", "chkAniInetBG", "chkblkani", "chkAniInetBlks", "chkInetSpec",
        "chkAniSpec", "chkSpecWin", "chkNextBlk" };
    for (AnimationBox box : kAnimationBoxes)
        m_animationBoxes[size_t(box)] = control<QCheckBox>(QLatin1String(animationNames[size_t(box)]));

    m_txtkeys = new KeyCaptureBox(&window);
    m_txtkeys->setObjectName(QStringLiteral("txtkeys"));
    m_txtkeys->setGeometry(0, 0, 1, 1);
    m_txtkeys->setFocusPolicy(Qt::ClickFocus);
    m_txtkeys->lower();

    connectOptions();
}

OptionsPage::~OptionsPage() = default;

void OptionsPage::checkRow(const char* box, int label, QPoint at, int labelWidth, const QString& caption)
{
    m_lblOptionMenu[size_t(label)]
        = makeCheckRow(QLatin1String(box), at, controlName("lblOptionMenu", label), labelWidth, caption);
}

void OptionsPage::buildGraphics()
{
    const struct {
        int row;
        const char* box;
        const char* caption;
    } rows[]
        = { { 0, "chkSmoothBlock", "Smooth Block Movement" }, { 1, "chkDropTrail", "Drop Particle Trail" },
              { 3, "chkShadows", "Shadows" }, { 4, "chkExplode", "Kalvon Explosion" },
              { 5, "chkBomb", "Block Bomb Explosion" }, { 6, "chkDoor", "Kalvon Door" },
              { 7, "chkWarning", "Show Warning Sign" }, { 8, "chkLeds", "Enable Height Led" },
              { 9, "chkP1Guide", "Player 1 Guide Lines" }, { 10, "chkP2Guide", "Player 2 Guide Lines" } };
    int label = 0;
    for (const auto& row : rows)
        checkRow(row.box, label++, QPoint(28, 66 + kRowPitch * row.row), 148, QLatin1String(row.caption));
    // The trail colour's button takes the free row under the trail's box.
    makeButton(QStringLiteral("cmdTrailColor"), QRect(47, 106, 110, 20), QStringLiteral("Change Color"));
}

void OptionsPage::buildAnimation()
{
    const char* rows[][2]
        = { { "chkBGAni", "Animate Backround" }, { "chkAniInetBG", "Animate Internet Backround" },
              { "chkblkani", "Animate Blocks" }, { "chkAniSpec", "Animate Specials" },
              { "chkAniInetBlks", "Animate Internet Blocks" }, { "chkInetSpec", "Animate Internet Specials" },
              { "chkNextBlk", "Animate Next Block Window" }, { "chkSpecWin", "Animate Special Window" } };
    for (int i = 0; i < 8; ++i)
        checkRow(rows[i][0], 10 + i, QPoint(224, 66 + kRowPitch * i), 180, QLatin1String(rows[i][1]));
}

void OptionsPage::buildWindowOptions()
{
    checkRow("chkOnTop", 18, QPoint(224, 278), 180, QStringLiteral("Stay On Top"));
    checkRow("chkTaskbarIcon", 19, QPoint(224, 278 + kRowPitch), 180, QStringLiteral("Show Tray Icon"));
}

void OptionsPage::buildSoundAndMusic()
{
    checkRow("chkSounds", 20, QPoint(452, 66), 144, QStringLiteral("Play Sounds"));
    m_music = new MusicOptionsSection(&area());
    m_music->move(452, 86);
    m_music->hide();
    for (size_t i = 0; i < m_music->captions().size(); ++i) {
        QLabel* caption = m_music->captions()[i];
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_lblOptionMenu[21 + i] = caption;
    }
}

void OptionsPage::buildTheme()
{
    m_lblOptionMenu[24] = makeLabel(
        controlName("lblOptionMenu", 24), QRect(452, 220, 164, 16), QStringLiteral("Theme File Name:"));
    m_txtTheme = makeLineEdit(QStringLiteral("txtTheme"), QRect(452, 238, 164, 20));
    makeButton(QStringLiteral("cmdThemeBrowse"), QRect(452, 266, 80, 22), QStringLiteral("Browse"));
    makeButton(QStringLiteral("cmdPreview"), QRect(536, 266, 80, 22), QStringLiteral("Previewer"));
}

void OptionsPage::buildControls()
{
    m_lblOptionMenu[25] = makeLabel(
        controlName("lblOptionMenu", 25), QRect(28, 358, 112, 16), QStringLiteral("Player Control Set:"));
    m_cmbControls = makeComboBox(QStringLiteral("cmbControls"), QRect(142, 356, 110, 20), false);
    m_cmbControls->addItems(
        { QStringLiteral("Player 1"), QStringLiteral("Player 2"), QStringLiteral("Internet") });
    m_cmbControls->setCurrentIndex(0);
    m_switchControls = makeButton(
        controlName("cmdP1Rotate", 0), QRect(264, 355, 168, 22), QStringLiteral("Switch Player Controls"));
    m_clearControls = makeButton(
        QStringLiteral("cmdClearControls"), QRect(440, 355, 172, 22), QStringLiteral("Clear All Controls"));

    for (int p = 1; p <= 2; ++p) {
        for (size_t action = 0; action < std::size(kPlayerKeyButtons); ++action) {
            m_playerKeys[size_t(p - 1)][action]
                = makeButton(controlName(kPlayerKeyButtons[action], p), keyButtonRect(kPlayerKeySlot[action]),
                    toQString(keyButtonLabel(kPlayerKeyCapture[action])), kKeyFontPixels);
        }
    }
    // The internet set: the revenge special and the specials on players 1 to 6 (cmdISpec(0..6)),
    // talk and team talk; capture codes 10 to 18 in that order.
    for (int n = 0; n <= 6; ++n) {
        m_internetKeys[size_t(n)] = makeButton(controlName("cmdISpec", n), keyButtonRect(n == 0 ? 6 : n - 1),
            toQString(keyButtonLabel(kFirstInternetCapture + n)), kKeyFontPixels);
    }
    m_internetKeys[7] = makeButton(QStringLiteral("cmdITalk"), keyButtonRect(7),
        toQString(keyButtonLabel(kFirstInternetCapture + 7)), kKeyFontPixels);
    m_internetKeys[8] = makeButton(QStringLiteral("cmdITeamTalk"), keyButtonRect(8),
        toQString(keyButtonLabel(kFirstInternetCapture + 8)), kKeyFontPixels);

    m_lblOptionMenu[26] = makeLabel(
        controlName("lblOptionMenu", 26), QRect(28, 463, 112, 16), QStringLiteral("Control Sensitivity:"));
    m_lblOptionMenu[27]
        = makeLabel(controlName("lblOptionMenu", 27), QRect(142, 463, 30, 16), QStringLiteral("High"));
    m_hsControl = makeScrollBar(QStringLiteral("hsControl"), QRect(174, 463, 250, 16), 1, 200);
    m_lblOptionMenu[28]
        = makeLabel(controlName("lblOptionMenu", 28), QRect(428, 463, 30, 16), QStringLiteral("Low"));
}

void OptionsPage::ShowOptionsControls()
{
    setListedVisible(true);
    ShowKeyCaptions();
}

void OptionsPage::HideOptionsControls()
{
    setListedVisible(false);
}

void OptionsPage::ShowKeyCaptions()
{
    const int set = m_cmbControls->currentIndex();
    if (set < 0 || set > 2)
        return;
    for (int p = 1; p <= 2; ++p) {
        for (QPushButton* button : m_playerKeys[size_t(p - 1)])
            button->setVisible(set == p - 1);
    }
    m_switchControls->setEnabled(set != 2);
    for (QPushButton* button : m_internetKeys)
        button->setVisible(set == 2);
}

void OptionsPage::setAnimationBoxEnabled(AnimationBox box, bool enabled)
{
    m_animationBoxes.at(size_t(box))->setEnabled(enabled);
}

bool OptionsPage::animationBoxEnabled(AnimationBox box) const
{
    return m_animationBoxes.at(size_t(box))->isEnabledTo(&area());
}

void OptionsPage::colorLabels(const ColorTable& colors)
{
    for (QLabel* label : m_lblOptionMenu)
        setLabelColor(label, colors[kColorOptions]);
}

QLineEdit& OptionsPage::keyCaptureBox()
{
    return *m_txtkeys;
}

QPushButton& OptionsPage::playerKeyButton(int p, int action)
{
    return *m_playerKeys.at(size_t(p - 1)).at(size_t(action));
}

QPushButton& OptionsPage::internetKeyButton(int index)
{
    return *m_internetKeys.at(size_t(index));
}

// --- the options ---

void OptionsPage::connectOptions()
{
    for (const OptionBox& option : kOptionBoxes) {
        QCheckBox* box = control<QCheckBox>(QLatin1String(option.name));
        connect(box, &QCheckBox::clicked, this, [this, box, &option](bool checked) {
            const CheckValue value = clickedCheckValue(*box, checked);
            if (!m_options)
                return;
            option.value(*m_options) = value;
            m_effects->optionsChanged();
            switch (option.effect) {
            case BoxEffect::None: break;
            case BoxEffect::Doors: m_effects->redrawAllFields(); break;
            case BoxEffect::Leds: m_effects->showHeightLeds(value == 1); break;
            case BoxEffect::StayOnTop: m_effects->applyStayOnTop(); break;
            case BoxEffect::TrayIcon: m_effects->applyTrayIcon(); break;
            }
        });
    }
    connect(control<QPushButton>(QStringLiteral("cmdTrailColor")), &QPushButton::clicked, this,
        &OptionsPage::trailColor);
    // The theme box holds the path of the theme in use, whoever writes it.
    connect(m_txtTheme, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_options)
            m_options->general.theme = fromQString(text);
    });
    connect(m_hsControl, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_options)
            m_options->controls.controlSensitivity = static_cast<int16_t>(value);
    });

    for (int p = 1; p <= 2; ++p) {
        for (size_t action = 0; action < std::size(kPlayerKeyButtons); ++action) {
            connect(m_playerKeys[size_t(p - 1)][action], &QPushButton::clicked, this,
                [this, p, action] { startCapture(kPlayerKeyCapture[action], p); });
        }
    }
    for (size_t i = 0; i < m_internetKeys.size(); ++i) {
        connect(m_internetKeys[i], &QPushButton::clicked, this,
            [this, i] { startCapture(kFirstInternetCapture + int(i), 1); });
    }
    connect(m_switchControls, &QPushButton::clicked, this, &OptionsPage::switchPlayerControls);
    connect(m_clearControls, &QPushButton::clicked, this, &OptionsPage::clearControls);
    connect(m_cmbControls, &QComboBox::activated, this, &OptionsPage::ShowKeyCaptions);
    connect(m_txtkeys, &KeyCaptureBox::keyDown, this, &OptionsPage::keyArrived);
    connect(m_txtkeys, &KeyCaptureBox::focusLost, this, [this] {
        // The box keeps the keyboard until the key arrives.
        if (m_capture.KeyCaptureActive)
            QMetaObject::invokeMethod(
                m_txtkeys, [this] { m_txtkeys->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
    });
}

void OptionsPage::bind(const OptionsPageBinding& binding)
{
    m_options = &binding.options;
    m_dialogs = &binding.dialogs;
    m_effects = &binding.effects;
    SoundSettings& sound = m_options->sound;
    m_music->bind({ sound.playMusic, sound.useThemeMusic, sound.lastMusic }, binding.music);
    showOptionValues();
}

void OptionsPage::showOptionValues()
{
    if (!m_options)
        return;
    for (const OptionBox& option : kOptionBoxes)
        showCheckValue(*control<QCheckBox>(QLatin1String(option.name)), option.value(*m_options));
    const QString theme = toQString(m_options->general.theme);
    if (m_txtTheme->text() != theme)
        m_txtTheme->setText(theme);
    // The bar keeps its value to its range, and the option follows it.
    m_hsControl->setValue(m_options->controls.controlSensitivity);
    m_options->controls.controlSensitivity = static_cast<int16_t>(m_hsControl->value());
    m_music->showValues();
    captionKeyButtons();
}

void OptionsPage::SetupControls()
{
    captionKeyButtons();
    m_cmbControls->setCurrentIndex(0);
    // Another page may be shown: its controls stay alone.
    if (!m_cmbControls->isHidden())
        ShowKeyCaptions();
}

void OptionsPage::trailColor()
{
    if (!m_options)
        return;
    int32_t& color = m_options->graphics.dropColor;
    const std::optional<uint32_t> chosen = m_dialogs->chooseColor(static_cast<uint32_t>(color));
    if (!chosen)
        return;
    color = static_cast<int32_t>(*chosen & 0xFFFFFF);
    m_effects->GenerateTrail();
}

// --- key bindings ---

void OptionsPage::captionKeyButtons()
{
    if (!m_options)
        return;
    const ControlSettings& controls = m_options->controls;
    for (int p = 1; p <= 2; ++p) {
        for (size_t action = 0; action < std::size(kPlayerKeyButtons); ++action) {
            const int code = kPlayerKeyCapture[action];
            m_playerKeys[size_t(p - 1)][action]->setText(
                toQString(keyButtonCaption(code, controls.binding(p, *captureAction(code)))));
        }
    }
    for (size_t i = 0; i < m_internetKeys.size(); ++i) {
        const int code = kFirstInternetCapture + int(i);
        m_internetKeys[i]->setText(
            toQString(keyButtonCaption(code, controls.binding(1, *captureAction(code)))));
    }
}

void OptionsPage::startCapture(int captureCode, int player)
{
    if (!m_options)
        return;
    m_capture.start(captureCode, player);
    m_txtkeys->setFocus(Qt::OtherFocusReason);
    emit captionRequested(QLatin1String(kCapturePrompt));
    // The rest of the window takes no pointer input until the key arrives.
    area().setEnabled(false);
}

void OptionsPage::keyArrived(int virtualKey)
{
    if (!m_options || !m_capture.bindKey(m_options->controls, virtualKey))
        return;
    captionKeyButtons();
    emit captionRequested(QLatin1String(kProgramCaption));
    area().setEnabled(true);
}

void OptionsPage::switchPlayerControls()
{
    if (!m_options)
        return;
    SwapPlayerControls(m_options->controls);
    captionKeyButtons();
}

void OptionsPage::clearControls()
{
    if (!m_options)
        return;
    const MessageAnswer answer = m_dialogs->messageBox(
        "Are you sure you wish to clear all controls?", "Confirm", MessageIcon::None, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    ClearAllControls(m_options->controls);
    captionKeyButtons();
}

} // namespace kalvon
