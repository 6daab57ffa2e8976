// The game core on the real internet client, built-in server and renderer: a remote Flash
// Screen's marker shows on the opponent's board until the tick ends it after 7000 ms, and an
// internet start with nobody in a playing slot is refused.

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

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

class NoHooks final : public RenderHooks {
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
    NoHooks hooks;
    StandardRandom drawRandom{ 7 };
    GameRenderer renderer{ RenderContext{ rig.core.engine(), rig.themes, images, library, pictures, preview,
        drawOptions, drawn, hooks, rig.pump, rig.clock, drawRandom } };
    GameServer server{ hostOptions, bans, serverDialogs, rig.clock };
    InternetClient client{ view, rig.core.engine(), rig.clock };
    // The renderer draws the boards the client keeps.
    InternetView drawn{ client.boards() };

    NetworkedGame() { rig.core.setDrawing(renderer); }
};

} // namespace

TEST(NetworkPlay, RemoteFlashMarkerLastsUntilTheTickEndsIt)
{
    NetworkedGame game;
    GameRig& rig = game.rig;
    OpponentBoards& boards = game.client.boards();
    boards.InetFieldOccupied[2][11][0] = kCellEmpty;
    boards.NetFlashActive[2] = true;
    boards.NetFlashStart[2] = rig.clock.nowMs();
    rig.session().setGameTimer(true);

    rig.clock.advance(6990);
    rig.tick();
    EXPECT_EQ(game.library.internetCell(1, 11, 0), (DrawingLibrary::CellState{ true, 15 }))
        << "the Flash Screen block";
    EXPECT_EQ(game.view.count("DrawNetPlayerField 2"), 0);

    rig.clock.advance(10);
    rig.tick();
    EXPECT_FALSE(boards.NetFlashActive[2]);
    EXPECT_EQ(game.library.internetCell(1, 11, 0)->occupied, false) << "the board's own cell again";
    EXPECT_EQ(game.view.count("DrawNetPlayerField 2"), 1);
}

TEST(NetworkPlay, InternetStartWithoutPlayersIsRefused)
{
    NetworkedGame game;
    game.rig.session().StartGame();
    EXPECT_EQ(game.rig.dialogs.messages(), std::vector<Bytes>{ "No players available, can't start game!" });
    EXPECT_FALSE(game.server.GameRunning());
}
