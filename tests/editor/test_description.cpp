// The description generator: the "//" summary of the theme's parts.

#include "editor/model/description.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editortesting.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::editor::testing::fill;

namespace {

std::string lines(std::initializer_list<std::string_view> list)
{
    std::string out;
    for (std::string_view line : list) {
        out += line;
        out += "\r\n";
    }
    return out;
}

const std::string kOpening = lines({ "//Theme Name: Kalvon Theme", "//Developer: Author", "//Version: 1.0" });
const std::string kTypeOne = lines({ "//Theme Type: 1", "//---------------------------",
    "//!!!!ENTER YOUR DESCRIPTION HERE!!!!", "//---------------------------", "//Theme Contents:" });
const std::string kTypeZero = lines({ "//Theme Type: 0", "//---------------------------",
    "//!!!!ENTER YOUR DESCRIPTION HERE!!!!", "//---------------------------", "//Theme Contents:" });

} // namespace

TEST(Description, SummarisesTheIncludedParts)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> values;
        std::string expected;
    };
    const std::vector<Case> cases = {
        { "a type-1 theme with nothing included: 21 lines", {},
            kOpening + kTypeOne
                + lines({ "//Interface: No", "//Background: No", "//Internet Background: No", "//Blocks: No",
                    "//Next Window: No", "//Special Window: No", "//Explosion: No", "//Block Bomb: No",
                    "//Miscellaenous Images: No", "//Colors: No", "//Sounds: No", "//Music: No",
                    "//---------------------------" }) },
        { "sub-lines only under an included part",
            { { "chkIface", "1" }, { "chkBG", "1" }, { "chkBGAni", "1" }, { "chkIBGAni", "1" },
                { "chkBlk", "1" }, { "chkSpecAni", "1" }, { "chkBomb", "1" }, { "chkMusic", "1" } },
            kOpening + kTypeOne
                + lines({ "//Interface: Yes", "//Background: Yes", "//Background Animated: Yes",
                    "//Internet Background: No", "//Blocks: Yes", "//Animated Blocks: No",
                    "//Animated Specials: Yes", "//Animated Internet Blocks: No",
                    "//Animated Internet Specials: No", "//Next Window: No", "//Special Window: No",
                    "//Explosion: No", "//Block Bomb: Yes", "//Miscellaenous Images: No", "//Colors: No",
                    "//Sounds: No", "//Music: Yes", "//---------------------------" }) },
        { "type 0 without a skin", { { "cmbType", "0" }, { "chkBG", "1" } },
            kOpening + kTypeZero
                + lines({ "//Interface: No", "//Skin File: No", "//Miscellaenous Images: No", "//Colors: No",
                    "//Sounds: No", "//Music: No", "//---------------------------" }) },
        { "type 0 with a skin; the first door image has no line",
            { { "cmbType", "0" }, { "txtSkinFile", "s.bmp" }, { "chkMImg", "1" },
                { "txtMiscImage(0)", "d1.bmp" }, { "txtMiscImage(2)", "id.bmp" },
                { "txtMiscImage(7)", "f.bmp" }, { "chkColor", "1" }, { "chkSounds", "1" } },
            kOpening + kTypeZero
                + lines({ "//Interface: No", "//Skin File: Yes", "//Background: Yes", "//Blocks: Yes",
                    "//Special Window Image: Yes", "//Next Block Image: Yes", "//Game Door: No",
                    "//Internet Door: Yes", "//Win Game Image: No", "//Internet Win Game Image: No",
                    "//Height Led: No", "//Warning Image: No", "//Team Font: Yes", "//Colors: Yes",
                    "//Sounds: Yes", "//Music: No", "//---------------------------" }) },
    };
    for (const Case& c : cases) {
        EditorState state;
        StartEditor(state);
        fill(state, c.values);
        EXPECT_EQ(DescriptionText(state), c.expected) << c.what;
    }
}

TEST(Description, EmptyIdentityStaysEmptyAndNoTypeReadsMinusOne)
{
    EditorState state;
    StartEditor(state);
    fill(state, { { "txtThemeName", "" }, { "cmbType", "-1" } });
    const std::string text = DescriptionText(state);
    EXPECT_EQ(text.substr(0, text.find("//Developer")), "//Theme Name: \r\n");
    EXPECT_NE(text.find("\r\n//Theme Type: -1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n//Skin File: No\r\n"), std::string::npos);
}

TEST(Description, GeneratingReplacesTypedTextAndMarksChangedOnlyWhenItDiffers)
{
    EditorState state;
    StartEditor(state);
    state.setText("txtDescription", "typed by hand");
    GenerateDescription(state);
    EXPECT_EQ(state.text("txtDescription"), DescriptionText(state));
    EXPECT_TRUE(state.Changed());

    state.setChanged(false);
    GenerateDescription(state);
    EXPECT_FALSE(state.Changed());
}
