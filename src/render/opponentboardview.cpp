#include "render/opponentboardview.h"

#include "common/clock.h"
#include "engine/opponentboards.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/sheetframes.h"
#include "render/themeimages.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

namespace kalvon {

OpponentBoardView::OpponentBoardView(OpponentBoardParts parts)
    : m(std::move(parts))
{
}

NetDoor* OpponentBoardView::door(int board)
{
    return OpponentBoards::isBoard(board) ? &m.doors[static_cast<std::size_t>(board)] : nullptr;
}

void OpponentBoardView::UpdateInternetFieldBlocks(int board)
{
    m.renderer.UpdateInternetFieldBlocks(board);
}

void OpponentBoardView::DrawNetPlayerBackground(int board)
{
    if (!OpponentBoards::isBoard(board) || m.images.rebuilding)
        return;
    const ThemeRecord& t = m.themes.CurrentTheme;
    Surface& dc = m.pictures.picInternetfield[static_cast<std::size_t>(board)].canvas();
    if (t.themetype == 0) {
        if (m.images.skin)
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *m.images.skin, kFieldPictureWidth, 0);
        return;
    }
    const int frame = (m.options.animateInternetBackground ? t.inetbgcurrentframe : t.inetbgstillframe) - 1;
    // A frame the strip does not hold (a theme's still frame of 0, say) draws nothing.
    if (m.images.internetBackground && frameInSheet(*m.images.internetBackground, frame, kBoardPictureHeight))
        dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *m.images.internetBackground, 0,
            frame * kBoardPictureHeight);
}

void OpponentBoardView::DrawNetPlayerField(int board)
{
    NetDoor* boardDoor = door(board);
    if (!boardDoor || m.images.rebuilding || !m.fieldsPageShown())
        return;
    PictureBox& picture = m.pictures.picInternetfield[static_cast<std::size_t>(board)];
    Surface& dc = picture.canvas();
    const ThemeImages& images = m.images;
    const bool doors = m.options.doors;
    if (doors && boardDoor->isClosed()) {
        if (images.internetDoor)
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *images.internetDoor, 0, 0);
        picture.refresh();
        return;
    }
    const BoardLook look = boardLook(board, *boardDoor);
    const size_t i = static_cast<std::size_t>(board);
    if (!m_skipUnchanged || m_drawnLook[i] != look || dc.version() != m_drawnCanvas[i]) {
        drawBoard(board, *boardDoor);
        m_drawnLook[i] = look;
        m_drawnCanvas[i] = dc.version();
        m_redrawnPixels += uint64_t(kBoardPictureWidth) * kBoardPictureHeight;
    }
    picture.refresh();
}

OpponentBoardView::BoardLook OpponentBoardView::boardLook(int board, const NetDoor& boardDoor) const
{
    const ThemeRecord& t = m.themes.CurrentTheme;
    const ThemeImages& images = m.images;
    BoardLook look;
    look.themeType = t.themetype;
    look.backgroundFrame = m.options.animateInternetBackground ? t.inetbgcurrentframe : t.inetbgstillframe;
    look.background = sheetVersion(images.internetBackground);
    look.skin = sheetVersion(images.skin);
    look.cells = *m.library.boardCells(board);
    look.blocks = BlockLook::of(t, images, m.options.animateInternetBlocks && t.animateinetblocks,
        m.options.animateInternetSpecials && t.animateinetspecials);
    if (m.options.doors && boardDoor.isMoving())
        look.doorRow = boardDoor.Row;
    look.door = sheetVersion(images.internetDoor);
    look.won = m_boards && m_boards->NetBoardWon[static_cast<std::size_t>(board)];
    look.winTransparent = t.inetwintransparent;
    look.winPicture = sheetVersion(images.internetGameOver);
    look.winMask = sheetVersion(images.internetGameOverMask);
    return look;
}

