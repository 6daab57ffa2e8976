// The editor program through its real widgets (offscreen), with scripted dialogs, the fake clock
// and a recording sound: a whole session from New to Exit that writes the theme file and kvm.ini
// byte for byte; Save failures; the save question of Exit; Ctrl+A in and outside a text box;
// the default theme loaded and saved back; the splash, the pages and the About window.

#include "common/atomicfile.h"
#include "editor/aboutwindow.h"
#include "editor/editorprogram.h"
#include "editor/editorwindow.h"
#include "editor/model/editorstate.h"
#include "editor/model/filecommands.h"
#include "editor/splashwindow.h"
#include "editortesting.h"
#include "recordingeditorsound.h"
#include "support/fakeclock.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "support/zipbuilder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::editor::testing::fixtureBytes;
using kalvon::editor::testing::RecordingEditorSound;
using kalvon::testing::FakeClock;
using kalvon::testing::readFile;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

namespace {

struct ProgramRig {
    ScratchFolder programDir;
    ScratchFolder tempDir;
    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordingEditorSound sound;
    std::vector<QString> linksOpened;
    int ended = 0;
    std::unique_ptr<EditorProgram> program;

    explicit ProgramRig(const std::string& kvmIni = {})
    {
        if (!kvmIni.empty())
            programDir.write("kvm.ini", kvmIni);
        program = std::make_unique<EditorProgram>(programDir.path(), tempDir.path(),
            EditorServices{
                &dialogs, &clock, &sound, [this](const QString& url) { linksOpened.push_back(url); } });
        program->setEndProcess([this] { ++ended; });
    }

    EditorState& state() { return program->state(); }
    EditorWindow& window() { return program->window(); }

