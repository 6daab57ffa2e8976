#pragma once
// What theme loading and the sheet loaders need of the main window: the enabled state of the
// options page's eight animation check boxes, and the loading window's file label. The main
// window implements it; tests record the calls.

#include "common/bytes.h"

namespace kalvon {

// The animation check boxes of the options page, by their control names.
enum class AnimationBox {
    chkBGAni, // animate the field background
    chkAniInetBG, // animate the internet background
    chkblkani, // animate blocks
    chkAniInetBlks, // animate internet blocks
    chkInetSpec, // animate internet specials
    chkAniSpec, // animate specials
    chkSpecWin, // animate the special window
    chkNextBlk, // animate the next-piece window
};
inline constexpr AnimationBox kAnimationBoxes[] = {
    AnimationBox::chkBGAni,
    AnimationBox::chkAniInetBG,
    AnimationBox::chkblkani,
    AnimationBox::chkAniInetBlks,
    AnimationBox::chkInetSpec,
    AnimationBox::chkAniSpec,
    AnimationBox::chkSpecWin,
    AnimationBox::chkNextBlk,
};

class ThemeWindow {
public:
    virtual ~ThemeWindow() = default;
    virtual void setAnimationBoxEnabled(AnimationBox box, bool enabled) = 0;
    // Called for each picture file a sheet loader reads: while the loading window is visible,
    // its label shows `path` and pending events run; otherwise nothing happens.
    virtual void showLoadingFile(BytesView path) = 0;
};

} // namespace kalvon
