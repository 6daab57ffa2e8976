#pragma once
// The theme page's preview pictures that its door and explosion tests draw from (one picture
// per background frame, the skin, the internet background strip and door, the explosion strip
// and its mask, the two field doors and their masks), and the state of the preview's small
// internet door. The theme preview builds the pictures; a null sheet is a picture it does not
// have (or has dropped), and nothing is drawn from it.

#include "render/themeimages.h"

#include <vector>

namespace kalvon {

struct PreviewPictures {
    std::vector<Sheet> picBack; // [f - 1]: background frame f, 192 x 352
    Sheet picBlocks; // the preview theme's skin (type 0)
    Sheet picInetBG; // internet background frames, 96 x 176 each, stacked
    Sheet picInetDoor; // 96 x 176: upper half rows 0..89, lower half 90..175
    Sheet picExplosion, picMExplode; // explosion frames 192 x 64, stacked, and their mask
    Sheet picDoor, picDoorMask, picDoor2, picDoorMask2; // left and right door, 192 x 352

    // The small internet door over the theme page's internet preview.
    bool InetDoorOpen = false;
    bool InetDoorClosing = false;
    bool InetDoorOpening = false;
};

} // namespace kalvon
