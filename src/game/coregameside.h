#pragma once
// The game's side of the main window's start-up and shut-down (GameSide) over the real parts:
// the game core, the renderer and its drawing library, the music module on the audio device,
// and internet play.

#include "game/gameside.h"
#include "render/drawoptions.h"

namespace kalvon {

class AudioDevice;
class Dialogs;
class DrawingLibrary;
class GameCore;
class GameRenderer;
class InternetPlay;
class MusicModule;
struct Options;

// The display options the renderer draws with, from the options model ("checked" is 1); the
// theme page's preview switches are kept from `draw`.
DrawOptions drawOptionsFrom(const Options& options, DrawOptions draw = {});

struct CoreGameSideParts {
    GameCore& core;
    GameRenderer& renderer;
    DrawingLibrary& library;
    DrawOptions& drawOptions;
    InternetPlay& internet;
    MusicModule& music;
    AudioDevice& audio;
    const Options& options;
    Dialogs& dialogs;
};

class CoreGameSide final : public GameSide {
public:
    explicit CoreGameSide(const CoreGameSideParts& parts);

    void KalvonGenerateFontTable() override;
    void GenerateTrail() override;
    void resetGameOptions() override;
    void setGameMode(GameMode mode) override;
    void gameModeChosen(int index) override;
    // The drawing's display options and the engine's options follow the options model.
    void optionsChanged();

    // The audio device opened with the [Sound Mixer] values (kept to what SDL takes); a device
    // that does not open is reported and the game goes on silent. The music's "no sound"
    // output still opens the device for the sound effects, but loads no music.
    void InitSound() override;
    void LoadGameMusic(BytesView file) override;
    void StopGameMusic() override;
    // The music stops; the device closes when the program's parts are taken down.
    void CloseSound() override;

    bool Connected() const override;
    void SendToServer(BytesView line) override;
    void stopTimers() override;
    void BotUnlink() override;

private:
    CoreGameSideParts m;
};

} // namespace kalvon
