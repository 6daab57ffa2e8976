#pragma once
// Fakes for driving the game engine operation by operation: a host that records every call, a
// random source that answers from a script, effects that record what they were asked, and
// fields written as text.
//
// Field text: 22 rows of 12 characters, row 0 first. '.' is an empty cell, '0'-'5' a normal
// block, 'A'-'P' the special blocks 6..21, 'a'-'f' falling-piece cells 90..95, '?' any other
// occupied code. Fixtures may give fewer rows; they are the bottom rows of the field.

#include "engine/gameengine.h"
#include "support/enginestateaccess.h"
#include "support/fakeclock.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvon::testing {

// The host and its drawing in one, so the calls of both go into one log.
class RecordingEngineHost final : public EngineHost, public EngineDrawing {
public:
    // Every call in order, e.g. "DrawField 1", "sound 7", "label Lines 1 Lines: 3".
    std::vector<std::string> calls;
    std::vector<SoundSlot> sounds;
    std::map<std::pair<LabelId, int>, Bytes> labels; // the last text of each label
    std::vector<ClearedRows> explosions;
    struct Trail {
        int p, column, startRow, type, orientation, endRow;
        friend bool operator==(const Trail&, const Trail&) = default;
    };
    std::vector<Trail> trails;
    struct Shadow {
        int p, column, landingRow;
        friend bool operator==(const Shadow&, const Shadow&) = default;
    };
    std::vector<Shadow> shadows;
    // Runs on every call once it is recorded: a test can look at the state then, or act as
    // events handled while the host waits would.
    std::function<void(const std::string& call)> onCall;
    struct Bomb {
        int p, column, row, slot;
        friend bool operator==(const Bomb&, const Bomb&) = default;
    };
    std::vector<Bomb> bombs;
    bool hostingServer = false;

    Bytes label(LabelId id, int p) const;
    int count(std::string_view call) const;
    void clear();

    EngineDrawing& drawing() override { return *this; }

    void DrawField(int p) override { record("DrawField", p); }
    void PaintFieldBackground(int p) override { record("PaintFieldBackground", p); }
    void UpdateFieldBlocks(int p) override { record("UpdateFieldBlocks", p); }
    void ResetTrailLastDrawTime(int p) override { record("ResetTrailLastDrawTime", p); }
    void DrawShadow(int p, int column, int landingRow) override;
    void UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow) override;
    void AnimateLineExplosion(int p, const ClearedRows& rows) override;
    void UpdateSpecialsWindow(int p) override { record("UpdateSpecialsWindow", p); }
    void DrawSpecialWindow(int p) override { record("DrawSpecialWindow", p); }
    void DrawNextPiece(int p) override { record("DrawNextPiece", p); }
    void playSound(SoundSlot slot) override;
    void setLabel(LabelId id, int p, BytesView text) override;
    void BotPieceUpdate(int p) override { record("BotPieceUpdate", p); }
    void sendPauseGame() override { note("sendPauseGame"); }
    void sendResumeGame() override { note("sendResumeGame"); }
    void sendPlayerLost() override { note("sendPlayerLost"); }
    void addLinesToAll(int lines) override { record("addLinesToAll", lines); }
    void SendFieldUpdate() override { note("SendFieldUpdate"); }
    void ResetSentField() override { note("ResetSentField"); }
    void CheckLevelUp() override { note("CheckLevelUp"); }
    void Yield() override { note("Yield"); }
    void Wait(int64_t ms) override { note("Wait " + std::to_string(ms)); }
    void ResetFieldPicture(int p) override { record("ResetFieldPicture", p); }
    void BombCreate(int p, int column, int row, int slot) override;
    void BombFrame(int p, int slot, int frame) override;
    void BombKill(int p, int slot) override;
    void ClearFieldPicture(int p) override { record("ClearFieldPicture", p); }
    void RefreshField(int p) override { record("RefreshField", p); }
    void DrawDoorFrame(int p, int width) override;
    void DrawHeightLed(int p) override { record("DrawHeightLed", p); }
    void ClearHeightLed(int p) override { record("ClearHeightLed", p); }
    void ClearTrails() override { note("ClearTrails"); }
    void ResetBlockFrame() override { note("ResetBlockFrame"); }
    void SetGameTimer(bool enabled) override { note(enabled ? "GameTimer on" : "GameTimer off"); }
    void PauseMusic() override { note("PauseMusic"); }
    void ResumeMusic() override { note("ResumeMusic"); }
    void StopGameMusic() override { note("StopGameMusic"); }
    void SetPauseCaption(BytesView caption) override { note("PauseCaption " + std::string(caption)); }
    void FocusField() override { note("FocusField"); }
    void LocalGameEnded() override { note("LocalGameEnded"); }
    bool IsHostingServer() const override { return hostingServer; }
    void ServerMsgPause(int sender) override { record("ServerMsgPause", sender); }
    void ServerMsgResume(int sender) override { record("ServerMsgResume", sender); }
    void MarkMyPlayerDead() override { note("MarkMyPlayerDead"); }

