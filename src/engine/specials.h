#pragma once
// The effects of the sixteen specials on a target player's field, over the engine's state:
// the field specials (rows, columns and cells added, removed or recoloured), the rearranging
// specials and the block bomb, and the timed specials (the tick ends them through the engine's
// endTimedEffects). Drop Block is the engine's own HardDrop.
//
// None of them yields to pending events while it works: they run to the end in one go, so no
// tick, key or network handler can change the field halfway through. Nor do they wait for a
// landing in progress: the engine's landing never yields before it is done with the field.
//
// Targets are local players 1 and 2; the effects that do not touch the falling piece also
// take the preview field 3. Anything else is refused without change.

#include "engine/gameengine.h"
#include "engine/specialeffects.h"

#include <cstdint>
#include <optional>

namespace kalvon {

class GameSpecials final : public SpecialEffects {
public:
    explicit GameSpecials(GameEngine& engine)
        : m_engine(engine)
    {
    }

    // --- field specials ---
    void AddLine(int t) override;
    void ClearLine(int t) override;
    void NukeField(int t) override;
    void RandomClear(int t) override;
    void VerticalClear(int t) override;
    void ClearSpecials(int t) override;
    void GiveLine(int t) override;

    // --- rearranging specials and the block bomb ---
    void SwitchBlocks() override;
    void BlockGravity(int t) override;
    void BlockQuake(int t) override;
    void PushField(int t) override;
    void ExplodeBombBlocks(int t) override;
    // A locked block of `code` at a random free cell of rows 6..21, drawn at most 50 times;
    // the avoided cell only on the last draw. A last draw that is occupied drops the block.
    void PlaceBlockAtRandom(int p, int16_t code, int avoidColumn, int avoidRow);
    // A bomb animation in the first free slot of the field, at (x, y) rounded half to even;
    // nothing with the animation option off or all ten slots busy.
    void StartBombAnimation(int p, double x, double y);

    // --- timed specials ---
    void FlashScreen(int t) override;
    void StartTremor(int t) override;
    void HolyShield(int t) override;

    // --- counting ---
    int CountColumnBlocks(int p, int x) const; // locked blocks of a column
    int CountRowBlocks(int p, int y) const; // locked blocks of a row
    int CountFieldBlocks(int p) const; // normal blocks of the field

private:
    static bool isPlayer(int p) { return p == 1 || p == 2; }
    static bool isField(int p) { return p >= 1 && p <= kLocalFields; }
    EngineState& state() { return m_engine.m_state; }
    const EngineState& state() const { return m_engine.m_state; }
    EngineHost& host() { return m_engine.host(); }
    EngineDrawing& drawing() { return m_engine.drawing(); }
    int draw(int n) { return randomBelow(m_engine.random(), n); }
    void playSound(SoundSlot slot);
    bool isLocked(int p, int x, int y) const;
    bool isFalling(int p, int x, int y) const;
    // Empties rows 0 and 21 and moves the rows between down one; the piece moves along.
    void removeBottomRow(int t);
    std::optional<int> pickQuakeRow(int t);

    GameEngine& m_engine;
};

} // namespace kalvon
