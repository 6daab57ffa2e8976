// The options page bound to the options model: key capture, stealing, BackSpace, the swap and
// the clear through real key and mouse events, with the settings file's [Controls] section
// written after each; every option box changing its option and acting at once; the key-repeat
// bar's range; the theme box and the music section showing the settings.

#include "engine/store/defaultsettings.h"
#include "engine/store/settingsfile.h"
#include "platform/qtext.h"
#include "support/recordingmusic.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "window/musicoptions.h"
#include "window/pages/optionspage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::readFile;
using testing::RecordingMusic;
using testing::ScratchFolder;
using testing::ScriptedDialogs;
using Calls = std::vector<std::string>;

// Records each effect with the option it depends on, as it stands when the effect runs.
class RecordingEffects final : public OptionsEffects {
public:
    explicit RecordingEffects(const Options& options)
        : m_options(options)
    {
    }
    Calls calls;

    void optionsChanged() override { calls.emplace_back("options"); }
    void redrawAllFields() override
    {
        calls.push_back("redrawAllFields door=" + value(m_options.graphics.door));
    }
    void showHeightLeds(bool shown) override
    {
        calls.push_back(shown ? "showHeightLeds" : "clearHeightLeds");
    }
    void applyStayOnTop() override
    {
        calls.push_back("applyStayOnTop " + value(m_options.general.stayOnTop));
    }
    void applyTrayIcon() override
    {
        calls.push_back("applyTrayIcon " + value(m_options.general.taskbarIcon));
    }
    void GenerateTrail() override { calls.push_back("GenerateTrail " + value(m_options.graphics.dropColor)); }

private:
    static std::string value(int v) { return std::to_string(v); }
    const Options& m_options;
};