private:
    void record(const char* name, int p) { note(std::string(name) + " " + std::to_string(p)); }
    void note(std::string call);
};

// Answers next() from a script; running out fails the test.
class ScriptedRandom final : public EngineRandom {
public:
    std::deque<double> values;
    int drawn = 0;

    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<double> script)
        : values(script)
    {
    }
    void add(std::initializer_list<double> script) { values.insert(values.end(), script); }
    double next() override;
    void reseed(uint64_t) override { }
};

class RecordingEffects final : public SpecialEffects {
public:
    std::vector<std::string> calls; // "AddLine 2", "SwitchBlocks", ...
    // Runs inside AddLine, as the real one may wait and let events run.
    std::function<void(int t)> duringAddLine;

    void AddLine(int t) override;
    void ClearLine(int t) override { record("ClearLine", t); }
    void NukeField(int t) override { record("NukeField", t); }
    void RandomClear(int t) override { record("RandomClear", t); }
    void SwitchBlocks() override { calls.push_back("SwitchBlocks"); }
    void ClearSpecials(int t) override { record("ClearSpecials", t); }
    void BlockGravity(int t) override { record("BlockGravity", t); }
    void BlockQuake(int t) override { record("BlockQuake", t); }
    void PushField(int t) override { record("PushField", t); }
    void FlashScreen(int t) override { record("FlashScreen", t); }
    void GiveLine(int t) override { record("GiveLine", t); }
    void StartTremor(int t) override { record("StartTremor", t); }
    void VerticalClear(int t) override { record("VerticalClear", t); }
    void ExplodeBombBlocks(int t) override { record("ExplodeBombBlocks", t); }
    void HolyShield(int t) override { record("HolyShield", t); }

private:
    void record(const char* name, int t) { calls.push_back(std::string(name) + " " + std::to_string(t)); }
};

using FieldRows = std::vector<std::string_view>;

// Writes a field from text (see above); codes of empty cells become 0.
void setField(EngineState& state, int p, const FieldRows& rows);
// The field as text, rows joined by '\n'.
std::string fieldText(const EngineState& state, int p);
// Fixture rows in the same form as fieldText, for comparing.
std::string fieldText(const FieldRows& rows);

// An engine with recording fakes, in a running game of the given mode (nothing on the field).
struct EngineRig {
    RecordingEngineHost host;
    ScriptedRandom random;
    FakeClock clock;
    RecordingEffects effects;
    GameEngine engine{ host, random, clock };

    explicit EngineRig(GameMode mode = GameMode::OnePlayer);
    EngineState& state() { return writableState(engine); }
    // Puts a falling piece into the field as a spawn would, without the spawn's tests.
    void place(int p, PieceType type, int orientation, int column, int row);
};

// A situation in which an operation must leave everything as it was.
struct Refusal {
    const char* name;
    GameMode mode;
    int player;
    std::function<void(EngineState&)> prepare = [](EngineState&) {};
};

// For each situation: a rig in its mode made ready by `setup`, then `prepare`, then `operation`;
// expects the player's field and piece, the game flags and the score unchanged, and no call to
// the host.
void expectRefused(std::initializer_list<Refusal> situations,
    const std::function<void(EngineRig&, int)>& setup,
    const std::function<void(GameEngine&, int)>& operation);

} // namespace kalvon::testing
