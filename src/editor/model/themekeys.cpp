#include "editor/model/themekeys.h"

namespace kalvon::editor {

namespace {

using F = ValueForm;

// The eight keys of the bg, inetbg, specialwindow and nextblk sets, in the writer's order.
struct SetBoxes {
    std::string_view animated, root, extension, count, start, still, reverse, delay;
};

FrameSet eightKeySet(std::string_view title, std::string_view includeBox, std::string_view prefix,
                     const SetBoxes& boxes, std::string_view firstFrame, std::string_view frameDefault,
                     std::string_view delayDefault)
{
    auto key = [&](std::string_view suffix) { return std::string(prefix) + std::string(suffix); };
    return {title,
            includeBox,
            {{key("animated"), boxes.animated, F::Flag, {}},
             {key("filename"), boxes.root, F::Text, ""},
             {key("extension"), boxes.extension, F::Text, ""},
             {key("framecount"), boxes.count, F::Text, ""},
             {key("startingframe"), boxes.start, F::Text, frameDefault},
             {key("stillframe"), boxes.still, F::Text, frameDefault},
             {key("reverseanimation"), boxes.reverse, F::Flag, {}},
             {key("delaybetweenframes"), boxes.delay, F::Text, delayDefault}},
            boxes.root,
            boxes.extension,
            firstFrame};
}

std::vector<FrameSet> buildTypeOneSets()
{
    std::vector<FrameSet> sets;
    sets.push_back(eightKeySet("//Background", "chkBG", "bg",
                               {"chkBGAni", "txtBGRoot", "txtBGExt", "txtBGNum", "txtBGStart", "txtBGStill",
                                "chkBGReverse", "txtBGDelay"},
                               "txtBStart", "1", "10"));
    sets.push_back({"//Blocks",
                    "chkBlk",
                    {{"animateblocks", "chkBlkAni", F::Flag, {}},
                     {"animatespecials", "chkSpecAni", F::Flag, {}},
                     {"animateinetblocks", "chkInetBlkAni", F::Flag, {}},
                     {"animateinetspecials", "chkInetSpecAni", F::Flag, {}},
                     {"blktransparency", "chkBlkTrans", F::Flag, {}},
                     {"blkfilename", "txtBlkRoot", F::Text, ""},
                     {"blkextension", "txtBlkExt", F::Text, ""},
                     {"blkframecount", "txtBlkNum", F::Text, ""},
                     {"blkstartingframe", "txtBlkStartImage", F::Text, "1"},
                     {"blkstillframe", "txtBlkStill", F::Text, "1"},
                     {"blkreverseanimation", "chkBlkReverse", F::Flag, {}},
                     {"blkdelaybetweenframes", "txtBlkDelay", F::Text, "10"}},
                    "txtBlkRoot",
                    "txtBlkExt",
                    "txtBlkStart"});
    // The internet background alone defaults its frames and delay to empty boxes.
    sets.push_back(eightKeySet("//Internet Background", "chkIBG", "inetbg",
                               {"chkIBGAni", "txtIBGRoot", "txtIBGExt", "txtIBGNum", "txtIBGStart", "txtIBGStill",
                                "chkIBGReverse", "txtIBGDelay"},
                               "txtIBGImage", "", ""));
    sets.push_back(eightKeySet("//Special Window", "chkSW", "specialwindow",
                               {"chkSWAni", "txtSWRoot", "txtSWExt", "txtSWNum", "txtSWStart", "txtSWStill",
                                "chkSWReverse", "txtSWDelay"},
                               "txtSWImage", "1", "10"));
    sets.push_back(eightKeySet("//Next Block Window", "chkNext", "nextblk",
                               {"chkNextAni", "txtNextRoot", "txtNextExt", "txtNextNum", "txtNextStart",
                                "txtNextStill", "chkNextReverse", "txtNextDelay"},
                               "txtNextImage", "1", "10"));
    return sets;
}

} // namespace

std::span<const FrameSet> typeOneFrameSets()
{
    static const std::vector<FrameSet> sets = buildTypeOneSets();
    return sets;
}

const FrameSet& explosionSet()
{
    static const FrameSet set{"//Block Explosion",
                              "chkExplosion",
                              {{"explodetransparency", "chkExplosionTrans", F::PaddedFlag, {}},
                               {"explodefilename", "txtExplosionRoot", F::Text, ""},
                               {"explodefileextension", "txtExplosionExt", F::Text, ""},
                               {"explodeframecount", "txtExplosionNum", F::Text, ""},
                               {"explodedelaybetweenframes", "txtExplosionDelay", F::Text, "10"}},
                              "txtExplosionRoot",
                              "txtExplosionExt",
                              "txtExplosionImage"};
    return set;
}

const FrameSet& bombSet()
{
    // Four of the bomb keys are written with a capital B; readers match keys case-blind.
    static const FrameSet set{"//Block Bomb",
                              "chkBomb",
                              {{"Bombtransparency", "chkBombTrans", F::PaddedFlag, {}},
                               {"Bombfilename", "txtBombRoot", F::Text, ""},
                               {"bombfileextension", "txtBombExt", F::Text, ""},
                               {"Bombframecount", "txtBombNum", F::Text, ""},
                               {"Bombdelaybetweenframes", "txtBombDelay", F::Text, "10"}},
                              "txtBombRoot",
                              "txtBombExt",
                              "txtBombImage"};
    return set;
}

const OptionalGroup& interfaceGroup()
{
    static const OptionalGroup group{"//Graphical User Interface",
                                     "chkIface",
                                     {{"ifacemain", "txtIMain"},
                                      {"ifaceoptions", "txtIOptions"},
                                      {"ifacechat", "txtIChat"},
                                      {"ifaceconnect", "txtIClient"},
                                      {"ifaceserver", "txtIServer"},
                                      {"ifacethemes", "txtITheme"},
                                      {"ifacemisc", "txtIMisc"},
                                      {"ifacehighscore", "txtIHighScore"},
                                      {"ifaceinet", "txtIInternet"},
                                      {"ifacemenu", "txtIMenu", "ifacemenutransparent", "chkIMenuTransparent"}}};
    return group;
}

const OptionalGroup& miscImagesGroup()
{
    static const OptionalGroup group{"//Miscellaneous Images",
                                     "chkMImg",
                                     {{"door1", "txtMiscImage(0)"},
                                      {"door2", "txtMiscImage(1)"},
                                      {"internetdoor", "txtMiscImage(2)"},
                                      {"winimg", "txtMiscImage(3)", "wintransparent", "chkWinTrans"},
                                      {"inetwinimg", "txtMiscImage(4)", "inetwintransparent", "chkWinInetTrans"},
                                      {"heightled", "txtMiscImage(5)"},
                                      {"warning", "txtMiscImage(6)"},
                                      {"teamfont", "txtMiscImage(7)"}}};
    return group;
}

const OptionalGroup& musicGroup()
{
    static const OptionalGroup group{"//Music", "chkMusic", {{"midi", "txtMusic"}}};
    return group;
}

const OptionalGroup& soundsGroup()
{
    static const OptionalGroup group{"//Sounds",
                                     "chkSounds",
                                     {{"startgame", "txtStart"},
                                      {"rotate", "txtRotate"},
                                      {"drop", "txtDrop"},
                                      {"lineclear", "txtLine"},
                                      {"quad", "txtQuadSound"},
                                      {"explode", "txtExplosionSound"},
                                      {"win", "txtWinGame"},
                                      {"lose", "txtLose"},
                                      {"chat", "txtChatSound"},
                                      {"click", "txtClick"},
                                      {"holyshield", "txtShieldSound"}}};
    return group;
}

std::span<const std::string_view> colorKeys()
{
    static constexpr std::string_view keys[] = {
        "colortitle", "colorfields", "coloroptions", "colortheme", "colorserver", "colorconnect",
        "colorinternet", "colorhighscoretitle", "colorhighscorenormal", "colorhighscorefirst",
        "colorhighscoresecond", "colorhighscorethird"};
    return keys;
}

} // namespace kalvon::editor
