#include "support/enginefakes.h"

#include "engine/shapes.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kalvon::testing {

namespace {

const char* labelName(LabelId id)
{
    switch (id) {
    case LabelId::Lines: return "Lines";
    case LabelId::Quads: return "Quads";
    case LabelId::Score: return "Score";
    case LabelId::Spec: return "Spec";
    case LabelId::Level: return "Level";
    case LabelId::ActiveLevel: return "ActiveLevel";
    }
    return "?";
}

char cellChar(int16_t occupied, int16_t color)
{
    if (occupied == kCellEmpty)
        return '.';
    if (color >= 0 && color < kFirstSpecialCode)
        return static_cast<char>('0' + color);
    if (color >= kFirstSpecialCode && color <= kLastSpecialCode)
        return static_cast<char>('A' + color - kFirstSpecialCode);
    if (color >= kFallingCodeOffset && color <= kFallingCodeOffset + 5)
        return static_cast<char>('a' + color - kFallingCodeOffset);
    return '?';
}

int16_t cellCode(char c)
{
    if (c >= '0' && c <= '5')
        return static_cast<int16_t>(c - '0');
    if (c >= 'A' && c <= 'P')
        return static_cast<int16_t>(kFirstSpecialCode + c - 'A');
    if (c >= 'a' && c <= 'f')
        return static_cast<int16_t>(kFallingCodeOffset + c - 'a');
    ADD_FAILURE() << "unknown field character '" << c << "'";
    return 0;
}

// The fixture rows as 22 full rows, top first.
std::vector<std::string> fullRows(const FieldRows& rows)
{
    EXPECT_LE(rows.size(), size_t(kFieldRows));
    std::vector<std::string> out(
        kFieldRows - std::min(rows.size(), size_t(kFieldRows)), std::string(kFieldColumns, '.'));
    for (std::string_view row : rows) {
        EXPECT_EQ(row.size(), size_t(kFieldColumns)) << "fixture row \"" << row << "\"";
        std::string line(row.substr(0, kFieldColumns));
        line.resize(kFieldColumns, '.');
        out.push_back(line);
    }
    out.resize(kFieldRows, std::string(kFieldColumns, '.'));
    return out;
}

} // namespace

Bytes RecordingEngineHost::label(LabelId id, int p) const
{
    const auto it = labels.find({ id, p });
    return it == labels.end() ? Bytes("<unset>") : it->second;
}

int RecordingEngineHost::count(std::string_view call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void RecordingEngineHost::clear()
{
    calls.clear();
    sounds.clear();
    labels.clear();
    explosions.clear();
    trails.clear();
    shadows.clear();
    bombs.clear();
}

void RecordingEngineHost::note(std::string call)
{
    calls.push_back(std::move(call));
    if (onCall)
        onCall(calls.back());
}

void RecordingEngineHost::DrawShadow(int p, int column, int landingRow)
{
    shadows.push_back({ p, column, landingRow });
    record("DrawShadow", p);
}

void RecordingEngineHost::UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow)
{
    trails.push_back({ p, column, startRow, type, orientation, endRow });
    record("UpdateTrail", p);
}

void RecordingEngineHost::AnimateLineExplosion(int p, const ClearedRows& rows)
{
    explosions.push_back(rows);
    record("AnimateLineExplosion", p);
}

void RecordingEngineHost::BombCreate(int p, int column, int row, int slot)
{
    bombs.push_back({ p, column, row, slot });
    record("BombCreate", p);
}

void RecordingEngineHost::BombFrame(int p, int slot, int frame)
{
    note("BombFrame " + std::to_string(p) + " " + std::to_string(slot) + " " + std::to_string(frame));
}

void RecordingEngineHost::BombKill(int p, int slot)
{
    note("BombKill " + std::to_string(p) + " " + std::to_string(slot));
}

void RecordingEngineHost::DrawDoorFrame(int p, int width)
{
    note("DrawDoorFrame " + std::to_string(p) + " " + std::to_string(width));
}

void RecordingEngineHost::playSound(SoundSlot slot)
{
    sounds.push_back(slot);
    note("sound " + std::to_string(static_cast<int>(slot)));
}

