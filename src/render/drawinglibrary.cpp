// The drawing library's cell state and its tile drawing: field blocks, internet boards, the
// next piece and the special window.

#include "render/drawinglibrary.h"

#include "engine/shapes.h"
#include "render/librarysprites.h"
#include "render/sheetframes.h"

#include <algorithm>

namespace kalvon {

namespace {

constexpr int kNextWindowSize = 77;
constexpr int kSpecialFrameWidth = 160;
constexpr int kSpecialFrameHeight = 16;

bool onField(int column, int row)
{
    return column >= 0 && column < kFieldColumns && row >= 0 && row < kFieldRows;
}

} // namespace

DrawingLibrary::DrawingLibrary(const Clock& clock)
    : m_clock(clock)
{
}

void DrawingLibrary::KalvonUpdateBlocks(int field, int column, int row, int occupied, int code)
{
    if (field < 0 || field >= kPlayers || !onField(column, row))
        return;
    m_local[size_t(field)][size_t(column)][size_t(row)] = { occupied != 0, int16_t(code) };
}

void DrawingLibrary::KalvonUpdateInternetBlocks(int board, int column, int row, int occupied, int code)
{
    if (board < 0 || board >= kBoards || !onField(column, row))
        return;
    m_boards[size_t(board)][size_t(column)][size_t(row)] = { occupied != 0, int16_t(code) };
}

std::optional<DrawingLibrary::CellState> DrawingLibrary::localCell(int field, int column, int row) const
{
    if (field < 0 || field >= kPlayers || !onField(column, row))
        return std::nullopt;
    return m_local[size_t(field)][size_t(column)][size_t(row)];
}

std::optional<DrawingLibrary::CellState> DrawingLibrary::internetCell(int board, int column, int row) const
{
    if (board < 0 || board >= kBoards || !onField(column, row))
        return std::nullopt;
    return m_boards[size_t(board)][size_t(column)][size_t(row)];
}

const DrawingLibrary::CellGrid* DrawingLibrary::localGrid(int p) const
{
    return isLocalPlayer(p) ? &m_local[size_t(p - 1)] : nullptr;
}

const DrawingLibrary::CellGrid* DrawingLibrary::boardGrid(int n) const
{
    return n >= 1 && n <= kBoards ? &m_boards[size_t(n - 1)] : nullptr;
}

void DrawingLibrary::drawGrid(
    const CellGrid& grid, Surface& dc, const Sprites& sprites, const TileChoice& tiles, int smooth, int shake)
{
    if (!sprites.usable())
        return;
    const int size = tiles.cellSize();
    // Locked cells first, then the falling piece, which the smooth offset may slide over them.
    for (const bool fallingPass : { false, true }) {
        for (int column = 0; column < kFieldColumns; ++column) {
            for (int row = 0; row < kFieldRows; ++row) {
                const CellState& cell = grid[size_t(column)][size_t(row)];
                const bool falling = cell.code >= kFallingCodeOffset;
                if (!cell.occupied || falling != fallingPass)
                    continue;
                const std::optional<TileSpot> spot = tiles.spot(cell.code, *sprites.picture);
                if (!spot)
                    continue;
                sprites.put(dc, column * size + shake, row * size + (falling ? smooth : 0), size, size,
                    spot->x, spot->y);
            }
        }
    }
}

void DrawingLibrary::KalvonBlocksDraw(
    int p, Surface& dc, const Surface* blocks, int frame, int still, int smooth, int shake, int ab, int as)
{
    if (const CellGrid* grid = localGrid(p))
        drawGrid(*grid, dc, Sprites::opaque(blocks),
            TileChoice::fromBlocks(TileSize::Large, frame, still, ab, as), smooth, shake);
}

void DrawingLibrary::KalvonBlocksDrawTransparent(int p, Surface& dc, const Surface* blocks,
    const Surface* mask, int frame, int still, int smooth, int shake, int ab, int as)
{
    if (const CellGrid* grid = localGrid(p))
        drawGrid(*grid, dc, Sprites::transparent(blocks, mask),
            TileChoice::fromBlocks(TileSize::Large, frame, still, ab, as), smooth, shake);
}

void DrawingLibrary::KalvonBasicBlocksDraw(int p, Surface& dc, const Surface* skin, int smooth, int shake)
{
    if (const CellGrid* grid = localGrid(p))
        drawGrid(*grid, dc, Sprites::opaque(skin), TileChoice::fromSkin(TileSize::Large), smooth, shake);
}

void DrawingLibrary::KalvonBasicBlocksDrawTransparent(
    int p, Surface& dc, const Surface* skin, const Surface* mask, int smooth, int shake)
{
    if (const CellGrid* grid = localGrid(p))
        drawGrid(*grid, dc, Sprites::transparent(skin, mask), TileChoice::fromSkin(TileSize::Large), smooth,
            shake);
}

void DrawingLibrary::KalvonInternetBlocksDraw(
    int n, Surface& dc, const Surface* blocks, int frame, int still, int ab, int as)
{
    if (const CellGrid* grid = boardGrid(n))
        drawGrid(*grid, dc, Sprites::opaque(blocks),
            TileChoice::fromBlocks(TileSize::Small, frame, still, ab, as), 0, 0);
}

void DrawingLibrary::KalvonInternetBlocksDrawTransparent(
    int n, Surface& dc, const Surface* blocks, const Surface* mask, int frame, int still, int ab, int as)
{
    if (const CellGrid* grid = boardGrid(n))
        drawGrid(*grid, dc, Sprites::transparent(blocks, mask),
            TileChoice::fromBlocks(TileSize::Small, frame, still, ab, as), 0, 0);
}

void DrawingLibrary::KalvonBasicInternetBlocksDraw(int n, Surface& dc, const Surface* skin)
{
    if (const CellGrid* grid = boardGrid(n))
        drawGrid(*grid, dc, Sprites::opaque(skin), TileChoice::fromSkin(TileSize::Small), 0, 0);
}

void DrawingLibrary::KalvonBasicInternetBlocksDrawTransparent(
    int n, Surface& dc, const Surface* skin, const Surface* mask)
{
    if (const CellGrid* grid = boardGrid(n))
        drawGrid(*grid, dc, Sprites::transparent(skin, mask), TileChoice::fromSkin(TileSize::Small), 0, 0);
}

void DrawingLibrary::drawNextPiece(Surface& dc, const Sprites& sprites, const TileChoice& tiles, int type)
{
    const PieceCells* cells = pieceCells(type, 1);
    if (!cells || !sprites.usable())
        return;
    const std::optional<TileSpot> spot = tiles.spot(fallingColor(type), *sprites.picture);
    if (!spot)
        return;
    const auto [left, right]
        = std::minmax_element(cells->begin(), cells->end(), [](auto a, auto b) { return a.dx < b.dx; });
    const auto [top, bottom]
        = std::minmax_element(cells->begin(), cells->end(), [](auto a, auto b) { return a.dy < b.dy; });
    const int width = (right->dx - left->dx + 1) * kTileSize;
    const int height = (bottom->dy - top->dy + 1) * kTileSize;
    const int x0 = (kNextWindowSize - width) / 2;
    const int y0 = (kNextWindowSize - height) / 2;
    for (const CellOffset& cell : *cells)
        sprites.put(dc, x0 + (cell.dx - left->dx) * kTileSize, y0 + (cell.dy - top->dy) * kTileSize,
            kTileSize, kTileSize, spot->x, spot->y);
}

void DrawingLibrary::KalvonNextBlock(Surface& dc, const Surface* blocks, int type, int frame)
{
    drawNextPiece(dc, Sprites::opaque(blocks), TileChoice::oneFrame(TileSize::Large, frame), type);
}

void DrawingLibrary::KalvonNextBlockTransparent(
    Surface& dc, const Surface* blocks, const Surface* mask, int type, int frame)
{
    drawNextPiece(dc, Sprites::transparent(blocks, mask), TileChoice::oneFrame(TileSize::Large, frame), type);
}

void DrawingLibrary::KalvonBasicNextBlock(Surface& dc, const Surface* skin, int type)
{
    drawNextPiece(dc, Sprites::opaque(skin), TileChoice::fromSkin(TileSize::Large), type);
}

void DrawingLibrary::KalvonBasicNextBlockTransparent(
    Surface& dc, const Surface* skin, const Surface* mask, int type)
{
    drawNextPiece(dc, Sprites::transparent(skin, mask), TileChoice::fromSkin(TileSize::Large), type);
}

void DrawingLibrary::drawSpecialTiles(
    Surface& dc, const Sprites& sprites, const TileChoice& tiles, int p) const
{
    if (!sprites.usable())
        return;
    const Bytes& items = m_inventory[size_t(p - 1)];
    for (size_t i = 0; i < items.size(); ++i) {
        if (const std::optional<TileSpot> spot = tiles.spot(byteCode(items[i]), *sprites.picture))
            sprites.put(dc, int(i) * kTileSize, 0, kTileSize, kTileSize, spot->x, spot->y);
    }
}

void DrawingLibrary::KalvonSpecialWindowDraw(
    Surface& dc, const Surface* specialWindow, const Surface* blocks, const Surface* mask, int p, int frame)
{
    if (!isLocalPlayer(p))
        return;
    if (specialWindow && frameInSheet(*specialWindow, frame, kSpecialFrameHeight))
        dc.bitBlt(
            0, 0, kSpecialFrameWidth, kSpecialFrameHeight, *specialWindow, 0, frame * kSpecialFrameHeight);
    const Sprites sprites = mask ? Sprites::transparent(blocks, mask) : Sprites::opaque(blocks);
    drawSpecialTiles(dc, sprites, TileChoice::oneFrame(TileSize::Large, 0), p);
}

void DrawingLibrary::KalvonBasicSpecialWindowDraw(
    Surface& dc, const Surface* /*specialWindow*/, const Surface* skin, const Surface* mask, int p)
{
    if (!isLocalPlayer(p))
        return;
    const Sprites sprites = mask ? Sprites::transparent(skin, mask) : Sprites::opaque(skin);
    drawSpecialTiles(dc, sprites, TileChoice::fromSkin(TileSize::Large), p);
}

void DrawingLibrary::KalvonUpdateSpecials(BytesView inventory, int p)
{
    if (isLocalPlayer(p))
        m_inventory[size_t(p - 1)] = Bytes(inventory.substr(0, kInventorySize));
}

Bytes DrawingLibrary::inventory(int p) const
{
    return isLocalPlayer(p) ? m_inventory[size_t(p - 1)] : Bytes();
}

} // namespace kalvon
