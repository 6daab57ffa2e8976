// The small windows and the chrome of the main window: the loading bar, the label colours, the
// title bar's boxes and focus rules, the help window and the tray icon.

#include "engine/state.h"
#include "render/windowskin.h"
#include "skinfixture.h"
#include "window/fieldview.h"
#include "window/helpwindow.h"
#include "window/loadingwindow.h"
#include "window/mainwindow.h"
#include "window/pages/fieldspage.h"
#include "window/pictureview.h"
#include "window/trayicon.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::bmpOf;
using testing::ScratchFolder;

TEST(LoadingWindowTest, BarGrowsFromTheLeftByTheRoundedPerCent)
{
    ScratchFolder folder;
    QImage bar(433, 17, QImage::Format_RGB32);
    bar.fill(0xff00ff00);
    bar.save(QString::fromStdString((folder / "loadingbar.png").string()));
    LoadingWindow window(folder.path());

    // 45 % is 194.85 pixels; 50 % is 216.5, which rounds to the even 216.
    const std::pair<int, int> cases[] = { { 0, 0 }, { 45, 195 }, { 50, 216 }, { 100, 433 } };
    for (const auto& [percent, width] : cases) {
        SCOPED_TRACE(percent);
        EXPECT_EQ(loadingBarWidth(percent), width);
        window.setProgress(percent);
        const Surface& drawn = window.progressPicture();
        if (width > 0) {
            EXPECT_EQ(drawn.pixel(width - 1, 8), 0xff00ff00u);
        }
        if (width < 433) {
            EXPECT_NE(drawn.pixel(width, 8), 0xff00ff00u);
        }
    }
    // A smaller value after a larger one shrinks the bar again.
    window.setProgress(45);
    window.setProgress(20);
    EXPECT_NE(window.progressPicture().pixel(100, 8), 0xff00ff00u);
}

class ChromeTest : public ::testing::Test {
protected:
    ChromeTest()
    {
        window.setGameState(state);
        DrawInterface(skin, fixture.loading);
        window.show();
        window.ShowFieldScreen();
    }

    HitArea* hitAreaAt(QPoint topLeft)
    {
        for (HitArea* area : window.findChildren<HitArea*>()) {
            if (area->mapTo(&window, QPoint(0, 0)) == topLeft && !qobject_cast<PictureView*>(area))
                return area;
        }
        return nullptr;
    }

    testing::SkinFixture fixture;
    WindowSkin skin;
    Themes themes;
    EngineState state;
    MainWindow window{ skin, fixture.images, themes };
};

TEST_F(ChromeTest, LabelsTakeTheThemesColours)
{
    ColorTable colors{};
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = int32_t(0x10 * (i + 1)) | int32_t(0x80) << 8; // R varies, G 128, B 0
    window.ApplyThemeLabelColors(colors);
    const auto textColor = [](const QLabel& label) { return label.palette().color(QPalette::WindowText); };
    const QColor title(0x10, 0x80, 0), fields(0x30, 0x80, 0), internet(0x70, 0x80, 0);
    EXPECT_EQ(textColor(window.captionLabel()), title);
    EXPECT_EQ(textColor(window.fieldsPage().label(LabelId::Lines, 2)), fields);
    EXPECT_EQ(textColor(window.fieldsPage().label(LabelId::Spec, 1)), fields);
    EXPECT_EQ(textColor(window.fieldsPage().label(LabelId::Score, 1)), fields);
    EXPECT_EQ(textColor(window.fieldsPage().linesPerMinute(2)), fields);
    EXPECT_EQ(textColor(window.fieldsPage().nameLabel(2)), fields);
    EXPECT_EQ(textColor(window.fieldsPage().internetName(4)), internet);
    // The pages' captions, each page by its own colour.
    const struct {
        const char* label;
        QColor color;
    } pageLabels[] = {
        { "lblOptionMenu(0)", QColor(0x40, 0x80, 0) },
        { "lblOptionMenu(28)", QColor(0x40, 0x80, 0) },
        { "lblClient(0)", QColor(0x60, 0x80, 0) },
        { "lblCredits", QColor(0x60, 0x80, 0) },
        { "lblServerMenu(14)", QColor(0x50, 0x80, 0) },
        { "lblHeight(5)", QColor(0x50, 0x80, 0) },
        { "lblThemeMenu(10)", QColor(0x20, 0x80, 0) },
        { "lblThemeView", QColor(0x20, 0x80, 0) },
        { "lblThemeAuthor", QColor(0x20, 0x80, 0) },
    };
    for (const auto& pageLabel : pageLabels) {
        const auto* label = window.findChild<QLabel*>(QLatin1String(pageLabel.label));
        ASSERT_TRUE(label) << pageLabel.label;
        EXPECT_EQ(textColor(*label), pageLabel.color) << pageLabel.label;
    }

    // A theme without colours (white) replaces them all.
    ColorTable white;
    white.fill(0xFFFFFF);
    window.ApplyThemeLabelColors(white);
    EXPECT_EQ(textColor(window.fieldsPage().label(LabelId::Level, 1)), QColor(Qt::white));
    EXPECT_EQ(textColor(window.fieldsPage().internetName(1)), QColor(Qt::white));
    EXPECT_EQ(textColor(*window.findChild<QLabel*>(QStringLiteral("lblServerMenu(0)"))), QColor(Qt::white));
}

