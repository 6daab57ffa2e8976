// The editor and the game agree on the theme file, key by key through its one key table: a
// theme the editor writes loads in the game's own LoadTheme with the values the editor showed
// (the blank-padded and capitalised keys included, and the colours and sounds, which the game
// keeps in another order), and a theme whose archive has moved loads the same pictures in both.

#include "common/colortext.h"
#include "common/themefile/themefile.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themecontrols.h"
#include "editor/model/themeloader.h"
#include "editor/model/themewriter.h"
#include "editortesting.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "render/themewindow.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "support/zipbuilder.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

using namespace kalvon;
using namespace kalvon::editor;
using namespace kalvon::editor::testing;
using kalvon::testing::readFile;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;
using kalvon::testing::ZipBuilder;
using themefile::KeyInfo;

namespace {

class IgnoredThemeWindow final : public ThemeWindow {
public:
    void setAnimationBoxEnabled(AnimationBox, bool) override { }
    void showLoadingFile(BytesView) override { }
};

class GameAgreementTest : public ::testing::Test {
protected:
    GameAgreementTest() { StartEditor(state); }

    // Saves the editor's theme and loads it with the game's loader.
    void saveAndLoadInGame()
    {
        file = (themesFolder / "agreement.kvx").string();
        ASSERT_TRUE(WriteThemeFile(state, file, dialogs));
        ThemeLoading loading{ themes, dialogs, window, { temp.path(), themesFolder.path() } };
        ASSERT_EQ(
            LoadTheme(loading, file, themes.CurrentTheme, themes.ThemeSounds, ""), ThemeLoadResult::Loaded);
    }

    // The editor's value of a key as text: a box's text, a check box's number.
    std::string shown(ThemeKey key) const
    {
        const std::string_view control = controlOf(key);
        return themefile::keyInfo(key).kind == themefile::ValueKind::Flag
            ? std::to_string(state.value(control))
            : state.text(control);
    }

    // What the game keeps for a key, as text; nothing for a key it keeps nowhere.
    std::optional<std::string> kept(ThemeKey key) const
    {
        if (const auto slot = soundSlot(key))
            return themes.ThemeSounds[size_t(*slot)];
        if (key == ThemeKey::Midi)
            return themes.ThemeMusic;
        const auto field = recordField(key);
        if (!field)
            return std::nullopt;
        return std::visit(
            [&](auto member) -> std::string {
                const auto& value = themes.CurrentTheme.*member;
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, Bytes>)
                    return value;
                else
                    return std::to_string(int(value));
            },
            *field);
    }

    // Every key of the written file that the editor shows holds the editor's value in the game,
    // file names joined to the theme folder where the game joins them. The keys compared.
    std::set<ThemeKey> expectGameHoldsTheEditorsValues()
    {
        const themefile::ThemeFile written = themefile::ThemeFile::load(file);
        const Bytes folder = written.text(ThemeKey::ResourceFile) ? themes.CurrentTheme.themefolder : Bytes();
        std::set<ThemeKey> compared;
        for (const KeyInfo& info : themefile::allKeys()) {
            // The type and the archive are no values of a control the game copies.
            if (info.key == ThemeKey::ThemeType || info.key == ThemeKey::ResourceFile
                || controlOf(info.key).empty() || !written.text(info.key))
                continue;
            if (const auto index = colorIndex(info.key)) {
                const std::string box = shown(info.key);
                EXPECT_EQ(themes.ThemeColors[*index], ParseColor(box.empty() ? "255,255,255" : box))
                    << info.name;
            } else {
                const Bytes joined = joinedToThemeFolder(info.key) ? folder : Bytes();
                EXPECT_EQ(kept(info.key), joined + shown(info.key)) << info.name;
            }
            compared.insert(info.key);
        }
        return compared;
    }

    ScratchFolder themesFolder;
    ScratchFolder temp;
    ScriptedDialogs dialogs;
    IgnoredThemeWindow window;
    Themes themes;
    EditorState state;
    std::string file;
};

} // namespace

