// A one-player game without end, played operation by operation: straight pieces standing in all
// twelve columns (a four-row clear with its explosion), three lying flat (one row), six squares
// (two rows). Each round of 21 pieces leaves the field empty again, so the game runs as long as
// the benchmark likes. Reports the time per engine operation and counts heap allocations, which
// must stay at zero once the game runs.

#include "engine/gameengine.h"

#include <array>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_allocations{ 0 };

} // namespace

// The replaced operator new and delete below pair malloc with free; GCC cannot see that once they
// are inlined into callers.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

using namespace kalvon;

class QuietHost final : public EngineHost {
public:
    EngineDrawing& drawing() override { return m_drawing; }
    void playSound(SoundSlot) override { }
    void setLabel(LabelId, int, BytesView text) override { benchmark::DoNotOptimize(text.data()); }
    void BotPieceUpdate(int) override { }
    void sendPauseGame() override { }
    void sendResumeGame() override { }
    void sendPlayerLost() override { }
    void addLinesToAll(int) override { }
    void SendFieldUpdate() override { }
    void ResetSentField() override { }
    void CheckLevelUp() override { }
    void Yield() override { }
    void Wait(int64_t) override { }
    void SetGameTimer(bool) override { }
    void PauseMusic() override { }
    void ResumeMusic() override { }
    void StopGameMusic() override { }
    void SetPauseCaption(BytesView) override { }
    void FocusField() override { }
    void LocalGameEnded() override { }
    bool IsHostingServer() const override { return false; }
    void ServerMsgPause(int) override { }
    void ServerMsgResume(int) override { }
    void MarkMyPlayerDead() override { }

private:
    NoDrawing m_drawing;
};

class ZeroClock final : public Clock {
public:
    int64_t nowMs() const override { return 0; }
};

// One round of the game: the piece type and where it goes.
struct Placement {
    PieceType type;
    bool upright;
    int column;
};

constexpr std::array<Placement, 21> kRound = { {
    { PieceType::Lines, true, 0 },
    { PieceType::Lines, true, 1 },
    { PieceType::Lines, true, 2 },
    { PieceType::Lines, true, 3 },
    { PieceType::Lines, true, 4 },
    { PieceType::Lines, true, 5 },
    { PieceType::Lines, true, 6 },
    { PieceType::Lines, true, 7 },
    { PieceType::Lines, true, 8 },
    { PieceType::Lines, true, 9 },
    { PieceType::Lines, true, 10 },
    { PieceType::Lines, true, 11 },
    { PieceType::Lines, false, 0 },
    { PieceType::Lines, false, 4 },
    { PieceType::Lines, false, 8 },
    { PieceType::Square, false, 0 },
    { PieceType::Square, false, 2 },
    { PieceType::Square, false, 4 },
    { PieceType::Square, false, 6 },
    { PieceType::Square, false, 8 },
    { PieceType::Square, false, 10 },
} };

// Hands out the piece types of the rounds in order (a one-player draw is Int(r x 7)).
class RoundRandom final : public EngineRandom {
public:
    double next() override
    {
        const Placement& placement = kRound[m_drawn++ % kRound.size()];
        return (static_cast<double>(placement.type) + 0.5) / kPieceTypes;
    }
    void reseed(uint64_t) override { m_drawn = 0; }

private:
    size_t m_drawn = 0;
};

class EndlessGame {
public:
    EndlessGame()
        : m_engine(m_host, m_random, m_clock)
    {
        m_engine.setGameMode(GameMode::OnePlayer);
        m_engine.setOptions({ .sounds = true, .shadows = true, .explode = true, .dropTrail = true });
        restart();
    }

    // Plays one piece; answers the number of engine operations it took.
    long playPiece()
    {
        const Placement& placement = kRound[m_piece++ % kRound.size()];
        long operations = 0;
        auto op = [&operations](auto&& call) {
            call();
            ++operations;
        };
        op([&] { m_engine.gravityStep(1, m_now += 1011); }); // gravity: one row down
        op([&] { m_engine.DrawPieceShadow(1); });
        if (placement.upright)
            op([&] { m_engine.RotatePiece(1, 1); });
        while (m_engine.state().FallingPiece[1].Column > placement.column)
            op([&] { m_engine.MovePieceLeft(1); });
        while (m_engine.state().FallingPiece[1].Column < placement.column)
            op([&] { m_engine.MovePieceRight(1); });
        op([&] { m_engine.MovePieceDown(1); });
        op([&] { m_engine.HardDrop(1); });
        // The score would run past 32 bits in a few million rounds; start over long before.
        if (m_piece % (kRound.size() * 10000) == 0)
            restart();
        return operations;
    }

    const EngineState& state() const { return m_engine.state(); }

    // Plays on to the end of the round and answers whether the field is empty again.
    bool finishRound()
    {
        while (m_piece % kRound.size() != 0)
            playPiece();
        const EngineState& s = m_engine.state();
        for (int x = 0; x < kFieldColumns; ++x)
            for (int y = 0; y < kFieldRows; ++y)
                if (s.FieldOccupied[1][x][y] == kCellOccupied && s.FieldColor[1][x][y] < kFallingCodeOffset)
                    return false;
        return true;
    }

private:
    void restart()
    {
        m_random.reseed(0);
        m_piece = 0;
        m_engine.startGame(m_now);
    }

    QuietHost m_host;
    RoundRandom m_random;
    ZeroClock m_clock;
    GameEngine m_engine;
    int64_t m_now = 0;
    size_t m_piece = 0;
};

void BM_ScriptedGame(benchmark::State& state)
{
    EndlessGame game;
    for (size_t i = 0; i < kRound.size(); ++i)
        game.playPiece(); // one round to settle
    long operations = 0;
    long pieces = 0;
    const long allocationsBefore = g_allocations.load();
    for (auto _ : state) {
        operations += game.playPiece();
        ++pieces;
    }
    const long allocations = g_allocations.load() - allocationsBefore;
    if (!game.finishRound() || !game.state().GameActive)
        state.SkipWithError("the scripted game did not keep clearing its rows");
    if (allocations != 0)
        state.SkipWithError("the engine allocated while playing");
    state.counters["op"] = benchmark::Counter(
        static_cast<double>(operations), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["ops_per_piece"] = static_cast<double>(operations) / static_cast<double>(pieces);
    state.counters["allocations"] = static_cast<double>(allocations);
}
BENCHMARK(BM_ScriptedGame);

// The moves alone: the first piece, a straight one lying flat, slides across the top and back.
void BM_SidewaysMoves(benchmark::State& state)
{
    QuietHost host;
    RoundRandom random;
    ZeroClock clock;
    GameEngine engine(host, random, clock);
    engine.setGameMode(GameMode::OnePlayer);
    engine.startGame(0);
    const long allocationsBefore = g_allocations.load();
    int direction = 1;
    for (auto _ : state) {
        if (direction > 0)
            engine.MovePieceRight(1);
        else
            engine.MovePieceLeft(1);
        const int column = engine.state().FallingPiece[1].Column;
        if (column == 0 || column == kFieldColumns - 4)
            direction = -direction;
    }
    if (g_allocations.load() != allocationsBefore)
        state.SkipWithError("a move allocated");
}
BENCHMARK(BM_SidewaysMoves);

} // namespace

BENCHMARK_MAIN();