    template <typename T> T* widget(const char* name)
    {
        T* found = window().findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    void trigger(const char* action) { window().action(QString::fromLatin1(action))->trigger(); }

    void showTab(int index)
    {
        QTabBar* bar = window().tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    // Replaces a text box's text as a user would.
    void type(const char* box, const QString& text)
    {
        QLineEdit* edit = widget<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    void click(const char* name) { QTest::mouseClick(widget<QAbstractButton>(name), Qt::LeftButton); }

    Bytes resourceFile(const char* name) { return state().files().ResourceDir + name; }
};

} // namespace

TEST(EditorProgram, ASessionFromNewToExitWritesTheThemeAndTheConfiguration)
{
    // A configuration with a value that does not convert: that key takes its default.
    ProgramRig rig("[Sound Mixer]\r\nfrequency=22050\r\nnumchannels=lots\r\noutput=2\r\n");
    const auto archive = rig.programDir / "night.zip";
    kalvon::testing::ZipBuilder(archive).file("bg1.png", "x").file("start.wav", "x");
    rig.program->openEditor();
    EXPECT_EQ(rig.sound.calls, std::vector<std::string>{ "InitSound 22050 8 2" });
    rig.trigger("mnuNewTheme");
    EXPECT_TRUE(rig.dialogs.calls.empty());

    rig.type("txtThemeName", QStringLiteral("Night Shift"));
    rig.type("txtAuthor", QStringLiteral("Kalvon Tester"));
    rig.type("txtVersion", QStringLiteral("0.9"));
    rig.dialogs.fileAnswers.push_back(Bytes(archive.string()));
    rig.click("cmdBrowseResource");
    rig.type("txtResource", QStringLiteral("night.zip"));

    rig.showTab(2);
    rig.click("chkBG");
    rig.click("chkBGAni");
    rig.dialogs.fileAnswers.push_back(rig.resourceFile("bg1.png"));
    rig.click("cmdBrowseBG");
    rig.type("txtBGNum", QStringLiteral("8"));
    rig.type("txtBGDelay", QStringLiteral("40"));
    rig.click("chkBGReverse");

    rig.showTab(4);
    QComboBox* sets = rig.widget<QComboBox>("cmbMisc");
    QTest::keyClick(sets, Qt::Key_Down);
    QTest::keyClick(sets, Qt::Key_Down);
    EXPECT_TRUE(rig.state().visible("chkColor"));
    rig.click("chkColor");
    rig.dialogs.colorAnswers.push_back(0x0000FFu);
    rig.click("cmdBrowseColor(0)");

    rig.showTab(5);
    rig.click("chkSounds");
    rig.dialogs.fileAnswers.push_back(rig.resourceFile("start.wav"));
    rig.click("cmdBrowseSound(2)");
    rig.type("txtShieldSound", QStringLiteral("shield.wav"));

    rig.showTab(0);
    rig.click("cmdGenerateDescription");
    EXPECT_TRUE(rig.state().Changed());

    const auto themeFile = rig.programDir / "night.kvx";
    rig.dialogs.fileAnswers.push_back(Bytes(themeFile.string()));
    rig.trigger("mnuSaveAs");
    EXPECT_FALSE(rig.state().Changed());
    EXPECT_EQ(rig.state().files().CurrentFile, themeFile.string());
    EXPECT_TRUE(rig.dialogs.messages().empty());

    rig.trigger("mnuExit");
    EXPECT_EQ(rig.ended, 1);
    EXPECT_EQ(rig.sound.calls.back(), "CloseSound");
    EXPECT_EQ(readFile(themeFile), fixtureBytes("session-theme.kvx"));
    EXPECT_EQ(readFile(rig.programDir / "kvm.ini"), fixtureBytes("session-kvm.ini"));
    // The save dialog starts nowhere in particular and offers theme files.
    const auto save = std::find_if(rig.dialogs.calls.begin(), rig.dialogs.calls.end(),
        [](const auto& call) { return call.kind == "save"; });
    ASSERT_NE(save, rig.dialogs.calls.end());
    EXPECT_EQ(save->file.filter, kThemeFilter);
    EXPECT_EQ(save->file.initialDir, "");
}

TEST(EditorProgram, AFailedSaveSaysSoAndKeepsTheEditsUnsaved)
{
    ProgramRig rig;
    rig.program->openEditor();
    rig.type("txtThemeName", QStringLiteral("Lost"));
    const Bytes unwritable = (rig.programDir / "no such folder" / "lost.kvx").string();
    rig.state().files().CurrentFile = unwritable;
    rig.trigger("mnuSaveTheme");
    EXPECT_EQ(rig.dialogs.messages(), std::vector<Bytes>{ "Could not save " + unwritable });
    EXPECT_EQ(rig.dialogs.calls.back().title, "Error");
    EXPECT_EQ(rig.dialogs.calls.back().icon, MessageIcon::Critical);
    EXPECT_TRUE(rig.state().Changed());

    // Save As to a file that cannot be written: the same message, the current file kept.
    const Bytes elsewhere = (rig.programDir / "missing" / "other.kvx").string();
    rig.dialogs.fileAnswers.push_back(elsewhere);
    rig.trigger("mnuSaveAs");
    EXPECT_EQ(rig.dialogs.messages().back(), "Could not save " + elsewhere);
    EXPECT_TRUE(rig.state().Changed());
    EXPECT_EQ(rig.state().files().CurrentFile, unwritable);
}

TEST(EditorProgram, ExitAsksBeforeThrowingEditsAway)
{
    struct Case {
        std::vector<MessageAnswer> answers;
        bool ends;
    };
    const Case cases[] = {
        { { MessageAnswer::Cancel }, false },
        { { MessageAnswer::No }, true },
        // Yes, then the Save As dialog cancelled: the editor stays.
        { { MessageAnswer::Yes }, false },
    };
    for (const Case& c : cases) {
        ProgramRig rig;
        rig.program->openEditor();
        rig.window().show();
        rig.type("txtAuthor", QStringLiteral("Me"));
        rig.dialogs.messageAnswers.assign(c.answers.begin(), c.answers.end());
        rig.window().close();
        EXPECT_EQ(rig.dialogs.calls.front().text, kDiscardQuestion);
        EXPECT_EQ(rig.dialogs.calls.front().title, "Caution");
        EXPECT_EQ(rig.dialogs.calls.front().buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(rig.ended, c.ends ? 1 : 0);
        EXPECT_EQ(rig.window().isVisible(), !c.ends);
        EXPECT_EQ(std::filesystem::exists(rig.programDir / "kvm.ini"), c.ends);
    }
}

// Ended from outside (a logout, a kill), the editor asks nothing: the edited theme stays
// unsaved, kvm.ini is written once. Before the editing window opened nothing is written.
TEST(EditorProgram, AnEndFromOutsideAsksNothingAndWritesOnlyTheConfiguration)
{
    const std::string kvmIni = "[Sound Mixer]\nfrequency=22050\n";
    const struct {
        const char* name;
        bool open;
        bool duringTheQuestion; // the end comes while Exit's save question is shown
    } cases[] = {
        { "editing", true, false },
        { "during the save question", true, true },
        { "behind the splash", false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramRig rig(kvmIni);
        rig.program->start();
        const auto themeFile = rig.programDir / "mine.kvx";
        if (c.open) {
            rig.program->openEditor();
            rig.type("txtAuthor", QStringLiteral("Me"));
            rig.state().files().CurrentFile = themeFile.string();
        }
        if (c.duringTheQuestion) {
            // The box, ended with the program, answers No: nothing runs a second time.
            rig.dialogs.whileMessageShown = [&] { rig.program->endWithoutQuestion(); };
            rig.dialogs.messageAnswers.push_back(MessageAnswer::No);
            rig.trigger("mnuExit");
        } else {
            rig.program->endWithoutQuestion();
            EXPECT_TRUE(rig.dialogs.calls.empty());
        }
        rig.program->endWithoutQuestion();

        EXPECT_EQ(rig.ended, 1);
        EXPECT_FALSE(rig.window().isVisible());
        EXPECT_FALSE(rig.program->splash()->isVisible());
        EXPECT_FALSE(std::filesystem::exists(themeFile));
        if (c.open) {
            EXPECT_EQ(std::count(rig.sound.calls.begin(), rig.sound.calls.end(), "CloseSound"), 1);
            // Rewritten in the program's own form, the user's frequency kept.
            EXPECT_THAT(readFile(rig.programDir / "kvm.ini"),
                ::testing::HasSubstr("[Sound Mixer]\r\nfrequency=22050\r\n"));
        } else {
            EXPECT_TRUE(rig.sound.calls.empty());
            EXPECT_EQ(readFile(rig.programDir / "kvm.ini"), kvmIni);
            // A key on the splash afterwards opens nothing.
            QTest::keyClick(rig.program->splash(), Qt::Key_Space);
            EXPECT_FALSE(rig.window().isVisible());
        }
    }
}

// kvm.ini that cannot be written at the end is reported; the editor still ends. Ended from
// outside, the report goes to standard error: a box would keep the program waiting for nobody.
TEST(EditorProgram, ASettingsFileThatCannotBeWrittenAtExitIsReported)
{
    for (const bool fromOutside : { false, true }) {
        SCOPED_TRACE(fromOutside ? "from outside" : "Exit");
        ProgramRig rig;
        rig.program->openEditor();
        rig.window().show();
        const auto config = rig.program->configFile();
        setAtomicWriteFaultForTesting([](std::string_view step) { return step != "open"; });
        ::testing::internal::CaptureStderr();
        if (fromOutside)
            rig.program->endWithoutQuestion();
        else
            rig.trigger("mnuExit");
        const std::string errors = ::testing::internal::GetCapturedStderr();
        setAtomicWriteFaultForTesting(nullptr);

        const std::string text = "Could not save the settings to " + config.string() + "!";
        if (fromOutside) {
            EXPECT_TRUE(rig.dialogs.calls.empty());
            EXPECT_THAT(errors, ::testing::HasSubstr(text + "\n"));
        } else {
            ASSERT_EQ(rig.dialogs.calls.size(), 1U);
            EXPECT_EQ(rig.dialogs.calls[0].text, text);
            EXPECT_EQ(rig.dialogs.calls[0].title, "Error");
            EXPECT_EQ(rig.dialogs.calls[0].icon, MessageIcon::Critical);
        }
        EXPECT_FALSE(std::filesystem::exists(config));
        EXPECT_EQ(rig.sound.calls.back(), "CloseSound");
        EXPECT_EQ(rig.ended, 1);
        EXPECT_FALSE(rig.window().isVisible());
    }
}

TEST(EditorProgram, CtrlASelectsTheTextOfATextBoxAndIsSaveAsElsewhere)
{
    ProgramRig rig;
    rig.program->openEditor();
    EditorWindow& window = rig.window();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto saveDialogs = [&] {
        return std::count_if(rig.dialogs.calls.begin(), rig.dialogs.calls.end(),
            [](const auto& call) { return call.kind == "save"; });
    };

    QLineEdit* name = rig.widget<QLineEdit>("txtThemeName");
    name->setFocus();
    name->setCursorPosition(0);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(name->selectedText(), QStringLiteral("Kalvon Theme"));
    EXPECT_EQ(saveDialogs(), 0);

    QTabBar* tabs = window.tabs()->tabBar();
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(saveDialogs(), 1);
    // The cancelled Save As marks the theme changed.
    EXPECT_TRUE(rig.state().Changed());
}

TEST(EditorProgram, TheDefaultThemeLoadsAndSavesBackUnchanged)
{
    ProgramRig rig;
    const auto themes = rig.programDir / "themes";
    std::filesystem::create_directories(themes);
    for (const char* file : { "default.kvx", "default.zip" })
        std::filesystem::copy_file(std::filesystem::path(KALVON_DATA_DIR) / file, themes / file);
    rig.program->openEditor();
    rig.dialogs.fileAnswers.push_back(Bytes((themes / "default.kvx").string()));
    rig.trigger("mnuLoadTheme");
    EXPECT_EQ(rig.dialogs.calls.front().file.initialDir, rig.programDir.path().string() + "/data/");
    EXPECT_TRUE(rig.dialogs.messages().empty());
    // A load changes the controls: the theme counts as changed.
    EXPECT_TRUE(rig.state().Changed());
    rig.trigger("mnuSaveTheme");
    EXPECT_FALSE(rig.state().Changed());
    EXPECT_EQ(
        readFile(themes / "default.kvx"), readFile(std::filesystem::path(KALVON_DATA_DIR) / "default.kvx"));
}

TEST(EditorProgram, TheSplashOpensTheEditorOnceOnAClickOrAKey)
{
    ProgramRig rig;
    rig.program->start();
    SplashWindow* splash = rig.program->splash();
    ASSERT_TRUE(splash->isVisible());
    QTest::mouseClick(splash->findChild<QLabel*>(QStringLiteral("lblCredits")), Qt::LeftButton);
    QTest::keyClick(splash, Qt::Key_Space);
    EXPECT_TRUE(rig.window().isVisible());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_EQ(rig.sound.calls, std::vector<std::string>{ "InitSound 44100 8 1" });
    EXPECT_EQ(
        splash->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0.0"));
}

TEST(EditorProgram, PagesSetTheWindowHeightAndStopThePreviewsTheyHide)
{
    ProgramRig rig;
    rig.program->openEditor();
    const int usual = rig.window().height();
    rig.showTab(2);
    EXPECT_EQ(rig.window().height() - usual, (7315 - 6475) / 15);
    EXPECT_TRUE(rig.window().action(QStringLiteral("mnuBG"))->isChecked());

    rig.click("chkBG");
    rig.click("chkBGAni");
    rig.type("txtBGNum", QStringLiteral("2"));
    rig.type("txtBStart", QStringLiteral("bg1.bmp"));
    rig.click("cmdPreviewBG");
    EXPECT_TRUE(rig.state().timerEnabled("tmrBGPreview"));

    rig.window().action(QStringLiteral("mnuBLK"))->trigger();
    EXPECT_EQ(rig.window().tabs()->currentIndex(), 3);
    EXPECT_FALSE(rig.state().timerEnabled("tmrBGPreview"));
    EXPECT_EQ(rig.window().height(), usual);
}

TEST(EditorProgram, TheAboutWindowIsOneWindowWithItsLink)
{
    ProgramRig rig;
    rig.program->openEditor();
    rig.trigger("mnuAbout");
    AboutWindow* about = rig.program->about();
    ASSERT_TRUE(about);
    rig.trigger("mnuAbout");
    EXPECT_EQ(rig.window().findChildren<AboutWindow*>().size(), 1);
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Kalvon Theme Maker"));
    emit about->findChild<QLabel*>(QStringLiteral("lblLink"))
        ->linkActivated(QStringLiteral("https://kalvon.example.org/"));
    EXPECT_EQ(rig.linksOpened, std::vector<QString>{ QStringLiteral("https://kalvon.example.org/") });
}