void OpponentBoardView::drawBoard(int board, const NetDoor& boardDoor)
{
    Surface& dc = m.pictures.picInternetfield[static_cast<std::size_t>(board)].canvas();
    const ThemeImages& images = m.images;
    const bool doors = m.options.doors;
    DrawNetPlayerBackground(board);

    const ThemeRecord& t = m.themes.CurrentTheme;
    if (t.themetype == 1) {
        const int animateBlocks = m.options.animateInternetBlocks && t.animateinetblocks;
        const int animateSpecials = m.options.animateInternetSpecials && t.animateinetspecials;
        const int frame = t.blkcurrentframe - 1;
        const int still = t.blkstillframe - 1;
        if (t.blktransparency)
            m.library.KalvonInternetBlocksDrawTransparent(board, dc, images.blocks.get(),
                images.blocksMask.get(), frame, still, animateBlocks, animateSpecials);
        else
            m.library.KalvonInternetBlocksDraw(
                board, dc, images.blocks.get(), frame, still, animateBlocks, animateSpecials);
    } else if (t.blktransparency) {
        m.library.KalvonBasicInternetBlocksDrawTransparent(
            board, dc, images.skin.get(), images.blocksMask.get());
    } else {
        m.library.KalvonBasicInternetBlocksDraw(board, dc, images.skin.get());
    }

    if (doors && boardDoor.isMoving() && images.internetDoor)
        drawInternetDoor(dc, *images.internetDoor, boardDoor.Row);

    if (m_boards && m_boards->NetBoardWon[static_cast<std::size_t>(board)]) {
        if (t.inetwintransparent) {
            if (images.internetGameOver && images.internetGameOverMask)
                dc.drawMasked(0, 0, kBoardPictureWidth, kBoardPictureHeight, *images.internetGameOver,
                    *images.internetGameOverMask, 0, 0);
        } else if (images.internetGameOver) {
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *images.internetGameOver, 0, 0);
        }
    }
}

void OpponentBoardView::StartLostFieldAnimation(int board)
{
    NetDoor* boardDoor = door(board);
    if (!boardDoor)
        return;
    if (kalvon::StartLostFieldAnimation(*boardDoor, m.options.doors, m.gameActive(), m.clock.nowMs())
        && m_boards)
        m_boards->NetBoardWon[static_cast<std::size_t>(board)] = false;
}

void OpponentBoardView::ResetLostFieldAnimation(int board)
{
    if (NetDoor* boardDoor = door(board))
        kalvon::ResetLostFieldAnimation(*boardDoor, m.options.doors);
}

void OpponentBoardView::setBoardInUse(int board, bool inUse)
{
    NetDoor* boardDoor = door(board);
    if (!boardDoor)
        return;
    setDoorOpen(*boardDoor, inUse);
    DrawNetPlayerField(board);
}

void OpponentBoardView::finishLostFieldAnimation(int board)
{
    if (NetDoor* boardDoor = door(board))
        kalvon::finishLostFieldAnimation(*boardDoor);
}

void OpponentBoardView::restartBlockFrames()
{
    ThemeRecord& t = m.themes.CurrentTheme;
    t.blkcurrentframe = t.blkstillframe;
}

void OpponentBoardView::FillLostFieldRandom(int board)
{
    if (!OpponentBoards::isBoard(board) || !m_boards)
        return;
    m_boards->fillRandom(board, m.random);
    restartBlockFrames();
    UpdateInternetFieldBlocks(board);
    DrawNetPlayerField(board);
}

void OpponentBoardView::ResetNetBoard(int board)
{
    if (!OpponentBoards::isBoard(board) || !m_boards)
        return;
    m_boards->clearCells(board);
    UpdateInternetFieldBlocks(board);
    DrawNetPlayerField(board);
    m_boards->fillWinnerPattern(board);
    UpdateInternetFieldBlocks(board);
    m_boards->NetBoardWon[static_cast<std::size_t>(board)] = true;
    restartBlockFrames();
    DrawNetPlayerField(board);
}

} // namespace kalvon
