// The whole program over a scratch program folder with the real default theme: the loading
// window is the first thing painted, a two-player start shows both fields with their pieces,
// and closing the window writes the stored files.

#include "engine/gameengine.h"
#include "game/gamecore.h"
#include "programfolder.h"
#include "programrig.h"
#include "render/windowpictures.h"
#include "window/fieldview.h"
#include "window/gameprogram.h"
#include "window/loadingwindow.h"
#include "window/mainform.h"
#include "window/mainwindow.h"
#include "window/pages/fieldspage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::ProgramFolder;

class GameProgramTest : public ::testing::Test {
protected:
    void start(int gameMode)
    {
        folder.write("kalvon.ini", "[General]\r\ngamemode=" + std::to_string(gameMode) + "\r\n");
        program = std::make_unique<GameProgram>(folder.path(), folder.tempDir());
        program->setEndProcess([this] { ++ends; });
        program->start();
    }

    // The centres of the falling piece's cells of player p in the field picture.
    std::vector<QPoint> fallingCells(int p) const
    {
        const EngineState& state = program->core().engine().state();
        std::vector<QPoint> centres;
        for (size_t column = 0; column < kFieldColumns; ++column) {
            for (size_t row = 0; row < kFieldRows; ++row) {
                if (state.FieldOccupied[size_t(p)][column][row] != 0
                    && state.FieldColor[size_t(p)][column][row] >= kFallingCodeOffset)
                    centres.emplace_back(16 * int(column) + 8, 16 * int(row) + 8);
            }
        }
        return centres;
    }

    ProgramFolder folder;
    std::unique_ptr<GameProgram> program;
    int ends = 0;
};

// The first paint of any widget: which window it was in, what that window said, and whether the
// main window had been made by then.
class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch() { qApp->installEventFilter(this); }
    ~FirstPaintWatch() override { qApp->removeEventFilter(this); }

    QWidget* window = nullptr;
    QString loadingText;
    bool mainWindowMade = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (window || event->type() != QEvent::Paint || !widget)
            return false;
        window = widget->window();
        if (auto* loading = qobject_cast<LoadingWindow*>(window))
            loadingText = loading->fileText();
        for (QWidget* topLevel : QApplication::topLevelWidgets())
            mainWindowMade = mainWindowMade || qobject_cast<MainWindow*>(topLevel);
        return false;
    }
};

TEST_F(GameProgramTest, TheLoadingWindowIsPaintedBeforeTheRestIsMadeAndClosesWhenLoaded)
{
    FirstPaintWatch firstPaint;
    program = std::make_unique<GameProgram>(folder.path(), folder.tempDir());
    program->setEndProcess([this] { ++ends; });

    auto* loading = qobject_cast<LoadingWindow*>(firstPaint.window);
    ASSERT_NE(loading, nullptr);
    EXPECT_FALSE(firstPaint.mainWindowMade);
    EXPECT_EQ(firstPaint.loadingText, QStringLiteral("Initializing Controls"));
    EXPECT_TRUE(loading->isVisible());
    EXPECT_FALSE(program->window().isVisible());

    program->start();
    EXPECT_FALSE(loading->isVisible());
    EXPECT_EQ(loading->progress(), 100);
    EXPECT_TRUE(program->window().isVisible());
}

TEST_F(GameProgramTest, TwoPlayerStartShowsBothFieldsWithTheirPieces)
{
    start(2);
    MainWindow& window = program->window();
    const EngineState& state = program->core().engine().state();
    ASSERT_EQ(state.GameMode, GameMode::TwoPlayers);
    const Surface closedDoors[3]
        = { {}, *window.fieldsPage().field(1).surface(), *window.fieldsPage().field(2).surface() };

    program->core().session().StartGame();
    // The doors open, the pieces come in and the caption shows the game time over a few ticks,
    // however busy the machine is.
    const auto piecesShown = [&] {
        if (!window.caption().startsWith(QStringLiteral("Kalvon v1.91 - Game Time: ")))
            return false;
        for (int p = 1; p <= 2; ++p) {
            const std::vector<QPoint> cells = fallingCells(p);
            if (cells.size() != 4u)
                return false;
            for (const QPoint& cell : cells) {
                if (window.fieldsPage().field(p).surface()->pixel(cell.x(), cell.y())
                    == closedDoors[p].pixel(cell.x(), cell.y()))
                    return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(testing::waitFor(piecesShown));

    EXPECT_TRUE(state.GameStarted);
    for (int p = 1; p <= 2; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(window.fieldsPage().field(p).isVisible());
        EXPECT_TRUE(window.fieldsPage().sidePanel(p).isVisible());
        EXPECT_TRUE(window.fieldsPage().nextPiece(p).isVisible());
        EXPECT_TRUE(state.PieceInPlay[size_t(p)]);
        // Four cells of a piece, drawn over the open field where the closed doors were.
        const std::vector<QPoint> cells = fallingCells(p);
        ASSERT_EQ(cells.size(), 4u);
        for (const QPoint& cell : cells)
            EXPECT_NE(window.fieldsPage().field(p).surface()->pixel(cell.x(), cell.y()),
                closedDoors[p].pixel(cell.x(), cell.y()));
    }
    EXPECT_FALSE(window.fieldsPage().label(LabelId::Score, 1).isVisible());
    EXPECT_TRUE(window.caption().startsWith(QStringLiteral("Kalvon v1.91 - Game Time: ")));
}

TEST_F(GameProgramTest, ClosingTheWindowWritesTheStoredFilesAndEnds)
{
    start(1);
    for (const char* file : { "kalvon.ini", "scores.ini", "banlist.txt" })
        std::filesystem::remove(folder / file);
    program->window().close();
    program->window().close();

    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(program->form().unloading());
    for (const char* file : { "kalvon.ini", "scores.ini", "banlist.txt" })
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / file)) << file;
}

} // namespace
} // namespace kalvon

namespace kalvon {
namespace {

QWidget* topLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

TEST_F(GameProgramTest, FileMenuShowsTheHighScoresAndHelpMenuTheAboutWindow)
{
    start(1);
    EXPECT_EQ(topLevel("frmHighScore"), nullptr) << "filled at start-up, not shown";
    emit program->window().fileMarkerClicked(3);
    QWidget* scores = topLevel("frmHighScore");
    ASSERT_NE(scores, nullptr);
    EXPECT_EQ(scores->findChild<QLabel*>(QStringLiteral("lblName(1)"))->text(), QStringLiteral("Kalvon"));

    emit program->window().aboutRequested();
    emit program->window().aboutRequested();
    QWidget* about = topLevel("frmAbout");
    ASSERT_NE(about, nullptr);
    int abouts = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        abouts += widget->objectName() == QLatin1String("frmAbout") ? 1 : 0;
    EXPECT_EQ(abouts, 1) << "one About window at a time";
}

} // namespace
} // namespace kalvon