// The page on a window of its own, bound to a model holding the installed settings.
class OptionsPageTest : public ::testing::Test {
protected:
    OptionsPageTest()
    {
        window.resize(640, 520);
        area->setGeometry(0, 20, 640, 500);
        QObject::connect(
            &page, &OptionsPage::captionRequested, [this](const QString& text) { caption = text; });
        page.bind(OptionsPageBinding{ options, dialogs, effects,
            MusicBoxesContext{ music, dialogs, themeMusic, [] { return false; }, [] { return true; }, {} } });
        page.SetupControls();
        page.ShowOptionsControls();
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <class Control> Control& named(const char* name)
    {
        auto* control = window.findChild<Control*>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return *control;
    }

    // The [Controls] section of the settings file, as the program writes it now.
    std::string savedControls()
    {
        EXPECT_TRUE(SaveSettings(file, options));
        const std::string text = readFile(file);
        const size_t start = text.find("[Controls]\r\n");
        const size_t end = text.find("\r\n \r\n", start);
        EXPECT_NE(start, std::string::npos);
        return text.substr(start, end - start);
    }

    // The control set chosen with the keyboard, as a user does it.
    void chooseSet(int set)
    {
        QComboBox& sets = page.controlSets();
        while (sets.currentIndex() != set)
            QTest::keyClick(&sets, sets.currentIndex() < set ? Qt::Key_Down : Qt::Key_Up);
    }

    ScratchFolder folder;
    std::filesystem::path file = folder / "kalvon.ini";
    Options options = defaultInstallOptions();
    ScriptedDialogs dialogs;
    RecordingEffects effects{ options };
    RecordingMusic music;
    Bytes themeMusic = "/themes/mine/music.ogg";
    QWidget window;
    QWidget* area = new QWidget(&window);
    OptionsPage page{ *area, window };
    QString caption;
};

// `section` with the values of the given keys replaced.
std::string withValues(std::string section, const std::vector<std::pair<const char*, int>>& values)
{
    for (const auto& [key, value] : values) {
        const std::string line = std::string("\r\n") + key + "=";
        const size_t at = section.find(line);
        EXPECT_NE(at, std::string::npos) << key;
        if (at == std::string::npos)
            continue;
        const size_t from = at + line.size();
        section.replace(from, section.find("\r\n", from) - from, std::to_string(value));
    }
    return section;
}

TEST_F(OptionsPageTest, KeyCaptureStealSwapAndClearThroughRealEvents)
{
    const struct {
        const char* what;
        int set;
        const char* button;
        Qt::Key key; // 0: the button does its work itself
        std::vector<std::pair<const char*, int>> changed;
        std::vector<std::pair<const char*, const char*>> captions;
    } steps[] = {
        { "player 1's left takes player 2's key", 0, "cmdP1Left(1)", Qt::Key_A,
            { { "p1left", 65 }, { "p2left", 9999 } },
            { { "cmdP1Left(1)", "Left: A" }, { "cmdP1Left(2)", "Left: [None]" } } },
        { "an internet key takes player 2's rotate", 2, "cmdISpec(1)", Qt::Key_W,
            { { "Ispec1", 87 }, { "p2rotate", 9999 } },
            { { "cmdISpec(1)", "Use Special On Player 1: W" },
                { "cmdP1Rotate(2)", "Rotate Right: [None]" } } },
        { "BackSpace unbinds", 2, "cmdITalk", Qt::Key_Backspace, { { "Italk", 9999 } },
            { { "cmdITalk", "Talk: [None]" } } },
        { "Tab is bound like any key", 1, "cmdP1Discard(2)", Qt::Key_Tab, { { "p2discard", 9 } },
            { { "cmdP1Discard(2)", "Discard Special: Tab" } } },
        { "switch player controls", 0, "cmdP1Rotate(0)", Qt::Key(0),
            { { "p1rotate", 9999 }, { "p1rotate2", 81 }, { "p1left", 9999 }, { "p1right", 68 },
                { "p1drop", 69 }, { "p1down", 83 }, { "p1useself", 90 }, { "p1useother", 88 },
                { "p1discard", 9 }, { "p2rotate", 38 }, { "p2rotate2", 191 }, { "p2left", 65 },
                { "p2right", 39 }, { "p2drop", 32 }, { "p2down", 40 }, { "p2useself", 222 },
                { "p2useother", 13 }, { "p2discard", 46 } },
            { { "cmdP1Rotate(1)", "Rotate Right: [None]" }, { "cmdP1Discard(1)", "Discard Special: Tab" },
                { "cmdP1Left(2)", "Left: A" } } },
        { "clear answered No", 0, "cmdClearControls", Qt::Key(0), {},
            { { "cmdP1Down(1)", "Piece Down: S" } } },
        { "clear answered Yes", 0, "cmdClearControls", Qt::Key(0),
            { { "p1rotate2", 9999 }, { "p1right", 9999 }, { "p1drop", 9999 }, { "p1down", 9999 },
                { "p1useself", 9999 }, { "p1useother", 9999 }, { "p1discard", 9999 }, { "p2rotate", 9999 },
                { "p2rotate2", 9999 }, { "p2left", 9999 }, { "p2right", 9999 }, { "p2drop", 9999 },
                { "p2down", 9999 }, { "p2useself", 9999 }, { "p2useother", 9999 }, { "p2discard", 9999 },
                { "Italkteam", 9999 }, { "Irevenge", 9999 }, { "Ispec1", 9999 }, { "Ispec2", 9999 },
                { "Ispec3", 9999 }, { "Ispec4", 9999 }, { "Ispec5", 9999 }, { "Ispec6", 9999 } },
            { { "cmdP1Down(1)", "Piece Down: [None]" }, { "cmdISpec(0)", "Revenge Special: [None]" },
                { "cmdITeamTalk", "Team Talk: [None]" } } },
    };
    dialogs.messageAnswers = { MessageAnswer::No, MessageAnswer::Yes };
    std::string before = savedControls();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        chooseSet(step.set);
        QPushButton& button = named<QPushButton>(step.button);
        ASSERT_TRUE(button.isVisible());
        QTest::mouseClick(&button, Qt::LeftButton);
        if (step.key != 0) {
            EXPECT_TRUE(page.capturing());
            EXPECT_EQ(QApplication::focusWidget(), &page.keyCaptureBox());
            EXPECT_EQ(caption, QStringLiteral("Press Desired Key(BackSpace For None)..."));
            EXPECT_FALSE(area->isEnabled());
            // The page takes no clicks meanwhile.
            QTest::mouseClick(&named<QPushButton>("cmdClearControls"), Qt::LeftButton);
            QTest::keyClick(QApplication::focusWidget(), step.key);
            EXPECT_FALSE(page.capturing());
            EXPECT_EQ(caption, QStringLiteral("Kalvon v1.91"));
            EXPECT_TRUE(area->isEnabled());
            EXPECT_EQ(QApplication::focusWidget(), &page.keyCaptureBox()) << "until the page gives it away";
            EXPECT_TRUE(page.keyCaptureBox().text().isEmpty());
        }
        const std::string after = savedControls();
        EXPECT_EQ(after, withValues(before, step.changed));
        for (const auto& [name, text] : step.captions)
            EXPECT_EQ(named<QPushButton>(name).text(), QLatin1String(text)) << name;
        before = after;
    }
    ASSERT_EQ(dialogs.calls.size(), 2u);
    for (const auto& call : dialogs.calls) {
        EXPECT_EQ(call.text, "Are you sure you wish to clear all controls?");
        EXPECT_EQ(call.title, "Confirm");
        EXPECT_EQ(call.buttons, MessageButtons::YesNo);
    }
}

