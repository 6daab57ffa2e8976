#include "common/atomicfile.h"
#include "render/themepaths.h"
#include "shellrig.h"
#include "window/fieldview.h"
#include "window/pages/chatpage.h"
#include "window/pages/fieldspage.h"
#include "window/pages/themespage.h"
#include "window/pictureview.h"

#include <QComboBox>
#include <QLabel>
#include <QTextEdit>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using ::testing::ElementsAre;
using testing::readFile;
using testing::ShellRig;

std::string settingsWith(const std::string& general, const std::string& sound = "playmusic=0\r\n")
{
    return "[General]\r\n" + general + "[Sound]\r\n" + sound;
}

// The progress values seen and the message boxes shown, by the configured theme.
TEST(StartupTest, ProgressValuesAndMessagesFollowTheConfiguredTheme)
{
    const std::vector<int> withKvx{ 0, 20, 30, 40, 45, 50, 60, 65, 70, 80, 90, 100 };
    const std::vector<int> withoutKvx{ 0, 20, 30, 45, 50, 60, 65, 70, 80, 90, 100 };
    const struct {
        const char* theme;
        std::vector<int> progress;
        std::vector<Bytes> messages;
    } cases[] = {
        { "\\data\\default.kvx", withKvx, {} },
        // The extension test ignores case, and so does the file's lookup.
        { "\\data\\DEFAULT.KVX", withKvx, {} },
        { "themes/old.tnp", withoutKvx, {} },
        { "mine.bmp", withoutKvx, { "Could Not Load mine.bmp" } },
        // A missing theme file is the loader's to report; the bar still passes 40.
        { "/nowhere/missing.kvx", withKvx, { "Could not load /nowhere/missing.kvx.\rLocation: Themetype" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.theme);
        ShellRig rig(settingsWith("gamemode=1\r\ntheme=" + std::string(c.theme) + "\r\n"));
        rig.load();
        EXPECT_EQ(rig.loading.progress, c.progress);
        EXPECT_EQ(rig.dialogs.messages(), c.messages);
        // Whatever failed, the default theme's pictures are in force and the skin drawn from them.
        EXPECT_EQ(rig.themes.CurrentTheme.ifacemain, "ifacemain.png");
        ASSERT_TRUE(rig.images.mainWindow);
        EXPECT_EQ(rig.skin.picTitleBar.pixel(300, 10), rig.images.mainWindow->pixel(300, 10));
        EXPECT_EQ(rig.loading.closes, 1);
    }
}

// The default theme is read first; a configured theme that is the same file (by any spelling of
// its path) is not read again, so a broken default theme reports its fault once. Another file
// is read after it.
TEST(StartupTest, TheConfiguredThemeIsReadAgainOnlyWhenItIsAnotherFile)
{
    const std::string brokenTheme = "[Theme Info]\r\nName=No type\r\n";
    const auto reportFor
        = [](const Bytes& file) { return "Could not load " + file + ".\rLocation: Themetype"; };
    for (const std::string theme :
        { "\\data\\default.kvx", "\\DATA\\Default.kvx", "<absolute>", "\\data\\other.kvx" }) {
        SCOPED_TRACE(theme);
        ShellRig rig;
        const std::filesystem::path data = rig.folder / "data";
        std::filesystem::remove(data);
        std::filesystem::create_directory(data);
        rig.folder.write("data/default.kvx", brokenTheme);
        rig.folder.write("data/other.kvx", brokenTheme);
        const std::string configured = theme == "<absolute>" ? pathText(data / "default.kvx") : theme;
        rig.folder.write("kalvon.ini", settingsWith("gamemode=1\r\ntheme=" + configured + "\r\n"));
        rig.load();
        std::vector<Bytes> expected{ reportFor(pathText(data / "default.kvx")) };
        if (theme == "\\data\\other.kvx")
            expected.push_back(reportFor(configuredThemePath(theme, rig.folder.path())));
        EXPECT_EQ(rig.dialogs.messages(), expected);
        EXPECT_EQ(rig.loading.closes, 1);
    }
}

TEST(StartupTest, LoadingWindowShowsTheStepsInOrderAndTheGameIsStartedInOrder)
{
    ShellRig rig(settingsWith("gamemode=2\r\n", "playmusic=1\r\nusethememusic=1\r\n"));
    rig.load();

    const Bytes defaultTheme = "Loading " + pathText(rig.folder / "data" / "default.kvx");
    std::vector<Bytes> steps;
    for (const Bytes& text : rig.loading.fileTexts) {
        if (text.rfind("Loading", 0) == 0 || text == "Initializing Controls")
            steps.push_back(text);
    }
    // The picture files of the theme come between the default theme and the GUI.
    EXPECT_THAT(steps,
        ElementsAre("Initializing Controls", "Loading Options", defaultTheme, "Loading GUI", "Loading Music",
            "Loading Complete!"));
    EXPECT_GT(rig.loading.fileTexts.size(), 50u);

    EXPECT_THAT(rig.game.calls,
        ElementsAre("KalvonGenerateFontTable", "GenerateTrail", "resetGameOptions", "gameModeChosen 1",
            "InitSound", "LoadGameMusic " + rig.themes.ThemeMusic));
    EXPECT_EQ(rig.themes.ThemeMusic, folderText(rig.folder / "tmp") + "music.ogg");
    EXPECT_EQ(rig.window.caption(), QStringLiteral("Kalvon v1.91"));
}

// The start-up texts reach their pages: the credits, the theme browser's title, the banner
// line in the specials log and its copy in the chat box, the theme's sound names.
TEST(StartupTest, StartupTextsReachTheirPages)
{
    ShellRig rig(settingsWith("gamemode=3\r\n"));
    rig.load();
    MainWindow& w = rig.window;
    const QString banner = QStringLiteral("--- Kalvon v1.91 By The Kalvon Project ---");
    EXPECT_EQ(w.fieldsPage().specialsLog().toPlainText(), banner);
    EXPECT_EQ(w.chatPage().chatBox().toPlainText(), banner);
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblThemeView"))->text(),
        QStringLiteral("Kalvon Theme Browser\nv1.0"));
    const QString credits = w.findChild<QLabel*>(QStringLiteral("lblCredits"))->text();
    for (const char* heading : { "Programming", "GUI", "Other Graphics", "Image Libary", "Special Thanks" })
        EXPECT_TRUE(credits.contains(QLatin1String(heading) + QStringLiteral("\n--------------------\n")))
            << heading;
    const QComboBox& sounds = w.themesPage().soundList();
    ASSERT_EQ(sounds.count(), 11);
    EXPECT_EQ(sounds.itemText(0), QStringLiteral("Start Game"));
    EXPECT_EQ(sounds.itemText(10), QStringLiteral("Holy Shield"));
    EXPECT_EQ(sounds.currentIndex(), 0);
}

