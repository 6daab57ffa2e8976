// The game core on the real internet client, built-in server and renderer: a remote Flash
// Screen's marker shows on the opponent's board until the tick ends it after 7000 ms, and an
// internet start with nobody in a playing slot is refused.

#include "support/game/networkedgame.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

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
