#include "editor/model/newtheme.h"

#include "editor/model/editorstate.h"

#include <string_view>

namespace kalvon::editor {

namespace {

struct Default {
    std::string_view control;
    std::string_view value; // a text, or a check box value / list index in decimal
};

// In the order the defaults are set.
constexpr Default kDefaults[] = {
    { "txtThemeName", "Kalvon Theme" },
    { "txtAuthor", "Author" },
    { "txtVersion", "1.0" },
    { "txtResource", "KalvonTheme.zip" },
    { "chkIface", "0" },
    { "txtIMain", "" },
    { "txtIOptions", "" },
    { "txtIChat", "" },
    { "txtIClient", "" },
    { "txtIServer", "" },
    { "txtITheme", "" },
    { "txtIMisc", "" },
    { "txtIHighScore", "" },
    { "txtIMenu", "" },
    { "chkIMenuTransparent", "0" },
    { "txtIInternet", "" },
    { "cmbType", "1" },
    { "chkBG", "0" },
    { "chkBGAni", "0" },
    { "txtBGRoot", "" },
    { "txtBGExt", "" },
    { "txtBStart", "" },
    { "txtBGNum", "" },
    { "txtBGStart", "1" },
    { "txtBGStill", "1" },
    { "chkBGReverse", "0" },
    { "txtBGDelay", "10" },
    { "chkSW", "0" },
    { "chkSWAni", "0" },
    { "txtSWRoot", "" },
    { "txtSWExt", "" },
    { "txtSWImage", "" },
    { "txtSWNum", "" },
    { "txtSWStart", "1" },
    { "txtSWStill", "1" },
    { "txtSWDelay", "10" },
    { "chkSWReverse", "0" },
    { "chkIBG", "0" },
    { "chkIBGAni", "0" },
    { "txtIBGRoot", "" },
    { "txtIBGExt", "" },
    { "txtIBGImage", "" },
    { "txtIBGNum", "" },
    { "txtIBGStart", "" },
    { "txtIBGStill", "" },
    { "chkIBGReverse", "0" },
    { "txtIBGDelay", "" },
    { "chkBlk", "0" },
    { "chkBlkAni", "0" },
    { "chkSpecAni", "0" },
    { "chkInetBlkAni", "0" },
    { "chkInetSpecAni", "0" },
    { "txtBlkRoot", "" },
    { "txtBlkExt", "" },
    { "txtBlkStart", "" },
    { "txtBlkNum", "" },
    { "txtBlkStartImage", "1" },
    { "txtBlkStill", "1" },
    { "chkBlkReverse", "0" },
    { "txtBlkDelay", "10" },
    { "chkBlkTrans", "0" },
    { "chkNext", "0" },
    { "chkNextAni", "0" },
    { "txtNextRoot", "" },
    { "txtNextExt", "" },
    { "txtNextImage", "" },
    { "txtNextNum", "" },
    { "txtNextStart", "1" },
    { "txtNextStill", "1" },
    { "chkNextReverse", "0" },
    { "txtNextDelay", "10" },
    { "chkExplosion", "0" },
    { "txtExplosionImage", "" },
    { "txtExplosionRoot", "" },
    { "txtExplosionExt", "" },
    { "txtExplosionNum", "" },
    { "txtExplosionDelay", "10" },
    { "chkExplosionTrans", "0" },
    { "chkBomb", "0" },
    { "txtBombImage", "" },
    { "txtBombRoot", "" },
    { "txtBombExt", "" },
    { "txtBombNum", "" },
    { "txtBombDelay", "10" },
    { "chkBombTrans", "0" },
    { "chkMImg", "0" },
    { "txtMiscImage(0)", "" },
    { "txtMiscImage(1)", "" },
    { "txtMiscImage(2)", "" },
    { "txtMiscImage(3)", "" },
    { "txtMiscImage(4)", "" },
    { "txtMiscImage(5)", "" },
    { "txtMiscImage(6)", "" },
    { "txtMiscImage(7)", "" },
    { "chkWinTrans", "0" },
    { "chkWinInetTrans", "0" },
    { "chkColor", "0" },
    { "chkSounds", "0" },
    { "chkMusic", "0" },
    { "txtMusic", "" },
    { "txtStart", "" },
    { "txtRotate", "" },
    { "txtDrop", "" },
    { "txtLine", "" },
    { "txtExplosionSound", "" },
    { "txtQuadSound", "" },
    { "txtWinGame", "" },
    { "txtLose", "" },
    { "txtChatSound", "" },
    { "txtClick", "" },
    { "txtShieldSound", "" },
    { "txtColor(0)", "" },
    { "txtColor(1)", "" },
    { "txtColor(2)", "" },
    { "txtColor(3)", "" },
    { "txtColor(4)", "" },
    { "txtColor(5)", "" },
    { "txtColor(6)", "" },
    { "txtColor(7)", "" },
    { "txtColor(8)", "" },
    { "txtColor(9)", "" },
    { "txtColor(10)", "" },
    { "txtColor(11)", "" },
};

constexpr std::string_view kFramesDisabled[] = {
    "fraBlocks",
    "fraMImg",
    "fraBackground",
    "fraBGAni",
    "fraSW",
    "fraSWAni",
    "fraNext",
    "fraNextAni",
    "fraExplosion",
    "fraBomb",
    "fraSound",
    "fraMusic",
    "fraIBG",
    "fraIBGAni",
    "fraIface",
    "fraColor",
    "fraBlkAni",
};

int smallNumber(std::string_view digits)
{
    int n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

} // namespace

void NewThemeDefaults(EditorState& state)
{
    EditorFiles& files = state.files();
    files.CurrentFile.clear();
    files.ResourceDir.clear();
    files.ResourceRelDir.clear();
    for (const Default& entry : kDefaults) {
        switch (controlCatalogue()[static_cast<size_t>(controlIndex(entry.control))].kind) {
        case ControlKind::Text: state.setText(entry.control, entry.value); break;
        case ControlKind::Check: state.setValue(entry.control, smallNumber(entry.value)); break;
        case ControlKind::List: state.setListIndex(entry.control, smallNumber(entry.value)); break;
        }
    }
    for (std::string_view frame : kFramesDisabled)
        state.setEnabled(frame, false);
    for (std::string_view timer : previewTimers())
        state.setTimerEnabled(timer, false);
}

void ApplyNewTheme(EditorState& state)
{
    NewThemeDefaults(state);
    state.themeTypeChosen();
    state.setChanged(false);
}

void StartEditor(EditorState& state)
{
    state.setListIndex("cmbType", 1);
    state.setListIndex("cmbFields", 0);
    state.setListIndex("cmbBlocks", 0);
    state.setListIndex("cmbMisc", 0);
    NewThemeDefaults(state);
    state.setChanged(false);
    state.files().ResourceRelDir.clear();
    state.files().MusicPath.clear();
    state.selectTab(state.selectedTab());
}

} // namespace kalvon::editor
