#pragma once
// The theme page's preview pictures (one picture per background frame, the skin, the block,
// internet background, next-piece window, special window, explosion and bomb strips with their
// masks, the doors and their masks, the warning), the state of the preview's small internet
// door, and the page's animation check boxes. The theme preview builds the pictures; a null
// sheet is a picture it does not have (or has dropped), and nothing is drawn from it.

#include "render/themeimages.h"

#include <vector>

namespace kalvon {

// The preview's check boxes, checked meaning true.
struct PreviewChecks {
    bool background = false; // chkPreviewBack: "Animate Background"
    bool internetBackground = false; // chkPreviewInetBG: "Animate Internet Background"
    bool nextPiece = false; // chkPreviewNext: "Animate Next Piece Window"
    bool specialWindow = false; // chkSpecPreview: "Animate Special Window"
    bool blocks = false; // chkPreviewBlocks: "Animate Blocks"
    bool blocksOnBackground = false; // chkBltBlocks: "Show Blocks on Background"
};

struct PreviewPictures {
    std::vector<Sheet> picBack; // [f - 1]: background frame f, 192 x 352
    Sheet picBlocks; // the preview theme's skin (type 0)
    Sheet picAniBlocks; // block frames 96 x 80, stacked (type 1)
    Sheet picMBlock; // the mask of picBlocks (type 0) or of picAniBlocks (type 1)
    Sheet picInetBG; // internet background frames, 96 x 176 each, stacked
    Sheet picNextBlk; // next-piece window frames, 77 x 77, stacked
    Sheet picSpecwin; // special window frames, 160 x 16, stacked
    Sheet picInetDoor; // 96 x 176: upper half rows 0..89, lower half 90..175
    Sheet picExplosion, picMExplode; // explosion frames 192 x 64, stacked, and their mask
    Sheet picBomb, picBombMask; // bomb frames 64 x 64, stacked, and their mask
    Sheet picDoor, picDoorMask, picDoor2, picDoorMask2; // left and right door, 192 x 352
    Sheet picWarning, picMWarn; // 192 x 64

    // The small internet door over the theme page's internet preview.
    bool InetDoorOpen = false;
    bool InetDoorClosing = false;
    bool InetDoorOpening = false;

    PreviewChecks checks;

    // The pictures dropped (the door state and the check boxes stay); an animation that holds
    // one of them stops drawing.
    void releasePictures()
    {
        picBack.clear();
        for (Sheet* sheet : { &picBlocks, &picAniBlocks, &picMBlock, &picInetBG, &picNextBlk, &picSpecwin,
                 &picInetDoor, &picExplosion, &picMExplode, &picBomb, &picBombMask, &picDoor, &picDoorMask,
                 &picDoor2, &picDoorMask2, &picWarning, &picMWarn })
            sheet->reset();
    }
};

} // namespace kalvon