// While a capture runs the key box keeps the keyboard, and keys that have no code wait for one.
TEST_F(OptionsPageTest, CaptureKeepsTheKeyboardUntilAKeyArrives)
{
    QTest::mouseClick(&page.playerKeyButton(1, 0), Qt::LeftButton);
    ASSERT_TRUE(page.capturing());
    QWidget other(&window);
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), &page.keyCaptureBox());

    QTest::keyClick(&page.keyCaptureBox(), Qt::Key_VolumeUp);
    EXPECT_TRUE(page.capturing()) << "a key without a code binds nothing";
    QTest::keyClick(&page.keyCaptureBox(), Qt::Key_Shift);
    EXPECT_FALSE(page.capturing());
    EXPECT_EQ(options.controls.binding(1, KeyAction::Rotate), 16);
    EXPECT_EQ(page.playerKeyButton(1, 0).text(), QStringLiteral("Rotate Right: Shift"));
}

// Each option box stores its value at once, and the few that act do so with the new value.
TEST_F(OptionsPageTest, EveryOptionBoxChangesItsOptionAndActsAtOnce)
{
    const struct {
        const char* box;
        CheckValue& (*value)(Options&);
        Calls effects; // after "options"
    } cases[] = {
        { "chkSmoothBlock", [](Options& o) -> CheckValue& { return o.graphics.smoothBlock; }, {} },
        { "chkDropTrail", [](Options& o) -> CheckValue& { return o.graphics.dropTrail; }, {} },
        { "chkShadows", [](Options& o) -> CheckValue& { return o.graphics.shadows; }, {} },
        { "chkExplode", [](Options& o) -> CheckValue& { return o.graphics.explode; }, {} },
        { "chkBomb", [](Options& o) -> CheckValue& { return o.graphics.bombExplode; }, {} },
        { "chkDoor", [](Options& o) -> CheckValue& { return o.graphics.door; },
            { "redrawAllFields door=0" } },
        { "chkWarning", [](Options& o) -> CheckValue& { return o.graphics.warning; }, {} },
        { "chkLeds", [](Options& o) -> CheckValue& { return o.graphics.leds; }, { "clearHeightLeds" } },
        { "chkP1Guide", [](Options& o) -> CheckValue& { return o.graphics.p1Guide; }, {} },
        { "chkP2Guide", [](Options& o) -> CheckValue& { return o.graphics.p2Guide; }, {} },
        { "chkBGAni", [](Options& o) -> CheckValue& { return o.graphics.animateBg; }, {} },
        { "chkAniInetBG", [](Options& o) -> CheckValue& { return o.graphics.animateInetBg; }, {} },
        { "chkblkani", [](Options& o) -> CheckValue& { return o.graphics.animateBlocks; }, {} },
        { "chkAniSpec", [](Options& o) -> CheckValue& { return o.graphics.animateSpecials; }, {} },
        { "chkAniInetBlks", [](Options& o) -> CheckValue& { return o.graphics.animateInetBlocks; }, {} },
        { "chkInetSpec", [](Options& o) -> CheckValue& { return o.graphics.animateInetSpecials; }, {} },
        { "chkNextBlk", [](Options& o) -> CheckValue& { return o.graphics.animateNextBlock; }, {} },
        { "chkSpecWin", [](Options& o) -> CheckValue& { return o.graphics.animateSpecialWindow; }, {} },
        { "chkOnTop", [](Options& o) -> CheckValue& { return o.general.stayOnTop; }, { "applyStayOnTop 1" } },
        { "chkTaskbarIcon", [](Options& o) -> CheckValue& { return o.general.taskbarIcon; },
            { "applyTrayIcon 1" } },
        { "chkSounds", [](Options& o) -> CheckValue& { return o.sound.sounds; }, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        QCheckBox& box = named<QCheckBox>(c.box);
        const CheckValue start = c.value(options);
        EXPECT_EQ(box.checkState(), start == 1 ? Qt::Checked : Qt::Unchecked) << "shows the installed value";
        effects.calls.clear();
        QTest::mouseClick(&box, Qt::LeftButton);
        EXPECT_EQ(c.value(options), 1 - start);
        Calls expected{ "options" };
        expected.insert(expected.end(), c.effects.begin(), c.effects.end());
        EXPECT_EQ(effects.calls, expected);
        QTest::mouseClick(&box, Qt::LeftButton);
        EXPECT_EQ(c.value(options), start);
    }

    // A stored 2 shows greyed and becomes an ordinary value with the first click.
    options.graphics.leds = 2;
    page.showOptionValues();
    EXPECT_EQ(named<QCheckBox>("chkLeds").checkState(), Qt::PartiallyChecked);
    effects.calls.clear();
    QTest::mouseClick(&named<QCheckBox>("chkLeds"), Qt::LeftButton);
    EXPECT_EQ(options.graphics.leds, 1);
    EXPECT_EQ(effects.calls, (Calls{ "options", "showHeightLeds" }));
    EXPECT_TRUE(music.calls.empty()) << "showing values acts on nothing";
}

TEST_F(OptionsPageTest, TrailColourAndMusicBoxesChangeTheirOptions)
{
    dialogs.colorAnswers = { std::nullopt, 0x00FF00u };
    QPushButton& trail = named<QPushButton>("cmdTrailColor");
    QTest::mouseClick(&trail, Qt::LeftButton);
    EXPECT_EQ(options.graphics.dropColor, 0xFFFFFF) << "cancelled";
    EXPECT_TRUE(effects.calls.empty());
    QTest::mouseClick(&trail, Qt::LeftButton);
    EXPECT_EQ(options.graphics.dropColor, 0x00FF00);
    EXPECT_EQ(effects.calls, (Calls{ "GenerateTrail 65280" }));
    EXPECT_EQ(dialogs.calls.size(), 2u);

    MusicOptionsSection& section = page.musicSection();
    EXPECT_EQ(section.musicBox().checkState(), Qt::Checked);
    QTest::mouseClick(&section.themeMusicBox(), Qt::LeftButton);
    EXPECT_EQ(options.sound.useThemeMusic, 0);
    QTest::mouseClick(&section.musicBox(), Qt::LeftButton);
    EXPECT_EQ(options.sound.playMusic, 0);
    section.fileBox().clear();
    QTest::keyClicks(&section.fileBox(), QStringLiteral("tune.mid"));
    EXPECT_EQ(options.sound.lastMusic, "tune.mid");
    EXPECT_EQ(music.calls, (Calls{ "load:[None]", "stop", "free" }));
}

// The key-repeat bar keeps its value to 1..200 whether it comes from the settings or the keyboard,
// and the option follows the bar.
TEST_F(OptionsPageTest, KeyRepeatBarKeepsItsRange)
{
    const struct {
        int stored; // a value the settings gave, or
        Qt::Key key; // a key pressed on the bar
        int value;
    } steps[] = { { 100, {}, 100 }, { 0, {}, 1 }, { -5, {}, 1 }, { 1, {}, 1 }, { 200, {}, 200 },
        { 201, {}, 200 }, { 32767, {}, 200 }, { -1, Qt::Key_Right, 200 }, { -1, Qt::Key_Home, 1 },
        { -1, Qt::Key_Left, 1 }, { -1, Qt::Key_Right, 2 }, { -1, Qt::Key_End, 200 }, { 57, {}, 57 } };
    QScrollBar& bar = page.keyRepeatBar();
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << step.stored << " " << step.key);
        if (step.key) {
            QTest::keyClick(&bar, step.key);
        } else {
            options.controls.controlSensitivity = static_cast<int16_t>(step.stored);
            page.showOptionValues();
        }
        EXPECT_EQ(bar.value(), step.value);
        EXPECT_EQ(options.controls.controlSensitivity, step.value);
    }
}

TEST_F(OptionsPageTest, ThemeBoxShowsTheSettingAndIsTheOption)
{
    EXPECT_EQ(page.themeBox().text(), QStringLiteral("\\data\\default.kvx"));
    options.general.theme = "/home/ann/Gr\xFCn.kvx";
    page.showOptionValues();
    EXPECT_EQ(page.themeBox().text(), QStringLiteral("/home/ann/Grün.kvx"));
    page.themeBox().clear();
    QTest::keyClicks(&page.themeBox(), QStringLiteral("data/neon.kvx"));
    EXPECT_EQ(options.general.theme, "data/neon.kvx");
    // Whoever writes the box (the themes page) writes the option.
    page.themeBox().setText(QStringLiteral("\\data\\default.kvx"));
    EXPECT_EQ(options.general.theme, "\\data\\default.kvx");
}

} // namespace
} // namespace kalvon
