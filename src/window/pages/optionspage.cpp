#include "window/pages/optionspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

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

// The places of kPlayerKeyButtons and their captions.
constexpr int kPlayerKeySlot[9] = { 0, 5, 2, 3, 4, 1, 6, 7, 8 };
constexpr const char* kPlayerKeyCaption[9] = { "Rotate Right: ", "Piece Down: ", "Drop: ", "Left: ",
    "Right: ", "Rotate Left: ", "Self Special: ", "Enemy Special: ", "Discard Special: " };

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

    // The page's list: the captions, then the boxes and fields, then the binding panel.
    for (QLabel* label : m_lblOptionMenu)
        listed(label);
    for (const char* name : { "chkTaskbarIcon", "chkSmoothBlock", "chkDropTrail", "chkShadows", "chkExplode",
             "chkBomb", "chkDoor", "chkWarning", "chkLeds", "chkP1Guide", "chkP2Guide", "cmdTrailColor",
             "chkBGAni", "chkAniInetBG", "chkAniInetBlks", "chkblkani", "chkAniSpec", "chkInetSpec",
             "chkNextBlk", "chkSpecWin", "chkOnTop", "txtTheme", "cmdPreview", "cmdThemeBrowse", "chkSounds",
             "chkMusic", "chkThemeMusic", "txtMidi", "cmdBrowse", "hsControl", "cmdClearControls" })
        listed(control<QWidget>(QLatin1String(name)));
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

    m_txtkeys = new QLineEdit(&window);
    m_txtkeys->setObjectName(QStringLiteral("txtkeys"));
    m_txtkeys->setGeometry(0, 0, 1, 1);
    m_txtkeys->setFocusPolicy(Qt::ClickFocus);
    m_txtkeys->lower();
}

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
    // The music section.
    checkRow("chkMusic", 21, QPoint(452, 66 + kRowPitch), 144, QStringLiteral("Play Music"));
    checkRow("chkThemeMusic", 22, QPoint(452, 66 + 2 * kRowPitch), 144, QStringLiteral("Use Theme Music"));
    m_lblOptionMenu[23] = makeLabel(
        controlName("lblOptionMenu", 23), QRect(452, 130, 164, 16), QStringLiteral("Music File:"));
    makeLineEdit(QStringLiteral("txtMidi"), QRect(452, 148, 108, 20));
    makeButton(QStringLiteral("cmdBrowse"), QRect(564, 147, 52, 22), QStringLiteral("Browse"));
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
    makeButton(
        QStringLiteral("cmdClearControls"), QRect(440, 355, 172, 22), QStringLiteral("Clear All Controls"));

    for (int p = 1; p <= 2; ++p) {
        for (size_t action = 0; action < std::size(kPlayerKeyButtons); ++action) {
            m_playerKeys[size_t(p - 1)][action]
                = makeButton(controlName(kPlayerKeyButtons[action], p), keyButtonRect(kPlayerKeySlot[action]),
                    QLatin1String(kPlayerKeyCaption[action]), kKeyFontPixels);
        }
    }
    // The internet set: the specials on players 1 to 6, the revenge special, talk and team talk.
    for (int n = 0; n <= 6; ++n) {
        const QString caption = n == 0 ? QStringLiteral("Revenge Special: ")
                                       : QStringLiteral("Use Special On Player %1: ").arg(n);
        m_internetKeys[size_t(n)] = makeButton(
            controlName("cmdISpec", n), keyButtonRect(n == 0 ? 6 : n - 1), caption, kKeyFontPixels);
    }
    m_internetKeys[7]
        = makeButton(QStringLiteral("cmdITalk"), keyButtonRect(7), QStringLiteral("Talk: "), kKeyFontPixels);
    m_internetKeys[8] = makeButton(
        QStringLiteral("cmdITeamTalk"), keyButtonRect(8), QStringLiteral("Team Talk: "), kKeyFontPixels);

    m_lblOptionMenu[26] = makeLabel(
        controlName("lblOptionMenu", 26), QRect(28, 463, 112, 16), QStringLiteral("Control Sensitivity:"));
    m_lblOptionMenu[27]
        = makeLabel(controlName("lblOptionMenu", 27), QRect(142, 463, 30, 16), QStringLiteral("High"));
    makeScrollBar(QStringLiteral("hsControl"), QRect(174, 463, 250, 16), 1, 200);
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

QPushButton& OptionsPage::playerKeyButton(int p, int action)
{
    return *m_playerKeys.at(size_t(p - 1)).at(size_t(action));
}

QPushButton& OptionsPage::internetKeyButton(int index)
{
    return *m_internetKeys.at(size_t(index));
}

} // namespace kalvon
