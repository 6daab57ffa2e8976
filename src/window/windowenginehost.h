#pragma once
// The main window's side of the engine: every call the engine makes goes on to the renderer,
// the theme's sound effects, the window's widgets, the music, the game timer, the bot bridge,
// internet play or the event pump.

#include "engine/enginehost.h"

namespace kalvon {

class BotBridge;
class EventPump;
class GameDrawing;
class GameSession;
class GameWindow;
class InternetPlay;
class MusicModule;
class SoundPlayer;

struct WindowEngineHostParts {
    GameDrawing& drawing;
    SoundPlayer& sounds;
    GameWindow& window;
    BotBridge& bot;
    InternetPlay& internet;
    EventPump& pump;
    MusicModule& music;
    GameSession& session;
};

class WindowEngineHost final : public EngineHost {
public:
    explicit WindowEngineHost(const WindowEngineHostParts& parts);

    void DrawField(int p) override;
    void PaintFieldBackground(int p) override;
    void UpdateFieldBlocks(int p) override;
    void ResetTrailLastDrawTime(int p) override;
    void DrawShadow(int p, int column, int landingRow) override;
    void UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow) override;
    void AnimateLineExplosion(int p, const ClearedRows& rows) override;
    void UpdateSpecialsWindow(int p) override;
    void DrawSpecialWindow(int p) override;
    void DrawNextPiece(int p) override;

    void playSound(SoundSlot slot) override;
    void setLabel(LabelId label, int p, BytesView text) override;
    void BotPieceUpdate(int p) override;

    void SendToServer(BytesView line) override;
    void ClientDispatchMessage(BytesView code, BytesView payload) override;
    void SendFieldUpdate() override;
    void ResetSentField() override;
    void CheckLevelUp() override;
    int MyIndex() const override;

    void Yield() override;
    void Wait(int64_t ms) override;

    void ResetFieldPicture(int p) override;
    void BombCreate(int p, int column, int row, int slot) override;
    void ClearFieldPicture(int p) override;
    void RefreshField(int p) override;
    void DrawDoorFrame(int p, int width) override;
    void DrawHeightLed(int p) override;
    void ClearTrails() override;
    void ResetBlockFrame() override;
    void SetGameTimer(bool enabled) override;
    void PauseMusic() override;
    void ResumeMusic() override;
    void StopGameMusic() override;
    void SetPauseCaption(BytesView caption) override;
    void FocusField() override;
    void LocalGameEnded() override;
    bool IsHostingServer() const override;
    void ServerMsgPause(int sender) override;
    void ServerMsgResume(int sender) override;
    void MarkMyPlayerDead() override;

private:
    WindowEngineHostParts m;
};

} // namespace kalvon
