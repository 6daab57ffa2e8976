#pragma once
// The drawing the running game asks for: the engine's drawing, and the few calls the window and
// the game tick add. The field renderer implements it; tests record the calls.

#include "engine/enginedrawing.h"

namespace kalvon {

class GameDrawing : public EngineDrawing {
public:
    // picLeds(p) cleared (game start).
    virtual void ClearHeightLed(int p) = 0;
    // The bomb animation of a slot (0..9) shows its 1-based frame, or ends.
    virtual void KalvonBombFrame(int p, int slot, int frame) = 0;
    virtual void KalvonBombKill(int p, int slot) = 0;
};

} // namespace kalvon
