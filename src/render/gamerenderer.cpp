// The renderer's set-up and its bridge to the drawing library: the cell state of the local
// fields and internet boards, drop trails and shadow cells.

#include "render/gamerenderer.h"

#include "engine/gameengine.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/internetview.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

namespace kalvon {

namespace {

// A hard drop's trail for one shape and orientation: its width in columns, the shift of its
// left edge from the piece's reference column, and the rows it reaches past the end row.
struct TrailShape {
    int8_t width = 0;
    int8_t columnShift = 0;
    int8_t extraRows = 0;
};

// By PieceType, then orientation 1..4; the orientations a shape lacks leave no trail.
constexpr TrailShape kTrailShapes[kPieceTypes][4] = {
    { { 3, 0, 0 }, { 2, 0, 1 }, { 3, 0, 0 }, { 2, -1, 1 } }, // tblock
    { { 4, 0, 0 }, { 1, 0, 0 }, {}, {} }, // lines
    { { 3, 0, 1 }, { 2, -1, 1 }, {}, {} }, // zblock
    { { 3, 0, 0 }, { 2, 0, 1 }, {}, {} }, // sblock
    { { 2, 0, 0 }, { 2, 0, 0 }, { 2, 0, 0 }, { 2, 0, 0 } }, // square
    { { 3, 0, 1 }, { 2, 0, 0 }, { 3, 0, 0 }, { 2, 0, 2 } }, // lblock
    { { 3, 0, 0 }, { 2, -1, 2 }, { 3, 0, 1 }, { 2, 0, 0 } }, // lblock2
};

TrailShape trailShape(int type, int orientation)
{
    if (type < 0 || type >= kPieceTypes || orientation < 1 || orientation > 4)
        return {};
    return kTrailShapes[type][orientation - 1];
}

// The markers of an internet board: column, effect flag, the code shown while it runs.
struct BoardMarker {
    int column;
    const OpponentBoards::PerBoard<bool> OpponentBoards::*active;
    int code;
};
constexpr BoardMarker kBoardMarkers[] = {
    { 11, &OpponentBoards::NetFlashActive, 15 },
    { 10, &OpponentBoards::NetTremorActive, 18 },
    { 9, &OpponentBoards::NetShieldActive, 21 },
};

constexpr int kShieldColumn = 11;
constexpr int kShieldCode = 21;

} // namespace

GameRenderer::GameRenderer(const RenderContext& context)
    : m_context(context)
    , m_guideColumn(1, kFieldPictureHeight)
{
    m_guideColumn.fill(kWhitePixel);
}

const EngineState& GameRenderer::state() const
{
    return m_context.engine.state();
}

ThemeRecord& GameRenderer::theme()
{
    return m_context.themes.CurrentTheme;
}

PictureBox& GameRenderer::field(int p)
{
    return m_context.pictures.picField[size_t(p)];
}

void GameRenderer::UpdateFieldBlocks(int p)
{
    if (!isPlayer(p))
        return;
    const EngineState& s = state();
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y)
            m_context.library.KalvonUpdateBlocks(
                p - 1, x, y, s.FieldOccupied[p][x][y], s.FieldColor[p][x][y]);
    }
    if (s.ShieldActive[p])
        m_context.library.KalvonUpdateBlocks(p - 1, kShieldColumn, 0, kCellOccupied, kShieldCode);
}

void GameRenderer::UpdateInternetFieldBlocks(int n)
{
    if (n < 1 || n > kInternetFields)
        return;
    const OpponentBoards& boards = m_context.internet.boards;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y)
            m_context.library.KalvonUpdateInternetBlocks(
                n - 1, x, y, boards.InetFieldOccupied[n][x][y], boards.InetFieldColor[n][x][y]);
    }
    UpdateNetBoardMarkers(n);
}

void GameRenderer::UpdateNetBoardMarkers(int n)
{
    if (n < 1 || n > kInternetFields)
        return;
    const OpponentBoards& boards = m_context.internet.boards;
    for (const BoardMarker& marker : kBoardMarkers) {
        if ((boards.*marker.active)[size_t(n)])
            m_context.library.KalvonUpdateInternetBlocks(n - 1, marker.column, 0, kCellOccupied, marker.code);
        else
            m_context.library.KalvonUpdateInternetBlocks(n - 1, marker.column, 0,
                boards.InetFieldOccupied[n][marker.column][0], boards.InetFieldColor[n][marker.column][0]);
    }
}

void GameRenderer::UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow)
{
    if (!m_context.options.dropTrail)
        return;
    const TrailShape shape = trailShape(type, orientation);
    m_context.library.KalvonTrailUpdate(
        p, column + shape.columnShift, startRow, shape.width, endRow + shape.extraRows - startRow);
}

void GameRenderer::GenerateTrail()
{
    m_context.library.KalvonTrailGenerate(m_context.options.dropTrailColor);
}

void GameRenderer::ClearTrails()
{
    m_context.library.KalvonTrailClear(1);
    m_context.library.KalvonTrailClear(2);
}

void GameRenderer::DrawShadow(int p, int column, int row)
{
    if (!isPlayer(p) || state().HardDropping[p])
        return;
    Surface& dc = field(p).canvas();
    m_context.library.KalvonShadowDraw(column, row - 1, dc, dc);
}

void GameRenderer::ResetTrailLastDrawTime(int p)
{
    if (isPlayer(p))
        m_trailLastDrawTime[size_t(p)] = 0;
}

} // namespace kalvon
