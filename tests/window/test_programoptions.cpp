// The options page inside the whole program over a scratch program folder: its boxes reach the
// drawing of the fields and LEDs and the window's stay-on-top state at once, it shows the
// settings read at start-up, and a key captured with real events is in kalvon.ini when the
// program ends.

#include "engine/gameengine.h"
#include "engine/store/options.h"
#include "game/gamecore.h"
#include "platform/surface.h"
#include "support/enginestateaccess.h"
#include "support/scratchfolder.h"
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

using testing::readFile;
using testing::ScratchFolder;

class ProgramOptionsTest : public ::testing::Test {
protected:
    ProgramOptionsTest()
    {
        std::filesystem::create_directory_symlink(KALVON_DATA_DIR, folder / "data");
        std::filesystem::create_directory(folder / "tmp");
        folder.write("kalvon.ini",
            "[General]\r\ngamemode=1\r\ntheme=\\data\\default.kvx\r\n[Graphics]\r\nleds=1\r\nkalvondoor=1\r\n"
            "[Controls]\r\ncontrolsensitivity=37\r\np1rotate=38\r\np2rotate=87\r\n");
        program = std::make_unique<GameProgram>(folder.path(), folder / "tmp");
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

    ScratchFolder folder;
    std::unique_ptr<GameProgram> program;
};

TEST_F(ProgramOptionsTest, BoxesRedrawTheFieldsAndLedsAndSetTheWindowOnTop)
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

} // namespace
} // namespace kalvon
