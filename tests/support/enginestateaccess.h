#pragma once
// Tests and benchmarks arrange their situations by writing the engine's state directly; the
// program itself changes it only through the engine's operations.

#include "engine/gameengine.h"

namespace kalvon {

struct EngineStateAccess {
    static EngineState& of(GameEngine& engine) { return engine.m_state; }
};

namespace testing {

// The engine's state, to arrange a situation in.
inline EngineState& writableState(GameEngine& engine)
{
    return EngineStateAccess::of(engine);
}

} // namespace testing

} // namespace kalvon
