#include "editortesting.h"

namespace kalvon::editor::testing {

void fillAllPartsTheme(EditorState& state)
{
    fill(state, {
        {"txtThemeName", "Neon Nights"}, {"txtAuthor", "Kalvon Team"}, {"txtVersion", "2.0"},
        // Typed in a widget: bare line feeds.
        {"txtDescription", "//Our own test theme\n//Second line"},
        {"txtResource", "neon.zip"},
        {"chkIface", "1"}, {"txtIMain", "iface/main.bmp"}, {"txtIOptions", "iface/options.bmp"},
        {"txtIChat", "iface/chat.bmp"}, {"txtIClient", "iface/connect.bmp"}, {"txtIServer", "iface/server.bmp"},
        {"txtITheme", "iface/themes.bmp"}, {"txtIMisc", "iface/misc.bmp"}, {"txtIHighScore", "iface/scores.bmp"},
        {"txtIInternet", "iface/inet.bmp"}, {"txtIMenu", "iface/menu.bmp"}, {"chkIMenuTransparent", "1"},
        {"chkBG", "1"}, {"chkBGAni", "1"}, {"txtBGRoot", "bg"}, {"txtBGExt", "bmp"}, {"txtBGNum", "8"},
        {"txtBGStill", "3"}, {"txtBGDelay", "40"},
        {"chkBlk", "1"}, {"chkBlkAni", "1"}, {"chkInetBlkAni", "1"}, {"chkBlkTrans", "1"}, {"txtBlkRoot", "blk"},
        {"txtBlkExt", "bmp"}, {"txtBlkNum", "4"}, {"txtBlkStill", "2"}, {"chkBlkReverse", "1"},
        {"txtBlkDelay", "80"},
        // The internet background keeps the new theme's empty boxes.
        {"chkIBG", "1"},
        {"chkSW", "1"}, {"txtSWRoot", "sw"}, {"txtSWExt", "jpg"}, {"txtSWNum", "1"},
        {"chkNext", "1"}, {"chkNextAni", "1"}, {"txtNextRoot", "next"}, {"txtNextExt", "bmp"},
        {"txtNextNum", "12"}, {"txtNextStart", "2"}, {"chkNextReverse", "1"}, {"txtNextDelay", "25"},
        {"chkExplosion", "1"}, {"chkExplosionTrans", "1"}, {"txtExplosionRoot", "boom"},
        {"txtExplosionExt", "png"}, {"txtExplosionNum", "6"}, {"txtExplosionDelay", "30"},
        {"chkBomb", "1"}, {"txtBombRoot", "bomb"}, {"txtBombExt", "bmp"}, {"txtBombNum", "3"},
        {"chkMImg", "1"}, {"txtMiscImage(0)", "door1.bmp"}, {"txtMiscImage(1)", "door2.bmp"},
        {"txtMiscImage(2)", "inetdoor.bmp"}, {"txtMiscImage(3)", "win.bmp"}, {"chkWinTrans", "1"},
        {"txtMiscImage(4)", "inetwin.bmp"}, {"txtMiscImage(5)", "led.bmp"}, {"txtMiscImage(6)", "warning.bmp"},
        {"txtMiscImage(7)", "font.bmp"},
        {"chkColor", "1"}, {"txtColor(0)", "255,0,0"}, {"txtColor(3)", "0,128,255"}, {"txtColor(7)", "12,34,56"},
        {"chkMusic", "1"}, {"txtMusic", "music/theme.ogg"},
        {"chkSounds", "1"}, {"txtStart", "start.wav"}, {"txtRotate", "rotate.wav"}, {"txtDrop", "drop.wav"},
        {"txtLine", "line.wav"}, {"txtQuadSound", "quad.wav"}, {"txtExplosionSound", "boom.wav"},
        {"txtWinGame", "win.wav"}, {"txtLose", "lose.wav"}, {"txtChatSound", "chat.wav"},
        {"txtClick", "click.wav"}, {"txtShieldSound", "shield.wav"},
    });
}

void fillSkinTheme(EditorState& state)
{
    fill(state, {
        {"txtThemeName", "Skin Theme"}, {"txtAuthor", "Someone"}, {"txtVersion", "2.1"}, {"txtDescription", ""},
        {"cmbType", "0"}, {"txtSkinFile", "skins/main.bmp"}, {"chkSkinTransparent", "1"},
        {"chkIface", "1"}, {"txtIMain", "main.bmp"}, {"txtIMenu", "menu.bmp"},
        // Type-1 parts: a type-0 file carries none of them.
        {"chkBG", "1"}, {"chkColor", "1"}, {"chkExplosion", "1"}, {"txtColor(0)", "1,2,3"},
        {"chkMusic", "1"}, {"txtMusic", "song.mid"},
        {"chkSounds", "1"}, {"txtRotate", "rot.wav"}, {"txtShieldSound", "shield.wav"},
    });
}

} // namespace kalvon::editor::testing
