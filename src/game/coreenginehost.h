#pragma once
// The game core's side of the engine: the drawing it hands out is the renderer's, and every
// other call goes on to the theme's sound effects, the window, the music, the game timer, the
// bot bridge, internet play or the event pump.

#include "engine/enginehost.h"

namespace kalvon {

class BotBridge;
class EventPump;
class GameSession;
class GameWindow;
class InternetPlay;
class MusicModule;
class SoundPlayer;

struct CoreEngineHostParts {
    SoundPlayer& sounds;
    GameWindow& window;
    BotBridge& bot;
    InternetPlay& internet;
    EventPump& pump;
    MusicModule& music;
    GameSession& session;
};

class CoreEngineHost final : public EngineHost {
public:
    explicit CoreEngineHost(const CoreEngineHostParts& parts);

    // The renderer reads the engine the host belongs to, so it is made afterwards and handed in
    // here; until then nothing is drawn.
    void setDrawing(EngineDrawing& drawing) { m_drawing = &drawing; }
    EngineDrawing& drawing() override;

    void playSound(SoundSlot slot) override;
    void setLabel(LabelId label, int p, BytesView text) override;
    void BotPieceUpdate(int p) override;

    void sendPauseGame() override;
    void sendResumeGame() override;
    void sendPlayerLost() override;
    void addLinesToAll(int lines) override;
    void SendFieldUpdate() override;
    void ResetSentField() override;
    void CheckLevelUp() override;

    void Yield() override;
    void Wait(int64_t ms) override;

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
    CoreEngineHostParts m;
    NoDrawing m_noDrawing;
    EngineDrawing* m_drawing = &m_noDrawing;
};

} // namespace kalvon
