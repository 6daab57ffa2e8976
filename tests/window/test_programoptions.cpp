// The options page inside the whole program over a scratch program folder: its boxes reach the
// drawing of the fields and LEDs, the engine's options and the window's stay-on-top state at once, it shows
// the settings read at start-up, a key captured with real events is in kalvon.ini when the program ends, and
// a capture during a game takes the keyboard from the field.

#include "engine/gameengine.h"
#include "engine/store/options.h"
#include "game/gamecore.h"
#include "platform/surface.h"
#include "programfolder.h"
#include "support/enginestateaccess.h"
#include "window/fieldview.h"
#include "window/gameprogram.h"
#include "window/mainwindow.h"
#include "window/pages/fieldspage.h"
#include "window/pages/optionspage.h"
#include "window/pictureview.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::ProgramFolder;
using testing::readFile;

class ProgramOptionsTest : public ::testing::Test {
protected:
    ProgramOptionsTest()
    {
        folder.write("kalvon.ini",
            "[General]\r\ngamemode=1\r\ntheme=\\data\\default.kvx\r\n[Graphics]\r\nleds=1\r\nkalvondoor=1\r\n"
            "[Controls]\r\ncontrolsensitivity=37\r\np1rotate=38\r\np2rotate=87\r\n");
        program = std::make_unique<GameProgram>(folder.path(), folder.tempDir());
        program->setEndProcess([] {});
        program->start();
        window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
        window().ShowOptionsScreen();
    }

    MainWindow& window() { return program->window(); }
    template <class Control> Control& named(const char* name)
    {
        auto* control = window().findChild<Control*>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return *control;
    }

    ProgramFolder folder;
    std::unique_ptr<GameProgram> program;
};

TEST_F(ProgramOptionsTest, BoxesReachTheDrawingTheEngineAndTheWindowAtOnce)
{
    const Surface& field = *window().fieldsPage().field(1).surface();
    const Surface closedDoors = field;
    QTest::mouseClick(&named<QCheckBox>("chkDoor"), Qt::LeftButton);
    EXPECT_EQ(program->options().graphics.door, 0);
    EXPECT_NE(field.pixel(48, 176), closedDoors.pixel(48, 176)) << "the field without its doors";
    QTest::mouseClick(&named<QCheckBox>("chkDoor"), Qt::LeftButton);
    EXPECT_EQ(field.pixel(48, 176), closedDoors.pixel(48, 176));

    // A locked block in the bottom row lights player 1's LED there.
    EngineState& state = testing::writableState(program->core().engine());
    state.FieldOccupied[1][0][21] = kCellOccupied;
    const Surface& led = *window().fieldsPage().leds(1).surface();
    QTest::mouseClick(&named<QCheckBox>("chkLeds"), Qt::LeftButton);
    EXPECT_EQ(led.pixel(1, 345) & 0xFFFFFF, led.pixel(1, 0) & 0xFFFFFF) << "cleared";
    QTest::mouseClick(&named<QCheckBox>("chkLeds"), Qt::LeftButton);
    EXPECT_NE(led.pixel(1, 345) & 0xFFFFFF, led.pixel(1, 0) & 0xFFFFFF) << "lit in the bottom row";

    // The engine's options follow at once, with no game running (the client's chat sound asks
    // them).
    const EngineOptions& engineOptions = program->core().engine().state().Options;
    EXPECT_TRUE(engineOptions.sounds) << "from the start";
    QTest::mouseClick(&named<QCheckBox>("chkSounds"), Qt::LeftButton);
    EXPECT_FALSE(engineOptions.sounds);
    QTest::mouseClick(&named<QCheckBox>("chkShadows"), Qt::LeftButton);
    EXPECT_EQ(engineOptions.shadows, program->options().graphics.shadows == 1);

    QTest::mouseClick(&named<QCheckBox>("chkOnTop"), Qt::LeftButton);
    EXPECT_TRUE(window().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::mouseClick(&named<QCheckBox>("chkOnTop"), Qt::LeftButton);
    EXPECT_FALSE(window().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(ProgramOptionsTest, ShowsTheSettingsAndWritesACapturedKeyAtExit)
{
    OptionsPage& page = window().optionsPage();
    EXPECT_EQ(page.themeBox().text(), QStringLiteral("\\data\\default.kvx"));
    EXPECT_EQ(page.keyRepeatBar().value(), 37);
    EXPECT_EQ(page.playerKeyButton(2, 0).text(), QStringLiteral("Rotate Right: W"));

    QTest::mouseClick(&page.playerKeyButton(1, 0), Qt::LeftButton);
    EXPECT_EQ(window().caption(), QStringLiteral("Press Desired Key(BackSpace For None)..."));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_W);
    EXPECT_EQ(window().caption(), QStringLiteral("Kalvon v1.91"));
    EXPECT_EQ(page.playerKeyButton(1, 0).text(), QStringLiteral("Rotate Right: W"));
    EXPECT_EQ(page.playerKeyButton(2, 0).text(), QStringLiteral("Rotate Right: [None]"));

    window().close();
    const std::string written = readFile(folder / "kalvon.ini");
    EXPECT_NE(written.find("\r\np1rotate=87\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\np2rotate=9999\r\n"), std::string::npos);
}

// A capture started while a game runs takes the keyboard from player 1's field, which lets go of
// the keys it held; the field has the keyboard again once the fields page is shown.
TEST_F(ProgramOptionsTest, ACaptureDuringAGameReleasesTheFieldsKeys)
{
    QWidget& field = window().fieldsPage().field(1);
    window().ShowFieldScreen();
    ASSERT_EQ(QApplication::focusWidget(), &field);
    QTest::keyClick(&field, Qt::Key_F2);
    ASSERT_TRUE(program->core().engine().state().GameActive);
    QTest::keyPress(&field, Qt::Key_Up); // player 1's rotate, held
    const auto& held = program->core().keys().KeyHeld[1];
    ASSERT_TRUE(held[size_t(KeyAction::Rotate)]);

    window().ShowOptionsScreen();
    OptionsPage& page = window().optionsPage();
    QTest::mouseClick(&page.playerKeyButton(1, 3), Qt::LeftButton); // Left
    EXPECT_EQ(QApplication::focusWidget(), &page.keyCaptureBox());
    EXPECT_FALSE(held[size_t(KeyAction::Rotate)]);
    QTest::keyClick(&page.keyCaptureBox(), Qt::Key_J);
    EXPECT_EQ(program->options().controls.binding(1, KeyAction::Left), 74);
    EXPECT_TRUE(program->core().engine().state().GameActive) << "the game goes on";

    window().ShowFieldScreen();
    EXPECT_EQ(QApplication::focusWidget(), &field);
}

} // namespace
} // namespace kalvon
