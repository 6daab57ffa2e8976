#include "support/game/gamerig.h"

#include <algorithm>

namespace kalvon::testing {

void CallLog::add(std::string call)
{
    calls.push_back(std::move(call));
    if (onCall)
        onCall(calls.back());
}

int CallLog::count(const std::string& call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

std::vector<std::string> CallLog::starting(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0)
            out.push_back(call);
    return out;
}

void RecordingDrawing::BombFrame(int p, int slot, int frame)
{
    m_log.add("BombFrame " + std::to_string(p) + " " + std::to_string(slot) + " " + std::to_string(frame));
}

void RecordingDrawing::BombKill(int p, int slot)
{
    m_log.add("BombKill " + std::to_string(p) + " " + std::to_string(slot));
}

void RecordingWindow::setCaption(BytesView text)
{
    caption = Bytes(text);
    ++captionSets;
}

bool RecordingScores::SaveHighScores(const HighScoreTable&)
{
    m_log.add("SaveHighScores");
    return true;
}

void FakeTimePump::Yield()
{
    if (m_tick)
        m_tick->runIfDue();
}

void FakeTimePump::Wait(int64_t ms)
{
    const int64_t start = m_clock.nowMs();
    while (m_clock.nowMs() - start < ms) {
        m_clock.advance(1);
        Yield();
    }
}

GameRig::GameRig(GameMode mode, std::filesystem::path botFolder, InternetPlay* internetFor)
    : programFolder(std::move(botFolder))
    , core(GameServices{ clock, pump, options, themes, window, internetFor ? *internetFor : internet, music,
               effects, dialogs, highScores, programFolder },
          12345)
{
    core.setDrawing(drawing);
    pump.setTickSource(&core.ticker());
    core.engine().setGameMode(mode);
    // Sounds and music on, nothing animated, no smooth fall: each test turns on what it looks at.
    options.sound = { .sounds = 1, .useThemeMusic = 0, .playMusic = 1, .lastMusic = "tune.ogg" };
    GraphicsSettings& g = options.graphics;
    g.explode = g.door = g.bombExplode = g.animateBg = g.animateInetBg = g.animateSpecials = 0;
    g.animateInetSpecials = g.animateNextBlock = g.animateSpecialWindow = g.smoothBlock = g.leds = 0;
    for (int slot = 0; slot < kSoundSlots; ++slot)
        themes.ThemeSounds[size_t(slot)] = "sound" + std::to_string(slot) + ".wav";

    using K = BoundKeys;
    ControlSettings& c = options.controls;
    const std::pair<KeyAction, std::array<int, 2>> bindings[] = {
        { KeyAction::Left, { K::p1Left, K::p2Left } },
        { KeyAction::Right, { K::p1Right, K::p2Right } },
        { KeyAction::Rotate, { K::p1Rotate, K::p2Rotate } },
        { KeyAction::Rotate2, { K::p1Rotate2, K::p2Rotate2 } },
        { KeyAction::Down, { K::p1Down, K::p2Down } },
        { KeyAction::Drop, { K::p1Drop, K::p2Drop } },
        { KeyAction::UseSelf, { K::p1UseSelf, K::p2UseSelf } },
        { KeyAction::UseOther, { K::p1UseOther, K::p2UseOther } },
        { KeyAction::Discard, { K::p1Discard, K::p2Discard } },
    };
    for (const auto& [action, keys] : bindings) {
        c.binding(1, action) = int16_t(keys[0]);
        c.binding(2, action) = int16_t(keys[1]);
    }
    c.binding(1, KeyAction::Italk) = K::talk;
    c.binding(1, KeyAction::Italkteam) = K::talkTeam;
    c.binding(1, KeyAction::Irevenge) = K::revenge;
    for (int slot = 0; slot < kPlayingSlots; ++slot)
        c.binding(1, KeyAction(int(KeyAction::Ispec1) + slot)) = int16_t(K::spec1 + slot);
    c.controlSensitivity = 100;
}

GameRig::~GameRig()
{
    core.ticker().stop();
}

void GameRig::runFor(int64_t ms)
{
    const int64_t end = clock.nowMs() + ms;
    while (clock.nowMs() < end) {
        clock.advance(1);
        core.ticker().runIfDue();
    }
}

void GameRig::startGame()
{
    session().StartGame();
    log.clear();
}

void GameRig::placePiece(int p, PieceType type, int column, int rowsDown, bool againstLeftWall)
{
    GameEngine& engine = core.engine();
    engine.RedrawField(p);
    state().PieceInPlay[p] = false; // the piece the start spawned is gone with the field
    engine.SpawnPiece(p, int(type), column, 0);
    for (int i = 0; i < rowsDown; ++i)
        engine.MovePieceDown(p);
    if (againstLeftWall) {
        for (int i = 0; i < kFieldColumns; ++i)
            engine.MovePieceLeft(p);
    }
}

int GameRig::pieceLeftColumn(int p)
{
    const EngineState& s = core.engine().state();
    for (int column = 0; column < kFieldColumns; ++column)
        for (int row = 0; row < kFieldRows; ++row)
            if (s.FieldOccupied[size_t(p)][size_t(column)][size_t(row)] != kCellEmpty
                && s.FieldColor[size_t(p)][size_t(column)][size_t(row)] >= kFallingCodeOffset)
                return column;
    return -1;
}

} // namespace kalvon::testing
