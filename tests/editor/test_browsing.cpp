// The Browse buttons: the chosen file made relative to the resource folder and put into its box,
// a set's first frame split into front part and extension, the colour dialog written as colour
// text, the resource archive unpacked and stored as chosen; and the dialog filters, whose
// patterns match names in either case.

#include "editor/model/browsing.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "platform/ui/qtdialogs.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "support/zipbuilder.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

namespace {

struct BrowseRig {
    EditorState state;
    ScriptedDialogs dialogs;

    BrowseRig()
    {
        StartEditor(state);
        state.files().ResourceDir = "/tmp/kalvon-1000/kalvon/neon/";
        state.files().ResourceRelDir = "kalvon/neon/";
    }

    void answer(std::optional<Bytes> file) { dialogs.fileAnswers.push_back(std::move(file)); }
};

const ImageSetButton& button(std::string_view name)
{
    for (const ImageSetButton& entry : imageSetButtons()) {
        if (entry.button == name)
            return entry;
    }
    throw std::invalid_argument("no such button");
}

} // namespace

TEST(Browsing, AnImageSetTakesTheFileAsItsFirstFrame)
{
    struct Case {
        const char* button;
        const char* chosen;
        const char* firstFrame;
        const char* root;
        const char* extension;
    };
    const Case cases[] = {
        { "cmdBrowseBG", "/tmp/kalvon-1000/kalvon/neon/bg1.bmp", "bg1.bmp", "bg", "bmp" },
        // Only the one character before the point is the frame number.
        { "cmdBrowseBG", "/tmp/kalvon-1000/kalvon/neon/bg12.bmp", "bg12.bmp", "bg1", "bmp" },
        { "cmdBrowseBlocks", "/tmp/kalvon-1000/KALVON/Neon/sub/blk1.jpg", "sub/blk1.jpg", "sub/blk", "jpg" },
        // Outside the resource folder the whole path stays, split at its first point.
        { "cmdBrowseBomb", "/home/me/my.themes/b1.bmp", "/home/me/my.themes/b1.bmp", "/home/me/m",
            "themes/b1.bmp" },
        // No point: only the first-frame box changes; a leading point gives an empty front part.
        { "cmdBrowseNext", "/tmp/kalvon-1000/kalvon/neon/anim", "anim", "old", "old" },
        { "cmdBrowseSpec", "/tmp/kalvon-1000/kalvon/neon/.png", ".png", "", "png" },
    };
    for (const Case& c : cases) {
        BrowseRig rig;
        const ImageSetButton& entry = button(c.button);
        rig.state.setText(entry.root, "old");
        rig.state.setText(entry.extension, "old");
        rig.answer(Bytes(c.chosen));
        BrowseImageSet(rig.state, rig.dialogs, entry);
        ASSERT_EQ(rig.dialogs.calls.size(), 1u);
        EXPECT_EQ(rig.dialogs.calls[0].file.filter, kImageFilter);
        EXPECT_EQ(rig.dialogs.calls[0].file.initialDir, "/tmp/kalvon-1000/kalvon/neon/");
        EXPECT_EQ(rig.state.text(entry.firstFrame), c.firstFrame) << c.chosen;
        EXPECT_EQ(rig.state.text(entry.root), c.root) << c.chosen;
        EXPECT_EQ(rig.state.text(entry.extension), c.extension) << c.chosen;
    }
}

TEST(Browsing, SingleFileButtonsFillTheBoxOfTheirIndex)
{
    BrowseRig rig;
    rig.answer(Bytes("/tmp/kalvon-1000/kalvon/neon/start.wav"));
    BrowseSound(rig.state, rig.dialogs, 2);
    EXPECT_EQ(rig.state.text("txtStart"), "start.wav");
    rig.answer(Bytes("/sounds/boom.wav"));
    BrowseSound(rig.state, rig.dialogs, 10);
    EXPECT_EQ(rig.state.text("txtShieldSound"), "/sounds/boom.wav");
    EXPECT_EQ(rig.dialogs.calls.back().file.filter, kWaveFilter);

    rig.answer(Bytes("/tmp/kalvon-1000/kalvon/neon/theme.bmp"));
    BrowseInterface(rig.state, rig.dialogs, 2);
    EXPECT_EQ(rig.state.text("txtITheme"), "theme.bmp");
    rig.answer(Bytes("/tmp/kalvon-1000/kalvon/neon/led.bmp"));
    BrowseMiscImage(rig.state, rig.dialogs, 5);
    EXPECT_EQ(rig.state.text("txtMiscImage(5)"), "led.bmp");

    // A cancelled dialog changes nothing; an index outside the array opens no dialog.
    rig.state.setChanged(false);
    rig.answer(std::nullopt);
    BrowseSound(rig.state, rig.dialogs, 2);
    EXPECT_EQ(rig.state.text("txtStart"), "start.wav");
    EXPECT_FALSE(rig.state.Changed());
    const size_t shown = rig.dialogs.calls.size();
    BrowseSound(rig.state, rig.dialogs, 11);
    BrowseInterface(rig.state, rig.dialogs, -1);
    EXPECT_EQ(rig.dialogs.calls.size(), shown);
}

