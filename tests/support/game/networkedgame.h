#pragma once
// The game core on the real internet client and renderer, as the program wires them: the
// core plays through NetworkPlay, which reaches its own (not started) built-in server, the
// client and the renderer's markers.

#include "game/networkplay.h"
#include "net/banlist.h"
#include "net/gameserver.h"
#include "net/hostoptions.h"
#include "net/internetclient.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/internetview.h"
#include "render/previewpictures.h"
#include "render/renderhooks.h"
#include "render/windowpictures.h"
#include "support/game/gamerig.h"
#include "support/recordingclientview.h"

namespace kalvon::testing {

class NoRenderHooks final : public RenderHooks {
public:
    bool BotLinked() const override { return false; }
    void BotBlockUpdate() override { }
    void PlaySoundFile(BytesView) override { }
    void GenerateThemePreview(int) override { }
};

// Made in the order the program makes them: the internet adapter first (it only keeps
// references), then the core, then what reads the core's engine; the core then draws with the
// renderer.
struct NetworkedGame {
    ThemeImages images;
    WindowPictures pictures;
    PreviewPictures preview;
    DrawOptions drawOptions;
    HostOptions hostOptions;
    BanList bans;
    ScriptedDialogs serverDialogs;
    RecordingClientView view;
    NetworkPlay network{ server, client, view, renderer };
    GameRig rig{ GameMode::Internet, {}, &network };
    DrawingLibrary library{ rig.clock };
    NoRenderHooks hooks;
    StandardRandom drawRandom{ 7 };
    GameRenderer renderer{ RenderContext{ rig.core.engine(), rig.themes, images, library, pictures, preview,
        drawOptions, drawn, hooks, rig.pump, rig.clock, drawRandom } };
    GameServer server{ hostOptions, bans, serverDialogs, rig.clock };
    InternetClient client{ view, rig.core.engine(), rig.clock };
    // The renderer draws the boards the client keeps.
    InternetView drawn{ client.boards() };

    NetworkedGame() { rig.core.setDrawing(renderer); }
};

} // namespace kalvon::testing
