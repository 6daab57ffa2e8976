// The options page's music section as a widget: its boxes show the [Sound] options (a greyed
// value too), clicks change them and load or stop the music, the theme box locks the file box,
// and Browse puts the chosen file in the file box.

#include "support/recordingmusic.h"
#include "support/scripteddialogs.h"
#include "window/musicoptions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using Calls = std::vector<std::string>;
using testing::RecordingMusic;
using testing::ScriptedDialogs;

struct SectionRig {
    int16_t playMusic = 0;
    int16_t useThemeMusic = 2;
    Bytes file = "\\music\\Gr\xFCn.mid";
    Bytes themeMusic = "/tmp/theme/music.ogg";
    bool gameActive = true;
    RecordingMusic music;
    ScriptedDialogs dialogs;
    MusicOptionsSection section{ { playMusic, useThemeMusic, file },
        { music, dialogs, themeMusic, [this] { return gameActive; }, [] { return true; }, {} } };
};

TEST(MusicOptionsSection, ShowsTheOptionsAndClicksChangeThemAndTheMusic)
{
    SectionRig rig;
    EXPECT_EQ(rig.section.musicBox().checkState(), Qt::Unchecked);
    EXPECT_EQ(rig.section.themeMusicBox().checkState(), Qt::PartiallyChecked) << "a stored 2 shows greyed";
    EXPECT_EQ(rig.section.fileBox().text(), QStringLiteral("\\music\\Grün.mid"));
    EXPECT_TRUE(rig.section.fileBox().isEnabled());
    EXPECT_TRUE(rig.music.calls.empty()) << "showing the values acts on nothing";

    QTest::mouseClick(&rig.section.musicBox(), Qt::LeftButton);
    EXPECT_EQ(rig.playMusic, 1);
    EXPECT_EQ(rig.music.calls, (Calls{ "load:\\music\\Gr\xFCn.mid", "play" }));

    rig.music.calls.clear();
    QTest::mouseClick(&rig.section.themeMusicBox(), Qt::LeftButton);
    EXPECT_EQ(rig.useThemeMusic, 1) << "a click on a greyed box sets it";
    EXPECT_FALSE(rig.section.fileBox().isEnabled());
    EXPECT_EQ(rig.music.calls, (Calls{ "load:/tmp/theme/music.ogg", "play" }));

    rig.music.calls.clear();
    QTest::mouseClick(&rig.section.musicBox(), Qt::LeftButton);
    EXPECT_EQ(rig.playMusic, 0);
    EXPECT_EQ(rig.music.calls, (Calls{ "stop", "free" }));
}

TEST(MusicOptionsSection, BrowseAndTypingFillTheFileBox)
{
    SectionRig rig;
    rig.playMusic = 1;
    rig.useThemeMusic = 0;
    rig.section.showValues();
    rig.dialogs.fileAnswers = { std::nullopt, Bytes("/home/ann/Song.xm") };

    QTest::mouseClick(&rig.section.browseButton(), Qt::LeftButton);
    EXPECT_EQ(rig.file, "\\music\\Gr\xFCn.mid") << "cancelled";
    QTest::mouseClick(&rig.section.browseButton(), Qt::LeftButton);
    EXPECT_EQ(rig.file, "/home/ann/Song.xm");
    EXPECT_EQ(rig.section.fileBox().text(), QStringLiteral("/home/ann/Song.xm"));
    EXPECT_EQ(rig.music.calls, (Calls{ "load:/home/ann/Song.xm", "play" }));

    rig.music.calls.clear();
    rig.section.fileBox().clear();
    QTest::keyClicks(&rig.section.fileBox(), QStringLiteral("x.ogg"));
    EXPECT_EQ(rig.file, "x.ogg");
    EXPECT_EQ(rig.music.calls, Calls(5, "play")) << "typing loads nothing; the loaded music plays on";
}

} // namespace
} // namespace kalvon
