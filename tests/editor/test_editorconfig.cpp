// kvm.ini: the seven lines the editor writes at its end, and its reading, in which a value that
// does not convert counts as missing instead of ending the section.

#include "editor/model/editorconfig.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::testing::ScratchFolder;

TEST(EditorConfig, WritesTheCommentLineAndTheSoundMixerSection)
{
    const Bytes expected = "//Kalvon Theme Maker Configuration\r\n"
                           " \r\n"
                           "[Sound Mixer]\r\n"
                           "frequency=22050\r\n"
                           "numchannels=4\r\n"
                           "//0-NoSound,1-WinMM,2-DirectSound,3-A3D, #1 is recommended\r\n"
                           "output=0\r\n";
    EXPECT_EQ(EditorConfigBytes({ 22050, 4, 0 }), expected);
    EXPECT_EQ(EditorConfigBytes({}).size(), 156u);
}

TEST(EditorConfig, AValueThatDoesNotConvertCountsAsMissing)
{
    struct Case {
        const char* text;
        SoundMixer expected;
    };
    const Case cases[] = {
        { "", { 44100, 8, 1 } },
        { "[Sound Mixer]\r\nfrequency=22050\r\nnumchannels=16\r\noutput=2\r\n", { 22050, 16, 2 } },
        // The first key is bad: the keys after it are still read.
        { "[Sound Mixer]\r\nfrequency=fast\r\nnumchannels=16\r\noutput=0\r\n", { 44100, 16, 0 } },
        { "[Sound Mixer]\r\nfrequency=11025\r\nnumchannels=\r\noutput=3\r\n", { 11025, 8, 3 } },
        { "[Sound Mixer]\r\nfrequency=99999999999\r\nnumchannels=4\r\noutput=x\r\n", { 44100, 4, 1 } },
        // An output outside 0 to 3 is 1.
        { "[Sound Mixer]\r\noutput=7\r\n", { 44100, 8, 1 } },
        { "[Sound Mixer]\r\noutput=-1\r\n", { 44100, 8, 1 } },
        // Only [Sound Mixer] counts.
        { "[Other]\r\nfrequency=8000\r\n", { 44100, 8, 1 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadEditorConfig(IniDocument::parse(c.text)), c.expected) << c.text;
}

TEST(EditorConfig, AMissingFileGivesTheDefaultsAndSavingCreatesIt)
{
    ScratchFolder folder;
    const auto file = folder / "kvm.ini";
    EXPECT_EQ(LoadEditorConfig(file), SoundMixer());
    ASSERT_TRUE(SaveConfig(file, { 32000, 2, 1 }));
    EXPECT_EQ(LoadEditorConfig(file), (SoundMixer{ 32000, 2, 1 }));
    EXPECT_FALSE(SaveConfig(folder / "no such folder" / "kvm.ini", {}));
}