TEST_F(ChromeTest, CloseBoxAndTheSystemsCloseAskForTheUnloadMinimiseBoxMinimises)
{
    QSignalSpy unload(&window, &MainWindow::unloadRequested);
    HitArea* exitBox = hitAreaAt({ 618, 2 });
    HitArea* minimiseBox = hitAreaAt({ 596, 2 });
    ASSERT_TRUE(exitBox && minimiseBox);

    QTest::mouseClick(exitBox, Qt::LeftButton);
    EXPECT_EQ(unload.count(), 1);
    // The close is refused: the shut-down sequence ends the program itself.
    EXPECT_FALSE(window.close());
    EXPECT_EQ(unload.count(), 2);
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(minimiseBox, Qt::LeftButton);
    EXPECT_TRUE(window.isMinimized());
}

TEST_F(ChromeTest, DecorationsGiveTheFieldTheKeyboardOnlyOnTheFieldsPage)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    HitArea* caption = hitAreaAt({ 24, 3 });
    ASSERT_TRUE(caption);
    const struct {
        const char* what;
        QWidget* target;
    } decorations[] = {
        { "caption", caption },
        { "player 1's panel", &window.fieldsPage().sidePanel(1) },
        { "player 1's LEDs", &window.fieldsPage().leds(1) },
        { "next-piece window", &window.fieldsPage().nextPiece(1) },
    };
    for (const auto& d : decorations) {
        SCOPED_TRACE(d.what);
        window.fieldsPage().field(1).clearFocus();
        ASSERT_FALSE(window.fieldsPage().field(1).hasFocus());
        QTest::mousePress(d.target, Qt::RightButton, {}, QPoint(1, 1));
        QTest::mouseRelease(d.target, Qt::RightButton, {}, QPoint(1, 1));
        EXPECT_TRUE(window.fieldsPage().field(1).hasFocus());
    }

    window.ShowOptionsScreen();
    EXPECT_EQ(window.CurrentScreen(), Screen::Options);
    EXPECT_FALSE(window.fieldsPage().field(1).isVisible());
    window.fieldsPage().field(1).clearFocus();
    QTest::mousePress(caption, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(caption, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(window.fieldsPage().field(1).hasFocus());
}

TEST_F(ChromeTest, AsTheGamesWindowTheTalkBoxAndTheMenusExitAndHelpReachTheWindow)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    GameWindow& game = window;
    QLineEdit& talk = window.fieldsPage().talkBox();

    game.openTalkBox(true);
    EXPECT_TRUE(talk.isVisible());
    EXPECT_EQ(talk.text(), QStringLiteral("/sayteam "));
    EXPECT_EQ(talk.cursorPosition(), 9) << "the caret after the command";
    EXPECT_TRUE(talk.hasFocus());
    game.closeTalkBox();
    EXPECT_FALSE(talk.isVisible());
    EXPECT_TRUE(talk.text().isEmpty());
    EXPECT_TRUE(window.fieldsPage().field(1).hasFocus()) << "the field takes the keyboard back";

    std::vector<bool> modal;
    window.setAroundModal([&modal](bool after) { modal.push_back(after); });
    game.ClearTopmost();
    game.ApplyStayOnTop();
    EXPECT_EQ(modal, (std::vector<bool>{ false, true }));

    QSignalSpy unload(&window, &MainWindow::unloadRequested);
    QSignalSpy help(&window, &MainWindow::helpRequested);
    game.closeWindow();
    game.ShowHelp();
    EXPECT_EQ(unload.count(), 1);
    EXPECT_EQ(help.count(), 1);
}

// --- help ---

TEST(HelpWindowTest, OpensAtTheIndexWhoseLinksAllReachAPage)
{
    const std::filesystem::path help = std::filesystem::path(KALVON_DATA_DIR) / "help";
    HelpWindow window(help);
    window.ShowHelp();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.browser().source().fileName(), QStringLiteral("index.html"));
    EXPECT_EQ(window.browser().documentTitle(), QStringLiteral("Kalvon Help"));

    // Every page named by a link of any page exists, and every page leads back to the index.
    for (const auto& entry : std::filesystem::directory_iterator(help)) {
        if (entry.path().extension() != ".html")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const QString page = QString::fromStdString(testing::readFile(entry.path()));
        const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
        for (auto match = link.globalMatch(page); match.hasNext();) {
            const std::string target = match.next().captured(1).toStdString();
            EXPECT_TRUE(std::filesystem::is_regular_file(help / target)) << target;
        }
        if (entry.path().filename() != "index.html") {
            EXPECT_TRUE(page.contains(QStringLiteral("href=\"index.html\"")));
        }
    }
}

TEST(HelpWindowTest, MissingHelpIsSaidInTheWindow)
{
    ScratchFolder folder;
    HelpWindow window(folder / "nohelp");
    window.ShowHelp();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.browser().toPlainText().contains(QStringLiteral("nohelp/index.html")));
}

// --- tray ---

TEST(TrayIconTest, WithoutATrayNothingIsAddedAndAClickRestoresTheWindow)
{
    QWidget mainWindow;
    TrayIcon tray(mainWindow, QIcon(), QStringLiteral("Kalvon v1.91"));
    tray.applyOption(1);
    EXPECT_EQ(tray.isShown(), QSystemTrayIcon::isSystemTrayAvailable());
    tray.applyOption(0);
    EXPECT_FALSE(tray.isShown());
    tray.remove(); // removing what is not there is harmless

    tray.restoreWindow();
    EXPECT_TRUE(mainWindow.isVisible());
}

} // namespace
} // namespace kalvon