TEST_F(GameAgreementTest, TypeOneThemeWithEveryPart)
{
    fillAllPartsTheme(state);
    fill(state,
        { { "chkIBGAni", "1" }, { "txtIBGRoot", "ibg" }, { "txtIBGExt", "bmp" }, { "txtIBGNum", "2" },
            { "txtIBGStart", "1" }, { "txtIBGStill", "2" }, { "chkIBGReverse", "1" },
            { "txtIBGDelay", "50" } });
    for (int i = 0; i < kColorCount; ++i)
        state.setText(elementName("txtColor", i), std::to_string(i) + "," + std::to_string(2 * i) + ",9");
    saveAndLoadInGame();

    const ThemeRecord& t = themes.CurrentTheme;
    EXPECT_EQ(t.themetype, state.listIndex("cmbType"));
    EXPECT_EQ(t.resourcefile, pathText(themesFolder.path()) + "/neon.zip");
    EXPECT_TRUE(t.explodetransparency) << "the blank-padded flag";
    EXPECT_EQ(t.bombfilename, "bomb") << "the capitalised key";

    // Every key a type-1 theme has, the ones a control shows, went from the editor to the game.
    const std::set<ThemeKey> compared = expectGameHoldsTheEditorsValues();
    for (const KeyInfo& info : themefile::allKeys()) {
        const bool typeZeroOnly = info.key == ThemeKey::SkinFile || info.parent == ThemeKey::SkinFile;
        const bool compare
            = !typeZeroOnly && info.key != ThemeKey::ThemeType && info.key != ThemeKey::ResourceFile;
        EXPECT_EQ(compared.count(info.key), compare ? 1u : 0u) << info.name;
    }
}

TEST_F(GameAgreementTest, TypeZeroThemeWithItsSkin)
{
    fillSkinTheme(state);
    saveAndLoadInGame();

    // Without a resource archive, names are used as written.
    EXPECT_EQ(themes.CurrentTheme.themetype, 0);
    const std::set<ThemeKey> compared = expectGameHoldsTheEditorsValues();
    for (ThemeKey key :
        { ThemeKey::SkinFile, ThemeKey::SkinTransparency, ThemeKey::IfaceMain, ThemeKey::IfaceMenu,
            ThemeKey::IfaceMenuTransparent, ThemeKey::Midi, ThemeKey::Rotate, ThemeKey::HolyShield })
        EXPECT_EQ(compared.count(key), 1u) << themefile::keyInfo(key).name;
}

TEST_F(GameAgreementTest, AMovedOrWindowsArchivePathFindsTheArchiveBesideTheThemeInBoth)
{
    // The archive now lies beside the theme file; the file still names where it once was.
    const ScratchFolder gone;
    ZipBuilder(themesFolder / "neon.zip")
        .file("bg1.bmp", "background")
        .file("blk1.bmp", "blocks")
        .file("sw1.jpg", "special window")
        .file("next1.bmp", "next block")
        .file("boom1.png", "explosion")
        .file("bomb1.bmp", "bomb")
        .file("door1.bmp", "door")
        .close();
    const struct {
        const char* what;
        std::string resourcefile;
    } cases[] = {
        { "beside the theme", "neon.zip" },
        { "a moved absolute path", (gone.path() / "neon.zip").string() },
        { "a drive-letter path", "C:\\Themes\\Neon\\neon.zip" },
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(temp.path());
        fillAllPartsTheme(state);
        state.setText("txtResource", c.resourcefile);
        saveAndLoadInGame();
        EditorState editor;
        StartEditor(editor);
        ASSERT_TRUE(LoadThemeFile(editor, file, dialogs, temp.path())) << c.what;
        EXPECT_EQ(dialogs.messages(), std::vector<Bytes>{}) << c.what;

        const ThemeRecord& t = themes.CurrentTheme;
        const Bytes& resourceDir = editor.files().ResourceDir;
        const std::vector<std::pair<Bytes, Bytes>> pictures = {
            { t.themefolder + t.bgfilename + "1." + t.bgextension, resourceDir + editor.text("txtBStart") },
            { t.themefolder + t.blkfilename + "1." + t.blkextension,
                resourceDir + editor.text("txtBlkStart") },
            { t.themefolder + t.specialwindowfilename + "1." + t.specialwindowextension,
                resourceDir + editor.text("txtSWImage") },
            { t.themefolder + t.nextblkfilename + "1." + t.nextblkextension,
                resourceDir + editor.text("txtNextImage") },
            { t.themefolder + t.explodefilename + "1." + t.explodefileextension,
                resourceDir + editor.text("txtExplosionImage") },
            { t.themefolder + t.bombfilename + "1." + t.bombfileextension,
                resourceDir + editor.text("txtBombImage") },
            { t.door1, resourceDir + editor.text("txtMiscImage(0)") },
        };
        for (const auto& [game, editorPicture] : pictures) {
            const std::string bytes = readFile(std::string(game));
            EXPECT_FALSE(bytes.empty()) << c.what << ": " << game;
            EXPECT_EQ(readFile(std::string(editorPicture)), bytes) << c.what << ": " << editorPicture;
        }
        dialogs.calls.clear();
    }
}
