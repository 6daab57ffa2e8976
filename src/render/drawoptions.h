#pragma once
// The display options the renderer reads while it draws: check boxes of the options page
// ("checked" meaning value 1) and the drop-trail colour; the theme page's boxes are the
// preview's (PreviewChecks). The window fills them from the options model; they may change at
// any time.

#include <array>
#include <cstdint>

namespace kalvon {

struct DrawOptions {
    bool doors = false; // closed doors hide a field
    std::array<bool, 3> guides{}; // [1] player 1's, [2] player 2's column guide lines
    bool animateBackground = false; // the field backgrounds animate
    bool animateBlocks = false; // the blocks animate
    bool animateSpecials = false; // the special blocks animate
    bool animateNextPiece = false; // the next-piece windows animate
    bool animateInternetBackground = false; // the opponent boards' background animates
    bool animateInternetBlocks = false; // their blocks animate
    bool animateInternetSpecials = false; // their special blocks animate
    bool shadows = false; // the falling piece's shadow
    bool warning = false; // the top-rows warning strip
    bool leds = false; // the height LEDs
    bool dropTrail = false; // the trail a dropped piece leaves
    int32_t dropTrailColor = 0xFFFFFF; // DropTrailColor, red + 256 green + 65536 blue
};

} // namespace kalvon
