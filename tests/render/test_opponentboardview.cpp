// The opponents' boards drawn from a tile-coded theme: a closed, a half-open and a winner's
// board by their pixels, the door procedures on the board's door, and the lost player's fill.

#include "engine/boarddoors.h"
#include "render/opponentboardview.h"
#include "renderrig.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

struct BoardRig : RenderRig {
    NetDoors doors{};
    bool fieldsPage = true;
    bool gameActive = true;
    OpponentBoardView view{ OpponentBoardParts{ renderer, doors, themes, images, library, pictures, options,
        game.clock, drawRandom, [this] { return fieldsPage; }, [this] { return gameActive; } } };

    BoardRig()
    {
        view.setBoards(boards);
        options.doors = true;
        // A win picture transparent (white) in its left half, its own colour in the right.
        auto win = std::make_shared<Surface>(96, 176);
        fillRect(*win, 0, 0, 48, 176, kWhitePixel);
        fillRect(*win, 48, 0, 48, 176, areaColor(Area::GameOver, 7));
        images.internetGameOver = win;
        images.internetGameOverMask = maskOf(*win);
        themes.CurrentTheme.inetwintransparent = true;
    }
    const Surface& board(int n) { return pictures.picInternetfield[size_t(n)].canvas(); }
    std::string at(int n, int x, int y) { return pixelName(board(n).pixel(x, y)); }
};

} // namespace

TEST(OpponentBoardView, ClosedBoardShowsTheDoorAlone)
{
    BoardRig rig;
    rig.boards.setCell(2, 5, 10, int16_t(3));
    rig.view.UpdateInternetFieldBlocks(2);
    rig.view.DrawNetPlayerField(2);
    for (int y = 0; y < 176; y += 5)
        for (int x = 0; x < 96; x += 5)
            ASSERT_EQ(rig.at(2, x, y), "InternetDoor0") << x << "," << y;
    // Switching doors off shows the cells of the same closed board.
    rig.options.doors = false;
    rig.view.DrawNetPlayerField(2);
    EXPECT_EQ(rig.at(2, 45, 85), "t3f0");
    EXPECT_EQ(rig.at(2, 60, 60), "InternetBackground1");
}

TEST(OpponentBoardView, HalfOpenDoorShowsTheCellsBetweenItsHalves)
{
    BoardRig rig;
    rig.boards.setCell(1, 5, 10, int16_t(2));
    rig.view.UpdateInternetFieldBlocks(1);
    rig.doors[1] = NetDoor{ .Opening = true, .Row = 11 };
    rig.view.DrawNetPlayerField(1);
    // Row 11: the upper half covers 46 rows, the lower half the last 42.
    EXPECT_EQ(rig.at(1, 45, 0), "InternetDoor0");
    EXPECT_EQ(rig.at(1, 45, 45), "InternetDoor0");
    EXPECT_EQ(rig.at(1, 45, 46), "InternetBackground1");
    EXPECT_EQ(rig.at(1, 45, 85), "t2f0");
    EXPECT_EQ(rig.at(1, 45, 133), "InternetBackground1");
    EXPECT_EQ(rig.at(1, 45, 134), "InternetDoor0");
    EXPECT_EQ(rig.at(1, 45, 175), "InternetDoor0");
    // Fully open the door leaves a two-pixel strip at the top while it still counts as moving.
    rig.doors[1].Row = 0;
    rig.view.DrawNetPlayerField(1);
    EXPECT_EQ(rig.at(1, 45, 1), "InternetDoor0");
    EXPECT_EQ(rig.at(1, 45, 2), "InternetBackground1");
    EXPECT_EQ(rig.at(1, 45, 175), "InternetBackground1");
}