// What the fields page shows after start-up for the game mode of the settings.
TEST(StartupTest, FieldsPageIsLaidOutForTheGameModeOfTheSettings)
{
    const struct {
        int mode;
        bool secondPanel, secondField, score, boards, helpButton;
    } cases[] = {
        { 1, false, true, true, false, true },
        { 2, true, true, false, false, true },
        { 3, false, false, false, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ShellRig rig(settingsWith("gamemode=" + std::to_string(c.mode) + "\r\n"));
        rig.load();
        MainWindow& w = rig.window;
        EXPECT_EQ(w.CurrentScreen(), Screen::Fields);
        EXPECT_TRUE(w.fieldsPage().sidePanel(1).isVisible());
        EXPECT_TRUE(w.fieldsPage().field(1).isVisible());
        EXPECT_EQ(w.fieldsPage().sidePanel(2).isVisible(), c.secondPanel);
        EXPECT_EQ(w.fieldsPage().field(2).isVisible(), c.secondField);
        EXPECT_EQ(w.fieldsPage().leds(2).isVisible(), c.secondField);
        EXPECT_EQ(w.fieldsPage().label(LabelId::Score, 1).isVisible(), c.score);
        EXPECT_EQ(w.fieldsPage().internetField(3).isVisible(), c.boards);
        EXPECT_EQ(w.fieldsPage().internetName(5).isVisible(), c.boards);
        EXPECT_EQ(w.fieldsPage().nameLabel(1).text(),
            c.mode == 3 ? QStringLiteral("1. (Not Playing)") : QStringLiteral("Player 1"));
        EXPECT_EQ(rig.state.GameMode, static_cast<GameMode>(c.mode));
    }
}

// --- shut-down ---

class ShutdownTest : public ::testing::Test {
protected:
    ShutdownTest()
        : rig(settingsWith("gamemode=1\r\n"))
    {
        rig.folder.write("banlist.txt", "10.0.0.1\r\n");
        rig.load();
    }

    ShellRig rig;
};

TEST_F(ShutdownTest, WritesSettingsScoresAndBanListThenEnds)
{
    rig.state.GameMode = GameMode::TwoPlayers;
    rig.bans.add("10.0.0.2");
    HighScoreTable table = defaultHighScores();
    table[0] = { "Ann", 5000 };
    rig.highScores.setTable(table);
    rig.form.unload();

    EXPECT_THAT(readFile(rig.folder / "kalvon.ini"), ::testing::HasSubstr("[General]\r\ngamemode=2\r\n"));
    EXPECT_EQ(readFile(rig.folder / "banlist.txt"), "10.0.0.1\r\n10.0.0.2\r\n");
    EXPECT_EQ(rig.scores.load(), table);
    EXPECT_EQ(rig.endProcessCalls, 1);
    // Offline: no quit message, no wait.
    EXPECT_THAT(rig.game.calls,
        ::testing::IsSupersetOf({ "stopTimers", "StopGameMusic", "BotUnlink", "CloseSound" }));
    EXPECT_TRUE(rig.pump.waits.empty());
    EXPECT_FALSE(rig.images.mainWindow);
    EXPECT_FALSE(rig.images.backBuffer);
}

// A settings folder that takes no new file (every write fails where a read-only folder makes it
// fail): each stored file is reported on its own, the old files stay, and the shut-down goes on.
// Ended from outside (a logout, a kill), the reports go to standard error: a box would keep the
// program waiting for nobody.
class FailedSaveTest : public ShutdownTest, public ::testing::WithParamInterface<bool> { };

TEST_P(FailedSaveTest, FilesThatCannotBeWrittenAreReportedAndTheShutDownGoesOn)
{
    const bool fromOutside = GetParam();
    const Bytes oldSettings = readFile(rig.folder / "kalvon.ini");
    rig.state.GameMode = GameMode::TwoPlayers;
    rig.bans.add("10.0.0.2");
    rig.dialogs.calls.clear();
    setAtomicWriteFaultForTesting([](std::string_view step) { return step != "open"; });
    ::testing::internal::CaptureStderr();
    if (fromOutside)
        rig.form.unloadFromOutside();
    else
        rig.form.unload();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    setAtomicWriteFaultForTesting(nullptr);

    const Bytes folder = pathText(rig.folder.path());
    const std::vector<Bytes> reports = { "Could not save the settings to " + folder + "/kalvon.ini!",
        "Could not save the high scores!", "Could not save the ban list to " + folder + "/banlist.txt!" };
    if (fromOutside) {
        EXPECT_TRUE(rig.dialogs.calls.empty());
        EXPECT_THAT(errors, ::testing::HasSubstr(reports[0] + "\n" + reports[1] + "\n" + reports[2] + "\n"));
    } else {
        EXPECT_EQ(rig.dialogs.messages(), reports);
    }
    for (const auto& call : rig.dialogs.calls) {
        EXPECT_EQ(call.title, "Error");
        EXPECT_EQ(call.icon, MessageIcon::Critical);
    }
    EXPECT_EQ(readFile(rig.folder / "kalvon.ini"), oldSettings);
    EXPECT_EQ(readFile(rig.folder / "banlist.txt"), "10.0.0.1\r\n");
    EXPECT_FALSE(std::filesystem::exists(rig.folder / "scores.ini"));
    EXPECT_THAT(rig.game.calls,
        ::testing::IsSupersetOf({ "stopTimers", "StopGameMusic", "BotUnlink", "CloseSound" }));
    EXPECT_FALSE(rig.images.mainWindow);
    EXPECT_EQ(rig.endProcessCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(ExitAndFromOutside, FailedSaveTest, ::testing::Bool());

// A second close while the quit message's wait runs returns at once: every step runs once.
TEST_F(ShutdownTest, SecondCloseDuringTheQuitWaitRunsNothingTwice)
{
    rig.state.GameMode = GameMode::Internet;
    rig.game.connected = true;
    rig.game.calls.clear();
    int secondCloses = 0;
    rig.pump.onWait = [&] {
        ++secondCloses;
        rig.window.close(); // the system's close asks for the unload again
    };
    QObject::connect(&rig.window, &MainWindow::unloadRequested, [&] { rig.form.unload(); });
    emit rig.window.unloadRequested();

    EXPECT_EQ(secondCloses, 1);
    EXPECT_THAT(rig.pump.waits, ElementsAre(100));
    // The timers stop after the wait, before anything is freed or written.
    EXPECT_THAT(rig.game.calls,
        ElementsAre("SendToServer %", "stopTimers", "StopGameMusic", "BotUnlink", "CloseSound"));
    EXPECT_EQ(rig.endProcessCalls, 1);
    EXPECT_THAT(readFile(rig.folder / "kalvon.ini"), ::testing::HasSubstr("gamemode=3\r\n"));
}

TEST_F(ShutdownTest, NoQuitMessageWithoutAConnectionOrOutsideInternetPlay)
{
    const std::pair<GameMode, bool> cases[]
        = { { GameMode::Internet, false }, { GameMode::OnePlayer, true } };
    for (const auto& [mode, connected] : cases) {
        ShellRig other(settingsWith("gamemode=1\r\n"));
        other.load();
        other.state.GameMode = mode;
        other.game.connected = connected;
        other.form.unload();
        EXPECT_EQ(std::count(other.game.calls.begin(), other.game.calls.end(), "SendToServer %"), 0);
        EXPECT_TRUE(other.pump.waits.empty());
        EXPECT_EQ(other.endProcessCalls, 1);
    }
}

// A request to end the program while it comes up (the close box, a logout) waits for the load:
// written earlier, the settings, scores and ban list would lose what was not read yet.
TEST(StartupShutdownTest, UnloadAskedDuringTheLoadRunsOnceTheLoadIsDone)
{
    ShellRig rig(settingsWith("gamemode=2\r\n"));
    rig.folder.write("banlist.txt", "10.0.0.1\r\n");
    HighScoreTable table = defaultHighScores();
    table[0] = { "Ann", 5000 };
    ASSERT_TRUE(rig.scores.SaveHighScores(table));
    bool askedWhileLoading = false;
    int closesAtEnd = -1;
    rig.form.setEndProcess([&] {
        ++rig.endProcessCalls;
        closesAtEnd = rig.loading.closes;
    });
    // Runs in the load's first yield, before the settings are read; asked twice, as by a second
    // signal.
    QTimer::singleShot(0, [&] {
        askedWhileLoading = rig.loading.visible;
        rig.form.unload();
        rig.form.unload();
    });
    rig.load();

    EXPECT_TRUE(askedWhileLoading);
    EXPECT_EQ(rig.endProcessCalls, 1);
    EXPECT_EQ(closesAtEnd, 1) << "ended after the load";
    EXPECT_TRUE(rig.form.unloading());
    EXPECT_THAT(readFile(rig.folder / "kalvon.ini"), ::testing::HasSubstr("[General]\r\ngamemode=2\r\n"));
    EXPECT_EQ(readFile(rig.folder / "banlist.txt"), "10.0.0.1\r\n");
    EXPECT_EQ(rig.scores.load(), table);
}

// Asked before the load began, the program ends with nothing read and so nothing written, and
// the load that follows does not run.
TEST(StartupShutdownTest, UnloadAskedBeforeTheLoadEndsWritingNothing)
{
    const std::string settings = "[General]\ngamemode=2\n";
    ShellRig rig(settings);
    rig.folder.write("banlist.txt", "10.0.0.1\n");
    rig.form.unload();
    rig.load();

    EXPECT_EQ(rig.endProcessCalls, 1);
    EXPECT_TRUE(rig.loading.progress.empty());
    EXPECT_TRUE(rig.game.calls.empty());
    EXPECT_EQ(readFile(rig.folder / "kalvon.ini"), settings);
    EXPECT_EQ(readFile(rig.folder / "banlist.txt"), "10.0.0.1\n");
    EXPECT_FALSE(std::filesystem::exists(rig.folder / "scores.ini"));
}

} // namespace
} // namespace kalvon