void RecordingEngineHost::setLabel(LabelId id, int p, BytesView text)
{
    labels[{ id, p }] = Bytes(text);
    note(std::string("label ") + labelName(id) + " " + std::to_string(p) + " " + std::string(text));
}

double ScriptedRandom::next()
{
    if (values.empty()) {
        ADD_FAILURE() << "the random script ran out after " << drawn << " numbers";
        return 0.0;
    }
    ++drawn;
    const double value = values.front();
    values.pop_front();
    return value;
}

void RecordingEffects::AddLine(int t)
{
    record("AddLine", t);
    if (duringAddLine)
        duringAddLine(t);
}

void setField(EngineState& state, int p, const FieldRows& rows)
{
    const std::vector<std::string> full = fullRows(rows);
    for (int y = 0; y < kFieldRows; ++y) {
        for (int x = 0; x < kFieldColumns; ++x) {
            const char c = full[static_cast<size_t>(y)][static_cast<size_t>(x)];
            state.FieldOccupied[p][x][y] = c == '.' ? kCellEmpty : kCellOccupied;
            state.FieldColor[p][x][y] = c == '.' ? 0 : cellCode(c);
        }
    }
}

std::string fieldText(const EngineState& state, int p)
{
    std::string text;
    for (int y = 0; y < kFieldRows; ++y) {
        if (y > 0)
            text += '\n';
        for (int x = 0; x < kFieldColumns; ++x)
            text += cellChar(state.FieldOccupied[p][x][y], state.FieldColor[p][x][y]);
    }
    return text;
}

std::string fieldText(const FieldRows& rows)
{
    std::string text;
    for (const std::string& row : fullRows(rows))
        text += (text.empty() ? "" : "\n") + row;
    return text;
}

EngineRig::EngineRig(GameMode mode)
{
    engine.setEffects(effects);
    EngineState& s = state();
    s.GameMode = mode;
    s.GameActive = true;
    s.GameStarted = true;
    s.ActiveLevel = 1;
    s.Level = { 0, 1, 1 };
}

void EngineRig::place(int p, PieceType type, int orientation, int column, int row)
{
    EngineState& s = state();
    const int t = static_cast<int>(type);
    s.FallingPiece[p] = { static_cast<int16_t>(t), static_cast<int16_t>(orientation),
        static_cast<int16_t>(column), static_cast<int16_t>(row) };
    s.PieceInPlay[p] = true;
    const PieceCells* cells = pieceCells(t, orientation);
    if (!cells) {
        ADD_FAILURE() << "no such piece orientation";
        return;
    }
    for (const CellOffset& c : *cells) {
        s.FieldOccupied[p][column + c.dx][row + c.dy] = kCellOccupied;
        s.FieldColor[p][column + c.dx][row + c.dy] = fallingColor(t);
    }
}

void expectRefused(std::initializer_list<Refusal> situations,
    const std::function<void(EngineRig&, int)>& setup, const std::function<void(GameEngine&, int)>& operation)
{
    for (const Refusal& situation : situations) {
        SCOPED_TRACE(situation.name);
        EngineRig rig(situation.mode);
        const int p = situation.player;
        setup(rig, p);
        situation.prepare(rig.state());
        const EngineState& s = rig.state();
        const std::string field = fieldText(s, p);
        const FallingPieceRecord piece = s.FallingPiece[p];
        const bool active = s.GameActive;
        operation(rig.engine, p);
        EXPECT_EQ(fieldText(s, p), field);
        EXPECT_EQ(s.FallingPiece[p].Type, piece.Type);
        EXPECT_EQ(s.FallingPiece[p].Orientation, piece.Orientation);
        EXPECT_EQ(s.FallingPiece[p].Column, piece.Column);
        EXPECT_EQ(s.FallingPiece[p].Row, piece.Row);
        EXPECT_EQ(s.GameActive, active);
        EXPECT_EQ(s.Score, 0);
        EXPECT_TRUE(rig.host.calls.empty());
    }
}

} // namespace kalvon::testing
