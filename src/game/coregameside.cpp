#include "game/coregameside.h"

#include "common/dialogs.h"
#include "common/music/audiodevice.h"
#include "common/music/gamemusic.h"
#include "engine/state.h"
#include "engine/store/options.h"
#include "game/gamecore.h"
#include "game/gameoptions.h"
#include "game/internetplay.h"
#include "render/drawinglibrary.h"
#include "render/gamerenderer.h"

#include <algorithm>

namespace kalvon {

DrawOptions drawOptionsFrom(const Options& options, DrawOptions draw)
{
    const GraphicsSettings& g = options.graphics;
    draw.doors = isChecked(g.door);
    draw.guides[1] = isChecked(g.p1Guide);
    draw.guides[2] = isChecked(g.p2Guide);
    draw.animateBackground = isChecked(g.animateBg);
    draw.animateBlocks = isChecked(g.animateBlocks);
    draw.animateSpecials = isChecked(g.animateSpecials);
    draw.animateNextPiece = isChecked(g.animateNextBlock);
    draw.animateInternetBackground = isChecked(g.animateInetBg);
    draw.animateInternetBlocks = isChecked(g.animateInetBlocks);
    draw.animateInternetSpecials = isChecked(g.animateInetSpecials);
    draw.shadows = isChecked(g.shadows);
    draw.warning = isChecked(g.warning);
    draw.leds = isChecked(g.leds);
    draw.dropTrail = isChecked(g.dropTrail);
    draw.dropTrailColor = g.dropColor;
    return draw;
}

CoreGameSide::CoreGameSide(const CoreGameSideParts& parts)
    : m(parts)
{
}

void CoreGameSide::KalvonGenerateFontTable()
{
    m.library.KalvonGenerateFontTable();
}

void CoreGameSide::optionsChanged()
{
    m.drawOptions = drawOptionsFrom(m.options, m.drawOptions);
    m.core.engine().setOptions(engineOptionsFrom(m.options));
}

void CoreGameSide::GenerateTrail()
{
    optionsChanged();
    m.renderer.GenerateTrail();
}

void CoreGameSide::resetGameOptions()
{
    // The engine's options hold before any game too: the client's chat sound asks them.
    optionsChanged();
    GameEngine& engine = m.core.engine();
    engine.forgetNextPiece(3);
    for (int p = 1; p <= kLocalPlayers; ++p)
        engine.RedrawField(p);
    for (int p = 1; p <= kLocalPlayers; ++p)
        m.renderer.DrawField(p);
    for (int slot = 0; slot < DrawingLibrary::kBombSlots; ++slot) {
        m.renderer.BombKill(1, slot);
        m.renderer.BombKill(2, slot);
    }
    // Every opponent's board starts behind a closed door.
    for (int board = 1; board <= kInternetFields; ++board) {
        m.internet.DrawNetPlayerField(board);
        m.core.netDoors()[size_t(board)] = NetDoor{};
    }
}

void CoreGameSide::setGameMode(GameMode mode)
{
    m.core.engine().setGameMode(mode);
}

void CoreGameSide::gameModeChosen(int index)
{
    m.core.session().gameModeChosen(index);
}

void CoreGameSide::InitSound()
{
    const SoundMixer& mixer = m.options.mixer;
    const AudioFormat format{ std::clamp(mixer.frequency, 8000, 192000),
        std::clamp(mixer.numchannels, 2, 64) };
    if (!m.audio.open(format))
        m.dialogs.messageBox("Could not initialize sound/music subsystem!", "ERROR", MessageIcon::Critical);
}

void CoreGameSide::LoadGameMusic(BytesView file)
{
    if (m.options.mixer.output != 0)
        m.music.LoadMusic(file);
}

void CoreGameSide::StopGameMusic()
{
    kalvon::StopGameMusic(m.music);
}

void CoreGameSide::CloseSound()
{
    m.music.StopMusic();
}

bool CoreGameSide::Connected() const
{
    return m.internet.Connected();
}

void CoreGameSide::SendToServer(BytesView line)
{
    m.internet.SendToServer(line);
}

void CoreGameSide::stopTimers()
{
    m.core.ticker().stop();
}

void CoreGameSide::BotUnlink()
{
    m.core.bot().BotUnlink();
}

} // namespace kalvon
