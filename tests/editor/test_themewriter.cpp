// The theme file writer against hand-written files, its smaller layout rules, and its failures.

#include "common/atomicfile.h"
#include "common/inifile.h"
#include "editor/model/description.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themeloader.h"
#include "editor/model/themewriter.h"
#include "editortesting.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using namespace kalvon::editor::testing;
using kalvon::testing::readFile;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

namespace {

EditorState newTheme()
{
    EditorState state;
    StartEditor(state);
    return state;
}

// The file's lines from "[Theme Info]" on, for the rules that concern only the keys.
std::string keysOf(const EditorState& state)
{
    const std::string bytes = ThemeFileBytes(state).value();
    return bytes.substr(bytes.find("[Theme Info]\r\n") + 14);
}

} // namespace

TEST(ThemeWriter, NewThemeWithGeneratedDescriptionMatchesTheHandWrittenFile)
{
    EditorState state = newTheme();
    GenerateDescription(state);
    EXPECT_EQ(ThemeFileBytes(state), fixtureBytes("new-theme.kvx"));
}

TEST(ThemeWriter, TypeOneWithEveryPartIncludedMatchesTheHandWrittenFile)
{
    EditorState state = newTheme();
    fillAllPartsTheme(state);
    EXPECT_EQ(ThemeFileBytes(state), fixtureBytes("type1-all-parts.kvx"));
}

TEST(ThemeWriter, TypeZeroMatchesTheHandWrittenFile)
{
    EditorState state = newTheme();
    fillSkinTheme(state);
    EXPECT_EQ(ThemeFileBytes(state), fixtureBytes("type0-skin.kvx"));
}

TEST(ThemeWriter, KeysWrittenOnlyWithTheirBoxesAndImages)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> values;
        std::string keys; // everything after "[Theme Info]"
    };
    const std::string typeOneHead = "resourcefile=KalvonTheme.zip\r\nthemetype=1\r\n \r\n";
    const std::string banner = "//-----------------\r\n//Theme Type 1 Info\r\n//-----------------\r\n";
    const std::string identity = "name=Kalvon Theme\r\ndeveloper=Author\r\nversion=1.0\r\n";
    const std::vector<Case> cases = {
        { "empty texts read Unknown; an empty resource box still writes its key",
            { { "txtThemeName", "" }, { "txtAuthor", "" }, { "txtVersion", "" }, { "txtResource", "" } },
            "name=Unknown\r\ndeveloper=Unknown\r\nversion=Unknown\r\nresourcefile=\r\nthemetype=1\r\n \r\n"
                + banner },
        { "an empty skin box writes no skin lines even with transparency set",
            { { "cmbType", "0" }, { "txtSkinFile", "" }, { "chkSkinTransparent", "1" } },
            identity + "themetype=0\r\n \r\n//Theme Type 0 Info\r\n" },
        { "the interface stands above the banner; the menu flag only follows its image",
            { { "chkIface", "1" }, { "txtIChat", "c.bmp" }, { "chkIMenuTransparent", "1" } },
            identity + typeOneHead + " \r\n//Graphical User Interface\r\nifacechat=c.bmp\r\n" + banner },
        { "win flags only follow their images",
            { { "chkMImg", "1" }, { "chkWinTrans", "1" }, { "chkWinInetTrans", "1" },
                { "txtMiscImage(4)", "iw.bmp" } },
            identity + typeOneHead + banner
                + " \r\n//Miscellaneous Images\r\ninetwinimg=iw.bmp\r\ninetwintransparent=1\r\n" },
        { "an empty music box writes the title only; sounds in both types",
            { { "chkMusic", "1" }, { "chkSounds", "1" }, { "txtClick", "k.wav" } },
            identity + typeOneHead + banner + " \r\n//Music\r\n \r\n//Sounds\r\nclick=k.wav\r\n" },
        { "a grey include box is not included; a grey flag is written as 2",
            { { "chkBG", "2" }, { "chkExplosion", "1" }, { "chkExplosionTrans", "2" } },
            identity + typeOneHead + banner
                + " \r\n//Block Explosion\r\nexplodetransparency= 2 "
                  "\r\nexplodefilename=\r\nexplodefileextension=\r\n"
                  "explodeframecount=\r\nexplodedelaybetweenframes=10\r\n" },
    };
    for (const Case& c : cases) {
        EditorState state = newTheme();
        fill(state, c.values);
        EXPECT_EQ(keysOf(state), c.keys) << c.what;
    }
}

