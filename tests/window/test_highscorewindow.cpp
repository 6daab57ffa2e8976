// The high-score window: a ranked one-player score fills it and shows it over the theme's
// high-score picture in the theme's colours; a missing picture leaves it without one; the
// close and minimise boxes work; each showing reads the theme again. The About window's text.

#include "engine/highscorefakes.h"
#include "render/themerecord.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "window/aboutwindow.h"
#include "window/highscorewindow.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::RecordingHighScoreStore;
using testing::ScratchFolder;
using testing::ScriptedDialogs;

QColor textColor(QLabel& label)
{
    return label.palette().color(QPalette::WindowText);
}

void writePicture(const std::filesystem::path& file, QColor color)
{
    QImage picture(320, 372, QImage::Format_RGB32);
    picture.fill(color);
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "PNG"));
}

struct HighScoreRig {
    HighScoreRig()
    {
        themes.CurrentTheme.ifacehighscore = "\\Scores.png"; // a stored path, relative to the program
        themes.ThemeColors = { 0, 0, 0, 0, 0, 0, 0, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0x808080 };
        writePicture(folder / "scores.png", QColor(10, 20, 30));
    }
    ScratchFolder folder;
    Themes themes;
    Options options;
    ScriptedDialogs dialogs;
    RecordingHighScoreStore store;
    HighScoreWindow window{ themes, options, folder.path() };
    HighScores highScores{ dialogs, store, window };
};

TEST(HighScoreWindow, RankedScoreShowsTheTableOverTheThemesPictureInItsColours)
{
    HighScoreRig rig;
    rig.highScores.setTable(defaultHighScores());
    EXPECT_FALSE(rig.window.isVisible()) << "filled at start-up, not shown";
    EXPECT_EQ(rig.window.nameLabel(15).text(), QStringLiteral("Kalvon"));

    rig.dialogs.inputAnswers.push_back(Bytes("Ann"));
    rig.highScores.CheckHighScore(240);
    ASSERT_TRUE(rig.window.isVisible());
    EXPECT_EQ(rig.window.rankLabel(0).text(), QStringLiteral("Rank"));
    EXPECT_EQ(rig.window.scoreLabel(0).text(), QStringLiteral("Score"));
    EXPECT_EQ(rig.window.nameLabel(0).text(), QStringLiteral("Name"));
    EXPECT_EQ(rig.window.rankLabel(1).text(), QStringLiteral("1."));
    EXPECT_EQ(rig.window.nameLabel(1).text(), QStringLiteral("Ann"));
    EXPECT_EQ(rig.window.scoreLabel(1).text(), QStringLiteral("240"));
    EXPECT_EQ(rig.window.nameLabel(2).text(), QStringLiteral("Kalvon"));
    EXPECT_EQ(rig.window.scoreLabel(2).text(), QStringLiteral("0"));

    EXPECT_EQ(rig.window.background().pixel(100, 100), qRgb(10, 20, 30));
    // Colours are red + 256 green + 65536 blue: 0x0000FF is red.
    const std::pair<int, QColor> rows[] = { { 0, Qt::red }, { 1, Qt::green }, { 2, Qt::blue },
        { 3, Qt::yellow }, { 4, QColor(128, 128, 128) }, { 15, QColor(128, 128, 128) } };
    for (const auto& [row, color] : rows) {
        EXPECT_EQ(textColor(rig.window.rankLabel(row)), color) << row;
        EXPECT_EQ(textColor(rig.window.nameLabel(row)), color) << row;
    }
}

TEST(HighScoreWindow, EachShowingReadsTheThemeAgainAMissingPictureLeavesNone)
{
    HighScoreRig rig;
    rig.window.showHighScoreWindow();
    QTest::mouseClick(rig.window.findChild<QWidget*>(QStringLiteral("lblClose")), Qt::LeftButton);
    EXPECT_FALSE(rig.window.isVisible());

    writePicture(rig.folder / "scores.png", QColor(200, 0, 0));
    rig.themes.ThemeColors[11] = 0xFFFFFF;
    rig.window.showHighScoreWindow();
    EXPECT_EQ(rig.window.background().pixel(5, 5), qRgb(200, 0, 0));
    EXPECT_EQ(textColor(rig.window.nameLabel(9)), QColor(Qt::white));

    rig.themes.CurrentTheme.ifacehighscore = "missing.png";
    rig.window.close();
    rig.window.showHighScoreWindow();
    EXPECT_TRUE(rig.window.isVisible());
    EXPECT_TRUE(rig.window.background().isNull());

    QTest::mouseClick(rig.window.findChild<QWidget*>(QStringLiteral("lblMini")), Qt::LeftButton);
    EXPECT_TRUE(rig.window.isMinimized());
    rig.window.showHighScoreWindow();
    EXPECT_FALSE(rig.window.isMinimized()) << "shown again from the File menu";
}

TEST(AboutWindow, TextLinksAndOk)
{
    EXPECT_EQ(aboutText("1.91"),
        "Kalvon v1.91\rWritten by the Kalvon Project\r(kalvon@example.org)\r\rBuild Date: 1-14-2003\r"
        "Artwork: the Kalvon Project");

    std::vector<QString> opened;
    AboutWindow about(
        "1.91", KALVON_DATA_DIR "/images", [&opened](const QString& link) { opened.push_back(link); });
    about.show();
    const QString shown = about.findChild<QLabel*>(QStringLiteral("lblAbout"))->text();
    EXPECT_EQ(shown.split(QLatin1Char('\n')).value(4), QStringLiteral("Build Date: 1-14-2003"));
    QLabel* picture = about.findChild<QLabel*>(QStringLiteral("picAbout"));
    EXPECT_FALSE(picture->pixmap().isNull());
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<QString>{ QString::fromLatin1(kGamePage) });
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace kalvon
