#pragma once
// The effects of the specials, aimed at a target player t. Using a special (and, for Add Line,
// the lines that the classic rule sends to the other local player) reaches them through this
// interface; Drop Block is the engine's own HardDrop. The effects that wait for time do so
// through the host's Wait.

namespace kalvon {

class SpecialEffects {
public:
    virtual ~SpecialEffects() = default;
    virtual void AddLine(int t) = 0;
    virtual void ClearLine(int t) = 0;
    virtual void NukeField(int t) = 0;
    virtual void RandomClear(int t) = 0;
    virtual void SwitchBlocks() = 0;
    virtual void ClearSpecials(int t) = 0;
    virtual void BlockGravity(int t) = 0;
    virtual void BlockQuake(int t) = 0;
    virtual void PushField(int t) = 0;
    virtual void FlashScreen(int t) = 0;
    virtual void GiveLine(int t) = 0;
    virtual void StartTremor(int t) = 0;
    virtual void VerticalClear(int t) = 0;
    virtual void ExplodeBombBlocks(int t) = 0;
    virtual void HolyShield(int t) = 0;
};

// Effects that do nothing, for an engine that has not been given any.
class NoSpecialEffects final : public SpecialEffects {
public:
    void AddLine(int) override { }
    void ClearLine(int) override { }
    void NukeField(int) override { }
    void RandomClear(int) override { }
    void SwitchBlocks() override { }
    void ClearSpecials(int) override { }
    void BlockGravity(int) override { }
    void BlockQuake(int) override { }
    void PushField(int) override { }
    void FlashScreen(int) override { }
    void GiveLine(int) override { }
    void StartTremor(int) override { }
    void VerticalClear(int) override { }
    void ExplodeBombBlocks(int) override { }
    void HolyShield(int) override { }
};

} // namespace kalvon