TEST(ThemeWriter, DescriptionLinesEndInCrLfWhateverTheWidgetGave)
{
    EditorState state = newTheme();
    state.setText("txtDescription", "//one\n//two\r//three\r\n");
    const std::string bytes = ThemeFileBytes(state).value();
    EXPECT_EQ(bytes.substr(0, bytes.find("[Theme Info]")),
        std::string(kThemeFileHeader) + "\r\n//one\r\n//two\r\n//three\r\n\r\n \r\n");
}

TEST(ThemeWriter, DescriptionNeverOpensTheThemeSection)
{
    // Readers take the first [Theme Info] they meet; a description line that reads as that
    // header would hide every key below it and cut the description when the file is loaded.
    EditorState state = newTheme();
    state.setText(
        "txtDescription", "//about\r\n[Theme Info]\r\n  [ theme info ] holds the keys\r\n[Sounds] as typed");
    const std::string bytes = ThemeFileBytes(state).value();

    const IniDocument file = IniDocument::parse(bytes);
    EXPECT_EQ(file.value("Theme Info", "name"), "Kalvon Theme");
    EXPECT_EQ(file.value("Theme Info", "themetype"), "1");
    EXPECT_EQ(ThemeFileDescription(bytes),
        "//about\r\n//[Theme Info]\r\n//  [ theme info ] holds the keys\r\n[Sounds] as typed");
}

TEST(ThemeWriter, AValueIsOneLine)
{
    // A box value holding a line break (a file name may) must not add keys of its own.
    EditorState state = newTheme();
    fill(state,
        { { "txtThemeName", "Dark\r\nthemetype=0" }, { "chkSounds", "1" },
            { "txtClick", "k.wav\n[Theme Info]" } });
    const std::string keys = keysOf(state);
    EXPECT_EQ(keys.substr(0, keys.find("developer=")), "name=Dark\r\n");
    EXPECT_NE(keys.find("\r\nclick=k.wav\r\n"), std::string::npos) << keys;
    EXPECT_EQ(IniDocument::parse(ThemeFileBytes(state).value()).value("Theme Info", "themetype"), "1");
}

TEST(ThemeWriter, WritesTheFileAndReplacesAnOldOne)
{
    ScratchFolder folder;
    const auto file = folder.write("dark.kvx", "old contents");
    EditorState state = newTheme();
    ScriptedDialogs dialogs;
    EXPECT_TRUE(WriteThemeFile(state, file.string(), dialogs));
    EXPECT_EQ(readFile(file), ThemeFileBytes(state));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST(ThemeWriter, FailureShowsAMessageAndKeepsTheOldFile)
{
    ScratchFolder folder;
    const auto existing = folder.write("dark.kvx", "old contents");
    struct Case {
        const char* what;
        std::string path;
        int type;
        bool diskFull;
    };
    const std::vector<Case> cases = {
        { "no theme type selected", existing.string(), -1, false },
        { "a full disk", existing.string(), 1, true },
        { "a folder that does not exist", (folder / "missing" / "x.kvx").string(), 1, false },
        { "a drive-letter path", "C:\\themes\\x.kvx", 1, false },
    };
    for (const Case& c : cases) {
        EditorState state = newTheme();
        state.setListIndex("cmbType", c.type);
        ScriptedDialogs dialogs;
        if (c.diskFull)
            setAtomicWriteFaultForTesting([](std::string_view step) { return step != "write"; });
        EXPECT_FALSE(WriteThemeFile(state, c.path, dialogs)) << c.what;
        setAtomicWriteFaultForTesting(nullptr);
        ASSERT_EQ(dialogs.calls.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.calls[0].text, "Could not save " + c.path) << c.what;
        EXPECT_EQ(dialogs.calls[0].title, "Error");
        EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Critical);
        EXPECT_EQ(readFile(existing), "old contents") << c.what;
        EXPECT_FALSE(std::filesystem::exists(folder / "missing")) << c.what;
    }
}