TEST(OpponentBoardView, WinnerShowsTheBandedPictureUnderTheWinImageUntilTheDoorCloses)
{
    BoardRig rig;
    rig.doors[3] = NetDoor{ .Open = true, .Row = 0 };
    rig.themes.CurrentTheme.blkcurrentframe = 2;
    rig.view.ResetNetBoard(3);
    EXPECT_TRUE(rig.boards.NetBoardWon[3]);
    EXPECT_EQ(rig.themes.CurrentTheme.blkcurrentframe, 1) << "the blocks restart at their still frame";
    // Left half: the bands through the transparent part (a cell's own top-left corner is white).
    for (auto [y, tile] : { std::pair{ 5, 4 }, std::pair{ 13, 4 }, std::pair{ 21, 5 }, std::pair{ 37, 1 },
             std::pair{ 53, 2 }, std::pair{ 69, 0 }, std::pair{ 85, 3 }, std::pair{ 101, 0 },
             std::pair{ 117, 2 }, std::pair{ 133, 1 }, std::pair{ 149, 5 }, std::pair{ 173, 4 } })
        EXPECT_EQ(rig.at(3, 13, y), "t" + std::to_string(tile) + "f0") << y;
    EXPECT_EQ(rig.at(3, 5, 85), "t0f0") << "the middle band is framed by colour 0";
    // Right half: the win image.
    EXPECT_EQ(rig.at(3, 60, 85), "GameOver7");

    // The door starts closing: the win image goes; the next game shows cells again.
    rig.view.StartLostFieldAnimation(3);
    EXPECT_FALSE(rig.boards.NetBoardWon[3]);
    EXPECT_TRUE(rig.doors[3].Closing);
    rig.view.DrawNetPlayerField(3);
    EXPECT_EQ(rig.at(3, 60, 85), "t3f0");
}

TEST(OpponentBoardView, DoorProceduresFollowTheGameAndTheOption)
{
    BoardRig rig;
    rig.view.ResetLostFieldAnimation(4);
    EXPECT_TRUE(rig.doors[4].Opening);
    EXPECT_EQ(rig.doors[4].Row, kNetDoorClosedRow);
    rig.view.setBoardInUse(4, true);
    rig.gameActive = false;
    rig.view.StartLostFieldAnimation(4);
    EXPECT_TRUE(rig.doors[4].isClosed()) << "no game: the door shuts at once";
    rig.view.setBoardInUse(4, true);
    rig.gameActive = true;
    rig.view.StartLostFieldAnimation(4);
    EXPECT_TRUE(rig.doors[4].Closing);
    rig.view.finishLostFieldAnimation(4);
    EXPECT_TRUE(rig.doors[4].isClosed());
    // Board numbers outside 1..5 are ignored.
    for (int board : { 0, 6, -1 }) {
        rig.view.ResetLostFieldAnimation(board);
        rig.view.StartLostFieldAnimation(board);
        rig.view.FillLostFieldRandom(board);
        rig.view.ResetNetBoard(board);
        rig.view.DrawNetPlayerField(board);
    }
    EXPECT_TRUE(rig.doors[0].isClosed());
}

TEST(OpponentBoardView, LostFillCoversTheBoardWithNormalColoursAndNothingIsDrawnAwayFromTheFieldsPage)
{
    BoardRig rig;
    rig.doors[5] = NetDoor{ .Open = true, .Row = 0 };
    for (int i = 0; i < 12 * 22; ++i)
        rig.drawRandom.add({ (i % 7) / 7.0 });
    rig.fieldsPage = false;
    const Surface before = rig.board(5);
    rig.view.FillLostFieldRandom(5);
    EXPECT_TRUE(rig.board(5).image() == before.image()) << "away from the fields page nothing is drawn";
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 22; ++y) {
            ASSERT_EQ(rig.boards.InetFieldOccupied[5][size_t(x)][size_t(y)], kCellOccupied);
            ASSERT_LT(rig.boards.InetFieldColor[5][size_t(x)][size_t(y)], 6);
        }
    rig.fieldsPage = true;
    rig.view.DrawNetPlayerField(5);
    EXPECT_EQ(rig.at(5, 5, 5), "t" + std::to_string(rig.boards.InetFieldColor[5][0][0]) + "f0");
}