TEST(Browsing, TheSkinMarksTheThemeChangedAndMusicDropsItsFolder)
{
    BrowseRig rig;
    rig.state.setChanged(false);
    rig.answer(Bytes("/skins/main.bmp"));
    BrowseSkin(rig.state, rig.dialogs);
    EXPECT_EQ(rig.state.text("txtSkinFile"), "/skins/main.bmp");
    EXPECT_TRUE(rig.state.Changed());

    rig.state.files().MusicPath = "/old/folder/";
    rig.answer(Bytes("/tmp/kalvon-1000/kalvon/neon/song.ogg"));
    BrowseMusic(rig.state, rig.dialogs);
    EXPECT_EQ(rig.state.text("txtMusic"), "song.ogg");
    EXPECT_EQ(rig.state.files().MusicPath, "");
    EXPECT_EQ(rig.dialogs.calls.back().file.filter, kMusicFilter);
}

TEST(Browsing, TheColourDialogSetsSwatchAndColourText)
{
    BrowseRig rig;
    rig.dialogs.colorAnswers = { 0x00804020u, std::nullopt };
    BrowseColor(rig.state, rig.dialogs, 7);
    EXPECT_EQ(rig.state.text("txtColor(7)"), "32,64,128");
    EXPECT_EQ(rig.state.swatchColor(7), 0x804020u);
    BrowseColor(rig.state, rig.dialogs, 7);
    EXPECT_EQ(rig.state.text("txtColor(7)"), "32,64,128");
}

TEST(Browsing, AResourceArchiveIsUnpackedAndStoredAsChosen)
{
    ScratchFolder folder;
    const auto archive = folder / "Dark Theme.zip";
    kalvon::testing::ZipBuilder(archive).file("bg1.bmp", "x");
    EditorState state;
    StartEditor(state);
    ScriptedDialogs dialogs;
    dialogs.fileAnswers.push_back(Bytes(archive.string()));
    BrowseResource(state, dialogs, folder / "temp");
    EXPECT_EQ(dialogs.calls[0].file.filter, kArchiveFilter);
    EXPECT_EQ(dialogs.calls[0].file.initialDir, "");
    EXPECT_EQ(state.text("txtResource"), archive.string());
    EXPECT_EQ(state.files().ResourceRelDir, "kalvon/Dark Theme/");
    EXPECT_TRUE(std::filesystem::exists(folder / "temp" / "kalvon" / "Dark Theme" / "bg1.bmp"));
}

TEST(Browsing, EveryFilterMatchesNamesInEitherCase)
{
    struct Case {
        std::string_view filter;
        QString lower;
    };
    const Case cases[] = {
        { kImageFilter, QStringLiteral("frame1.bmp") },
        { kWaveFilter, QStringLiteral("drop.wav") },
        { kMusicFilter, QStringLiteral("song.ogg") },
        { kMusicFilter, QStringLiteral("tune.mod") },
        { kArchiveFilter, QStringLiteral("neon.zip") },
    };
    for (const Case& c : cases) {
        const QString filters = QtDialogs::qtNameFilter(c.filter);
        for (const QString& name : { c.lower, c.lower.toUpper() }) {
            bool matched = false;
            // The first entry of each filter names the file kind.
            const QString entry = filters.split(QStringLiteral(";;")).constFirst();
            const QString patterns = entry.section(QLatin1Char('('), -1).chopped(1);
            for (const QString& pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const QRegularExpression glob(QRegularExpression::wildcardToRegularExpression(pattern));
                matched = matched || glob.match(name).hasMatch();
            }
            EXPECT_TRUE(matched) << name.toStdString() << " in " << filters.toStdString();
        }
    }
}
