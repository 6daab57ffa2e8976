#pragma once
// The display options the renderer reads while it draws: check boxes of the options page
// ("checked" meaning value 1) and the drop-trail colour; the theme page's boxes are the
// preview's (PreviewChecks). The window fills them from the options model; they may change at
// any time.

#include <array>
#include <cstdint>

namespace kalvon {

struct DrawOptions {
    bool doors = false; // chkDoor: closed doors hide a field
    std::array<bool, 3> guides{}; // [1] chkP1Guide, [2] chkP2Guide: column guide lines
    bool animateBackground = false; // chkBGAni
    bool animateBlocks = false; // chkblkani
    bool animateSpecials = false; // chkAniSpec
    bool animateNextPiece = false; // chkNextBlk
    bool shadows = false; // chkShadows
    bool warning = false; // chkWarning: the top-rows warning strip
    bool leds = false; // chkLeds: the height LEDs
    bool dropTrail = false; // chkDropTrail
    int32_t dropTrailColor = 0xFFFFFF; // DropTrailColor, red + 256 green + 65536 blue
};

} // namespace kalvon
