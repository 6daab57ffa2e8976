#include "editor/model/description.h"

#include "editor/model/editorstate.h"

#include <string>

namespace kalvon::editor {

BytesView YesNoFromText(BytesView text)
{
    return text.empty() ? "No" : "Yes";
}

BytesView YesNoFromValue(int value)
{
    return value != 0 ? "Yes" : "No";
}

Bytes DescriptionText(const EditorState& state)
{
    Bytes out;
    auto line = [&](BytesView label, BytesView value = {}) {
        out += label;
        out += value;
        out += "\r\n";
    };
    auto box
        = [&](BytesView label, BytesView checkBox) { line(label, YesNoFromValue(state.value(checkBox))); };
    constexpr BytesView rule = "//---------------------------";

    line("//Theme Name: ", state.text("txtThemeName"));
    line("//Developer: ", state.text("txtAuthor"));
    line("//Version: ", state.text("txtVersion"));
    line("//Theme Type: ", std::to_string(state.listIndex("cmbType")));
    line(rule);
    line("//!!!!ENTER YOUR DESCRIPTION HERE!!!!");
    line(rule);
    line("//Theme Contents:");
    box("//Interface: ", "chkIface");

    if (state.listIndex("cmbType") == 1) {
        box("//Background: ", "chkBG");
        if (state.value("chkBG") == 1)
            box("//Background Animated: ", "chkBGAni");
        box("//Internet Background: ", "chkIBG");
        if (state.value("chkIBG") == 1)
            box("//Internet Background Animated: ", "chkIBGAni");
        box("//Blocks: ", "chkBlk");
        if (state.value("chkBlk") == 1) {
            box("//Animated Blocks: ", "chkBlkAni");
            box("//Animated Specials: ", "chkSpecAni");
            box("//Animated Internet Blocks: ", "chkInetBlkAni");
            box("//Animated Internet Specials: ", "chkInetSpecAni");
        }
        box("//Next Window: ", "chkNext");
        box("//Special Window: ", "chkSW");
        box("//Explosion: ", "chkExplosion");
        box("//Block Bomb: ", "chkBomb");
    } else {
        const Bytes& skin = state.text("txtSkinFile");
        line("//Skin File: ", YesNoFromText(skin));
        if (!skin.empty()) {
            line("//Background: Yes");
            line("//Blocks: Yes");
            line("//Special Window Image: Yes");
            line("//Next Block Image: Yes");
        }
    }

    if (state.value("chkMImg") == 1) {
        // The first door image (element 0) has no line of its own.
        constexpr BytesView labels[] = { "//Game Door: ", "//Internet Door: ", "//Win Game Image: ",
            "//Internet Win Game Image: ", "//Height Led: ", "//Warning Image: ", "//Team Font: " };
        for (int i = 0; i < 7; ++i)
            line(labels[i], YesNoFromText(state.text(elementName("txtMiscImage", i + 1))));
    } else {
        line("//Miscellaenous Images: No");
    }
    box("//Colors: ", "chkColor");
    box("//Sounds: ", "chkSounds");
    box("//Music: ", "chkMusic");
    line(rule);
    return out;
}

void GenerateDescription(EditorState& state)
{
    state.setText("txtDescription", DescriptionText(state));
}

} // namespace kalvon::editor
