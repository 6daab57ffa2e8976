#pragma once
// Engine operations the game window calls that the engine core does not have yet: using and
// discarding specials, pause and resume, and the field doors and fills of game start and end.

namespace kalvon {

class PendingEngine {
public:
    virtual ~PendingEngine() = default;
    virtual void UseSpecial(int user, int target) = 0;
    virtual void RefreshSpecialBar(int p) = 0;
    virtual void PauseGame() = 0;
    virtual void ResumeGame() = 0;
    virtual void FadeInField(int p) = 0;
    virtual void FadeOutField(int p) = 0;
    virtual void FillFieldRandom(int p) = 0;
};

} // namespace kalvon
