#pragma once
// A game core with recording fakes around it, driven by a fake clock: the window, drawing,
// internet play, sounds and music all write into one call log, so tests can look at what happened and in
// which order. Waits advance the fake clock a millisecond at a time and let the game ticker run its tick when
// due, as the real event pump does.

#include "common/music/musicmodule.h"
#include "engine/enginedrawing.h"
#include "engine/highscores.h"
#include "engine/store/options.h"
#include "game/gamecore.h"
#include "game/gamewindow.h"
#include "game/internetplay.h"
#include "platform/eventpump.h"
#include "platform/soundeffects.h"
#include "render/themerecord.h"
#include "support/enginestateaccess.h"
#include "support/fakeclock.h"
#include "support/scripteddialogs.h"

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kalvon::testing {

struct CallLog {
    std::vector<std::string> calls;
    // Runs after each call is logged.
    std::function<void(const std::string&)> onCall;

    void add(std::string call);
    int count(const std::string& call) const;
    // The calls that start with `prefix`, in order.
    std::vector<std::string> starting(const std::string& prefix) const;
    void clear() { calls.clear(); }
};

class RecordingDrawing final : public EngineDrawing {
public:
    explicit RecordingDrawing(CallLog& log)
        : m_log(log)
    {
    }
    void DrawField(int p) override { add("DrawField", p); }
    void PaintFieldBackground(int p) override { add("PaintFieldBackground", p); }
    void UpdateFieldBlocks(int p) override { add("UpdateFieldBlocks", p); }
    void ResetTrailLastDrawTime(int p) override { add("ResetTrailLastDrawTime", p); }
    void DrawShadow(int p, int, int) override { add("DrawShadow", p); }
    void UpdateTrail(int p, int, int, int, int, int) override { add("UpdateTrail", p); }
    void AnimateLineExplosion(int p, const ClearedRows&) override { add("AnimateLineExplosion", p); }
    void ResetFieldPicture(int p) override { add("ResetFieldPicture", p); }
    void BombCreate(int p, int, int, int) override { add("BombCreate", p); }
    void ClearFieldPicture(int p) override { add("ClearFieldPicture", p); }
    void RefreshField(int p) override { add("RefreshField", p); }
    void DrawDoorFrame(int p, int) override { add("DrawDoorFrame", p); }
    void ResetBlockFrame() override { m_log.add("ResetBlockFrame"); }
    void UpdateSpecialsWindow(int p) override { add("UpdateSpecialsWindow", p); }
    void DrawSpecialWindow(int p) override { add("DrawSpecialWindow", p); }
    void DrawNextPiece(int p) override { add("DrawNextPiece", p); }
    void DrawHeightLed(int p) override { add("DrawHeightLed", p); }
    void ClearHeightLed(int p) override { add("ClearHeightLed", p); }
    void ClearTrails() override { m_log.add("ClearTrails"); }
    void BombFrame(int p, int slot, int frame) override;
    void BombKill(int p, int slot) override;

private:
    void add(const char* name, int p) { m_log.add(std::string(name) + " " + std::to_string(p)); }
    CallLog& m_log;
};

class RecordingWindow final : public GameWindow {
public:
    explicit RecordingWindow(CallLog& log)
        : m_log(log)
    {
    }
    Screen screen = Screen::Fields;
    Bytes caption;
    int captionSets = 0;
    std::map<std::pair<LabelId, int>, Bytes> labels;
    std::array<Bytes, 3> linesPerMinute;

    void setCaption(BytesView text) override;
    void setLabel(LabelId label, int p, BytesView text) override { labels[{ label, p }] = Bytes(text); }
    void setLinesPerMinute(int p, BytesView text) override { linesPerMinute.at(size_t(p)) = Bytes(text); }
    void showActiveLevels(bool shown) override { m_log.add(shown ? "showActiveLevels" : "hideActiveLevels"); }
    Screen CurrentScreen() const override { return screen; }
    void FocusField() override { m_log.add("FocusField"); }
    void DrawFileMenu(int) override { m_log.add("drawFileMenu"); }
    void DrawGameModeMenu(int) override { m_log.add("drawGameModeMenu"); }
    void showFileMenu(bool shown) override { m_log.add(shown ? "showFileMenu" : "hideFileMenu"); }
    void showGameModeMenu(bool shown) override { m_log.add(shown ? "showGameModeMenu" : "hideGameModeMenu"); }
    void layOutFieldsPage(GameMode mode) override
    {
        m_log.add("layOutFieldsPage " + std::to_string(int(mode)));
    }
    void showHighScores() override { m_log.add("showHighScores"); }
    void closeWindow() override { m_log.add("closeWindow"); }
    void ShowHelp() override { m_log.add("ShowHelp"); }
    void setStartButtonCaption(BytesView caption) override { m_log.add("startCaption " + Bytes(caption)); }
    void setPauseButtonCaption(BytesView caption) override { m_log.add("pauseCaption " + Bytes(caption)); }
    void setPauseButtonEnabled(bool enabled) override
    {
        m_log.add(enabled ? "pauseButtonOn" : "pauseButtonOff");
    }
    void setBlockRatioFramesEnabled(bool enabled) override
    {
        m_log.add(enabled ? "ratioFramesOn" : "ratioFramesOff");
    }
    void openTalkBox(bool teamChat) override { m_log.add(teamChat ? "openTalkBox team" : "openTalkBox"); }
    void closeTalkBox() override { m_log.add("closeTalkBox"); }
    void ClearTopmost() override { m_log.add("ClearTopmost"); }
    void ApplyStayOnTop() override { m_log.add("ApplyStayOnTop"); }

private:
    CallLog& m_log;
};

class FakeInternet final : public InternetPlay {
public:
    explicit FakeInternet(CallLog& log)
        : m_log(log)
    {
        spotPlayer.fill(-1);
    }
    bool hosting = false;
    bool connected = false;
    std::array<int, 7> spotPlayer{}; // [1..6]
    std::array<int, 7> spotBoard{}; // [1..6]
    int mySpot = -1;
    bool spectating = false;
    int lastAttacker = 0;
    struct Effect {
        bool active = false;
        int64_t start = 0;
    };
    std::array<std::array<Effect, 3>, 6> effects{}; // [board 1..5][RemoteEffect]

    bool IsHostingServer() const override { return hosting; }
    bool Connected() const override { return connected; }
    void ServerStartGame(int client) override { m_log.add("ServerStartGame " + std::to_string(client)); }
    void ServerStopGame() override { m_log.add("ServerStopGame"); }
    void ServerMsgPause(int client) override { m_log.add("ServerMsgPause " + std::to_string(client)); }
    void ServerMsgResume(int client) override { m_log.add("ServerMsgResume " + std::to_string(client)); }
    void requestStartGame() override { m_log.add("requestStartGame"); }
    void requestStopGame() override { m_log.add("requestStopGame"); }
    void SendToServer(BytesView line) override { m_log.add("SendToServer " + Bytes(line)); }
    int SpotPlayer(int slot) const override { return spotPlayer.at(size_t(slot)); }
    int MySpot() const override { return mySpot; }
    int SpotBoard(int slot) const override { return spotBoard.at(size_t(slot)); }
    bool Spectating() const override { return spectating; }
    int LastAttacker() const override { return lastAttacker; }
    void SendSpecial(int slot) override { m_log.add("SendSpecial " + std::to_string(slot)); }
    void sendPauseGame() override { m_log.add("sendPauseGame"); }
    void sendResumeGame() override { m_log.add("sendResumeGame"); }
    void sendPlayerLost() override { m_log.add("sendPlayerLost"); }
    void addLinesToAll(int lines) override { m_log.add("addLinesToAll " + std::to_string(lines)); }
    void SendFieldUpdate() override { m_log.add("SendFieldUpdate"); }
    void ResetSentField() override { m_log.add("ResetSentField"); }
    void CheckLevelUp() override { m_log.add("CheckLevelUp"); }
    void MarkMyPlayerDead() override { m_log.add("MarkMyPlayerDead"); }
    bool remoteEffectActive(int board, RemoteEffect e) const override { return effect(board, e).active; }
    int64_t remoteEffectStart(int board, RemoteEffect e) const override { return effect(board, e).start; }
    void endRemoteEffect(int board, RemoteEffect e) override { effect(board, e).active = false; }
    Effect& effect(int board, RemoteEffect e) { return effects.at(size_t(board)).at(size_t(e)); }
    const Effect& effect(int board, RemoteEffect e) const { return effects.at(size_t(board)).at(size_t(e)); }
    void DrawNetPlayerField(int board) override { m_log.add("DrawNetPlayerField " + std::to_string(board)); }
    void UpdateNetBoardMarkers(int board) override
    {
        m_log.add("UpdateNetBoardMarkers " + std::to_string(board));
    }

private:
    CallLog& m_log;
};

// The score file and the high-score window, for the engine's high-score table.
class RecordingScores final : public HighScoreStore, public HighScoreView {
public:
    explicit RecordingScores(CallLog& log)
        : m_log(log)
    {
    }
    bool SaveHighScores(const HighScoreTable&) override;
    void ShowHighScores(const HighScoreTable&) override { }
    void showHighScoreWindow() override { }

private:
    CallLog& m_log;
};

// Logs "sound <file name>" for each effect played.
class RecordingSoundEffects final : public SoundEffects {
public:
    explicit RecordingSoundEffects(CallLog& log)
        : m_log(log)
    {
    }
    void play(const std::filesystem::path& file) override { m_log.add("sound " + file.filename().string()); }

private:
    CallLog& m_log;
};

class RecordingMusicModule final : public MusicModule {
public:
    explicit RecordingMusicModule(CallLog& log)
        : m_log(log)
    {
    }
    int loopChecks = 0;
    void LoadMusic(BytesView path) override { m_log.add("music load " + Bytes(path)); }
    void PlayMusic() override { m_log.add("music play"); }
    void StopMusic() override { m_log.add("music stop"); }
    void PauseMusic() override { m_log.add("music pause"); }
    void ResumeMusic() override { m_log.add("music resume"); }
    void CheckMusicLoop() override { ++loopChecks; }

private:
    CallLog& m_log;
};

// Yield and Wait on the fake clock: Wait moves the clock a millisecond at a time, and each
// yield lets the tick source run its tick when due.
class FakeTimePump final : public EventPump {
public:
    explicit FakeTimePump(FakeClock& clock)
        : m_clock(clock)
    {
    }
    void setTickSource(TickSource* tick) { m_tick = tick; }
    void Yield() override;
    void Wait(int64_t ms) override;

private:
    FakeClock& m_clock;
    TickSource* m_tick = nullptr;
};

// Keys the rigs bind: player 1 on the arrows and the right of the keyboard, player 2 on
// letters and the keypad.
struct BoundKeys {
    static constexpr int p1Left = 37, p1Right = 39, p1Rotate = 38, p1Rotate2 = 'Z', p1Down = 40, p1Drop = 32,
                         p1UseSelf = '1', p1UseOther = '2', p1Discard = 'D';
    static constexpr int p2Left = 'A', p2Right = 'F', p2Rotate = 104, p2Rotate2 = 'Q', p2Down = 'S',
                         p2Drop = 'W', p2UseSelf = 'E', p2UseOther = 'R', p2Discard = 'T';
    static constexpr int talk = 'Y', talkTeam = 'U', revenge = 'V', spec1 = 112 + 4; // F5..F10 for slots
};

// The recording fakes around a game core, writing into one log, on one fake clock.
struct GameFakes {
    CallLog log;
    FakeClock clock{ 1'000'000 };
    FakeTimePump pump{ clock };
    Options options;
    Themes themes;
    RecordingDrawing drawing{ log };
    FakeInternet internet{ log };
    RecordingScores scores{ log };
    RecordingSoundEffects effects{ log };
    RecordingMusicModule music{ log };
    ScriptedDialogs dialogs;
    HighScores highScores{ dialogs, scores, scores };
};

struct GameRig : GameFakes {
    RecordingWindow window{ log };
    std::filesystem::path programFolder;
    GameCore core;

    // The game plays on the internet through `internetFor` when it is given (only kept, not
    // used, while the rig is made), else through the fake. It draws into the recording drawing
    // until a test hands the core another (core.setDrawing).
    explicit GameRig(GameMode mode = GameMode::OnePlayer, std::filesystem::path botFolder = {},
        InternetPlay* internetFor = nullptr);
    ~GameRig();

    EngineState& state() { return writableState(core.engine()); }
    GameSession& session() { return core.session(); }
    // Advances the clock by `ms`, a millisecond at a time (waits inside ticks advance it too);
    // the ticker runs its tick whenever due.
    void runFor(int64_t ms);
    // One tick at the current time, as the timer would run it.
    void tick() { core.tick().runTick(); }
    // Starts a game and forgets what the start logged.
    void startGame();
    // Player p's falling piece in an empty field: `type` spawned at `column`, moved down
    // `rowsDown` rows, then left as far as it goes when `againstLeftWall`.
    void placePiece(int p, PieceType type, int column, int rowsDown = 0, bool againstLeftWall = false);
    // The leftmost column that holds a cell of the falling piece, -1 for none.
    int pieceLeftColumn(int p);
};

} // namespace kalvon::testing
