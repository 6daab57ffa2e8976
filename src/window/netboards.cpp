#include "window/netboards.h"

#include "common/clock.h"
#include "engine/enginerandom.h"
#include "engine/opponentboards.h"
#include "engine/store/options.h"
#include "game/gameoptions.h"
#include "game/netdoors.h"
#include "render/drawinglibrary.h"
#include "render/gamerenderer.h"
#include "render/themeimages.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

namespace kalvon {

namespace {

// A winner's board: the colour of each pair of rows from the top, the middle pair framed.
constexpr int kWinnerRows[11] = { 4, 5, 1, 2, 0, 0, 0, 2, 1, 5, 4 };

} // namespace

NetBoards::NetBoards(NetBoardsParts parts)
    : m(std::move(parts))
{
}

bool NetBoards::doorsOn() const
{
    return isChecked(m.options.graphics.door);
}

void NetBoards::restartBlockFrame()
{
    ThemeRecord& theme = m.themes.CurrentTheme;
    theme.blkcurrentframe = theme.blkstillframe;
}

void NetBoards::UpdateInternetFieldBlocks(int board)
{
    if (isBoard(board))
        m.renderer.UpdateInternetFieldBlocks(board);
}

void NetBoards::DrawNetPlayerBackground(int board)
{
    if (!isBoard(board))
        return;
    const ThemeRecord& theme = m.themes.CurrentTheme;
    Surface& dc = m.pictures.picInternetfield[size_t(board)].canvas();
    if (theme.themetype == 0) {
        if (m.images.skin)
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *m.images.skin, kFieldPictureWidth, 0);
        return;
    }
    const Surface* strip = m.images.internetBackground.get();
    const int frame
        = isChecked(m.options.graphics.animateInetBg) ? theme.inetbgcurrentframe : theme.inetbgstillframe;
    if (strip && frame >= 1 && frame * kBoardPictureHeight <= strip->height())
        dc.bitBlt(
            0, 0, kBoardPictureWidth, kBoardPictureHeight, *strip, 0, (frame - 1) * kBoardPictureHeight);
}

void NetBoards::DrawNetPlayerField(int board)
{
    if (!isBoard(board) || !m.fieldsShown())
        return;
    PictureBox& box = m.pictures.picInternetfield[size_t(board)];
    Surface& dc = box.canvas();
    const NetDoor& door = m.doors[board];
    const Surface* doorImage = m.images.internetDoor.get();
    if (doorsOn() && !door.Open && !door.Opening && !door.Closing) {
        if (doorImage)
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *doorImage, 0, 0);
        box.refresh();
        return;
    }
    DrawNetPlayerBackground(board);

    const ThemeRecord& theme = m.themes.CurrentTheme;
    const GraphicsSettings& g = m.options.graphics;
    if (theme.themetype == 1) {
        const int animateBlocks = isChecked(g.animateInetBlocks) && theme.animateinetblocks ? 1 : 0;
        const int animateSpecials = isChecked(g.animateInetSpecials) && theme.animateinetspecials ? 1 : 0;
        if (theme.blktransparency)
            m.library.KalvonInternetBlocksDrawTransparent(board, dc, m.images.blocks.get(),
                m.images.blocksMask.get(), theme.blkcurrentframe - 1, theme.blkstillframe - 1, animateBlocks,
                animateSpecials);
        else
            m.library.KalvonInternetBlocksDraw(board, dc, m.images.blocks.get(), theme.blkcurrentframe - 1,
                theme.blkstillframe - 1, animateBlocks, animateSpecials);
    } else if (theme.blktransparency) {
        m.library.KalvonBasicInternetBlocksDrawTransparent(
            board, dc, m.images.skin.get(), m.images.blocksMask.get());
    } else {
        m.library.KalvonBasicInternetBlocksDraw(board, dc, m.images.skin.get());
    }

    if (doorsOn() && (door.Opening || door.Closing) && doorImage)
        drawInternetDoor(dc, *doorImage, door.Row);

    const Surface* win = m.images.internetGameOver.get();
    if (m_boards && m_boards->NetBoardWon[size_t(board)] && win) {
        const Surface* mask = m.images.internetGameOverMask.get();
        if (theme.inetwintransparent && mask)
            dc.drawMasked(0, 0, kBoardPictureWidth, kBoardPictureHeight, *win, *mask, 0, 0);
        else
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *win, 0, 0);
    }
    box.refresh();
}

void NetBoards::StartLostFieldAnimation(int board)
{
    if (!isBoard(board))
        return;
    NetDoor& door = m.doors[board];
    if (!door.Open || door.Opening || door.Closing)
        return;
    if (!doorsOn()) {
        door.Open = false;
    } else if (m.gameActive()) {
        door.Closing = true;
        door.Row = 0;
        door.LastStep = m.clock.nowMs();
        if (m_boards)
            m_boards->NetBoardWon[size_t(board)] = false;
    } else {
        door.Open = false;
        door.Row = kNetDoorClosedRow;
    }
}

void NetBoards::ResetLostFieldAnimation(int board)
{
    if (!isBoard(board))
        return;
    NetDoor& door = m.doors[board];
    if (!doorsOn()) {
        door.Open = true;
        return;
    }
    door = NetDoor{
        .Open = false, .Opening = true, .Closing = false, .Row = kNetDoorClosedRow, .LastStep = 0
    };
}

void NetBoards::setBoardInUse(int board, bool inUse)
{
    if (!isBoard(board))
        return;
    m.doors[board] = inUse ? NetDoor{ .Open = true, .Row = 0 } : NetDoor{};
    DrawNetPlayerField(board);
}

void NetBoards::finishLostFieldAnimation(int board)
{
    if (isBoard(board) && m.doors[board].Closing)
        m.doors[board].Row = kNetDoorClosedRow;
}

void NetBoards::FillLostFieldRandom(int board)
{
    if (!isBoard(board) || !m_boards)
        return;
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column)
            m_boards->setCell(board, column, row, int16_t(randomBelow(m.random, 6)));
    }
    restartBlockFrame();
    UpdateInternetFieldBlocks(board);
    DrawNetPlayerField(board);
}

void NetBoards::ResetNetBoard(int board)
{
    if (!isBoard(board) || !m_boards)
        return;
    m_boards->clearCells(board);
    UpdateInternetFieldBlocks(board);
    DrawNetPlayerField(board);
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column) {
            const bool framed = (row == 10 || row == 11) && column > 0 && column < kFieldColumns - 1;
            m_boards->setCell(board, column, row, int16_t(framed ? 3 : kWinnerRows[row / 2]));
        }
    }
    UpdateInternetFieldBlocks(board);
    m_boards->NetBoardWon[size_t(board)] = true;
    restartBlockFrame();
    DrawNetPlayerField(board);
}

} // namespace kalvon
