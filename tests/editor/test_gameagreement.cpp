// A theme the editor writes loads in the game's own LoadTheme with the values the editor showed:
// every key, the blank-padded and capitalised ones included, and the colours and sounds, whose
// order in the game differs from the editor's boxes.

#include "common/colortext.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themewriter.h"
#include "editortesting.h"
#include "render/themeloader.h"
#include "render/themewindow.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace kalvon;
using namespace kalvon::editor;
using namespace kalvon::editor::testing;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

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
        const std::string file = (themesFolder / "agreement.kvx").string();
        ASSERT_TRUE(WriteThemeFile(state, file, dialogs));
        ThemeLoading loading{ themes, dialogs, window, { temp.path(), themesFolder.path() } };
        ASSERT_EQ(
            LoadTheme(loading, file, themes.CurrentTheme, themes.ThemeSounds, ""), ThemeLoadResult::Loaded);
    }

    // The editor's value of a control as text: a box's text, a check box's number.
    std::string shown(const std::string& control) const
    {
        return control.rfind("chk", 0) == 0 ? std::to_string(state.value(control)) : state.text(control);
    }

    // What the game stored, expected to be the editor's value; texts joined to `joined`.
    void expectSame(const std::vector<std::pair<std::string, std::string>>& pairs, const Bytes& joined = {})
    {
        for (const auto& [control, game] : pairs) {
            const bool isText = control.rfind("txt", 0) == 0;
            EXPECT_EQ(game, (isText ? joined : Bytes()) + shown(control)) << control;
        }
    }

    static std::string number(int value) { return std::to_string(value); }

    ScratchFolder themesFolder;
    ScratchFolder temp;
    ScriptedDialogs dialogs;
    IgnoredThemeWindow window;
    Themes themes;
    EditorState state;
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
    expectSame({ { "txtThemeName", t.name }, { "txtAuthor", t.developer }, { "txtVersion", t.version } });
    EXPECT_EQ(t.themetype, state.listIndex("cmbType"));
    expectSame({ { "chkBGAni", number(t.bganimated) }, { "txtBGRoot", t.bgfilename },
        { "txtBGExt", t.bgextension }, { "txtBGNum", number(t.bgframecount) },
        { "txtBGStart", number(t.bgstartingframe) }, { "txtBGStill", number(t.bgstillframe) },
        { "chkBGReverse", number(t.bgreverseanimation) }, { "txtBGDelay", number(t.bgdelaybetweenframes) } });
    expectSame({ { "chkIBGAni", number(t.inetbganimated) }, { "txtIBGRoot", t.inetbgfilename },
        { "txtIBGExt", t.inetbgextension }, { "txtIBGNum", number(t.inetbgframecount) },
        { "txtIBGStart", number(t.inetbgstartingframe) }, { "txtIBGStill", number(t.inetbgstillframe) },
        { "chkIBGReverse", number(t.inetbgreverseanimation) },
        { "txtIBGDelay", number(t.inetbgdelaybetweenframes) } });
    expectSame({ { "chkBlkAni", number(t.animateblocks) }, { "chkSpecAni", number(t.animatespecials) },
        { "chkInetBlkAni", number(t.animateinetblocks) }, { "chkInetSpecAni", number(t.animateinetspecials) },
        { "chkBlkTrans", number(t.blktransparency) }, { "txtBlkRoot", t.blkfilename },
        { "txtBlkExt", t.blkextension }, { "txtBlkNum", number(t.blkframecount) },
        { "txtBlkStartImage", number(t.blkstartingframe) }, { "txtBlkStill", number(t.blkstillframe) },
        { "chkBlkReverse", number(t.blkreverseanimation) },
        { "txtBlkDelay", number(t.blkdelaybetweenframes) } });
    expectSame({ { "chkSWAni", number(t.specialwindowanimated) }, { "txtSWRoot", t.specialwindowfilename },
        { "txtSWExt", t.specialwindowextension }, { "txtSWNum", number(t.specialwindowframecount) },
        { "txtSWStart", number(t.specialwindowstartingframe) },
        { "txtSWStill", number(t.specialwindowstillframe) },
        { "chkSWReverse", number(t.specialwindowreverseanimation) },
        { "txtSWDelay", number(t.specialwindowdelaybetweenframes) } });
    expectSame({ { "chkNextAni", number(t.nextblkanimated) }, { "txtNextRoot", t.nextblkfilename },
        { "txtNextExt", t.nextblkextension }, { "txtNextNum", number(t.nextblkframecount) },
        { "txtNextStart", number(t.nextblkstartingframe) }, { "txtNextStill", number(t.nextblkstillframe) },
        { "chkNextReverse", number(t.nextblkreverseanimation) },
        { "txtNextDelay", number(t.nextblkdelaybetweenframes) } });
    // The blank-padded transparency flags and the capitalised bomb keys.
    expectSame(
        { { "chkExplosionTrans", number(t.explodetransparency) }, { "txtExplosionRoot", t.explodefilename },
            { "txtExplosionExt", t.explodefileextension }, { "txtExplosionNum", number(t.explodeframecount) },
            { "txtExplosionDelay", number(t.explodedelaybetweenframes) },
            { "chkBombTrans", number(t.bombtransparency) }, { "txtBombRoot", t.bombfilename },
            { "txtBombExt", t.bombfileextension }, { "txtBombNum", number(t.bombframecount) },
            { "txtBombDelay", number(t.bombdelaybetweenframes) } });
    EXPECT_TRUE(t.explodetransparency);

    // Interface images are kept as written (the game finds them through its interface folder),
    // except the high-score picture; the other file names are joined to the unpacked folder.
    const Bytes& folder = t.themefolder;
    expectSame({ { "txtIMain", t.ifacemain }, { "txtIOptions", t.ifaceoptions }, { "txtIChat", t.ifacechat },
        { "txtIClient", t.ifaceconnect }, { "txtIServer", t.ifaceserver }, { "txtITheme", t.ifacethemes },
        { "txtIMisc", t.ifacemisc }, { "txtIInternet", t.ifaceinet }, { "txtIMenu", t.ifacemenu },
        { "chkIMenuTransparent", number(t.ifacemenutransparent) } });
    expectSame({ { "txtIHighScore", t.ifacehighscore } }, folder);
    expectSame({ { "txtMiscImage(0)", t.door1 }, { "txtMiscImage(1)", t.door2 },
                   { "txtMiscImage(2)", t.internetdoor }, { "txtMiscImage(3)", t.winimg },
                   { "chkWinTrans", number(t.wintransparent) }, { "txtMiscImage(4)", t.inetwinimg },
                   { "chkWinInetTrans", number(t.inetwintransparent) }, { "txtMiscImage(5)", t.heightled },
                   { "txtMiscImage(6)", t.warning }, { "txtMiscImage(7)", t.teamfont } },
        folder);
    const SoundTable& s = themes.ThemeSounds;
    expectSame({ { "txtDrop", s[0] }, { "txtRotate", s[1] }, { "txtExplosionSound", s[2] },
                   { "txtLine", s[3] }, { "txtStart", s[4] }, { "txtLose", s[5] }, { "txtWinGame", s[6] },
                   { "txtQuadSound", s[7] }, { "txtChatSound", s[8] }, { "txtClick", s[10] },
                   { "txtShieldSound", s[11] }, { "txtMusic", themes.ThemeMusic } },
        folder);

    // The game keeps its colours in another order: matched by key, not by position.
    const int gameIndexOfBox[kColorCount] = { 0, 2, 3, 1, 4, 5, 6, 7, 11, 8, 9, 10 };
    for (int i = 0; i < kColorCount; ++i)
        EXPECT_EQ(
            themes.ThemeColors[size_t(gameIndexOfBox[i])], ParseColor(state.text(elementName("txtColor", i))))
            << "txtColor(" << i << ")";
}

TEST_F(GameAgreementTest, TypeZeroThemeWithItsSkin)
{
    fillSkinTheme(state);
    saveAndLoadInGame();

    // Without a resource archive, names are used as written.
    const ThemeRecord& t = themes.CurrentTheme;
    expectSame({ { "txtSkinFile", t.skinfile }, { "chkSkinTransparent", number(t.blktransparency) },
        { "txtIMain", t.ifacemain }, { "txtIMenu", t.ifacemenu },
        { "chkIMenuTransparent", number(t.ifacemenutransparent) }, { "txtMusic", themes.ThemeMusic },
        { "txtRotate", themes.ThemeSounds[1] }, { "txtShieldSound", themes.ThemeSounds[11] } });
    EXPECT_EQ(t.themetype, 0);
}
