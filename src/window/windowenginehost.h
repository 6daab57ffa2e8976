#pragma once
// The main window's side of the engine: every call the engine makes goes on to the renderer,
// the theme's sound effects, the window's labels, the bot bridge, internet play or the event
// pump.

#include "engine/enginehost.h"

namespace kalvon {

class BotBridge;
class EventPump;
class GameDrawing;
class GameWindow;
class InternetPlay;
class SoundPlayer;

struct WindowEngineHostParts {
    GameDrawing& drawing;
    SoundPlayer& sounds;
    GameWindow& window;
    BotBridge& bot;
    InternetPlay& internet;
    EventPump& pump;
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

private:
    WindowEngineHostParts m;
};

} // namespace kalvon
