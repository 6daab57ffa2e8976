// The landing: full rows removed, lines, level and score counted, specials collected, lines sent
// to the others, and the next piece brought in; and what happens when the game ends meanwhile.

#include "support/enginefakes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

// A rig whose field 1 holds `rows` (already locked) and whose next piece is the straight one,
// so the spawn after the landing shows as "aaaa" in row 0.
struct ClearRig : EngineRig {
    ClearRig(GameMode mode, const FieldRows& rows)
        : EngineRig(mode)
    {
        setField(state(), 1, rows);
        state().NextPiece[1] = static_cast<int16_t>(PieceType::Lines);
        state().BlockOccurancy.fill(10);
        state().InetBlockOccurancy.fill(10);
        random.add({ 0.0 }); // the next piece
    }
};

const char* const kSpawnedLine = ".....aaaa...";

} // namespace

TEST(LineClear, RemovesFullRowsApartAndCountsAtTheNewLevel)
{
    EngineRig rig;
    rig.state().Options.sounds = true;
    rig.random.add({ 0.5 });
    setField(rig.state(), 1,
        { "3...........", "44..........", "22222222222.", "1.1.1.1.1.1.", "33333333333.", "0.000000000." });
    rig.place(1, PieceType::Lines, 2, 11, 18); // upright in column 11, resting on the floor
    rig.state().Lines[1] = 11;

    rig.engine.MovePieceDown(1);

    EXPECT_EQ(fieldText(rig.state(), 1),
        fieldText({ "......b.....", ".....bbb....", "............", "............", "............",
            "............", "............", "............", "............", "............", "............",
            "............", "............", "............", "............", "............", "............",
            "............", "3...........", "44..........", "1.1.1.1.1.10", "0.0000000000" }));
    EXPECT_EQ(rig.state().Lines[1], 13);
    EXPECT_EQ(rig.state().Level[1], 3);
    EXPECT_EQ(rig.state().ActiveLevel, 3);
    EXPECT_EQ(rig.state().Score, (3 + 1) * 2 * 10) << "lines score at the level they reach";
    EXPECT_EQ(rig.host.sounds, std::vector<SoundSlot>{ SoundSlot::LineClear });
    EXPECT_EQ(rig.host.label(LabelId::Lines, 1), "Lines: 13");
    EXPECT_EQ(rig.host.label(LabelId::Level, 1), "Level: 3");
    EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 1), "Active Level: 3");
    EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 2), "Active Level: 3");
    EXPECT_EQ(rig.host.label(LabelId::Score, 1), "80");
    EXPECT_EQ(rig.state().NextPiece[1], 3) << "Int(0.5 x 7)";
    EXPECT_TRUE(rig.state().PieceInPlay[1]);
    EXPECT_EQ(rig.state().FallingPiece[1].Type, static_cast<int>(PieceType::TBlock)) << "the old next piece";
}

TEST(LineClear, FourRowsExplodeFromACopyAfterTheyAreGone)
{
    ClearRig rig(GameMode::OnePlayer,
        { "1...........", "222222222222", "333333333333", "4444A4444444", "555555555555" });
    rig.state().Options = { .sounds = true, .explode = true };
    std::string fieldAtFirstDraw, fieldDuringExplosion;
    rig.host.onCall = [&](const std::string& call) {
        if (call == "DrawField 1" && fieldAtFirstDraw.empty())
            fieldAtFirstDraw = fieldText(rig.state(), 1);
        if (call == "AnimateLineExplosion 1")
            fieldDuringExplosion = fieldText(rig.state(), 1);
    };

    rig.engine.LockPieceAndClearLines(1);

    const std::string cleared = fieldText({ "1..........." });
    EXPECT_EQ(fieldAtFirstDraw,
        fieldText({ "1...........", "222222222222", "333333333333", "4444A4444444", "555555555555" }))
        << "the explosion starts over the full rows";
    EXPECT_EQ(fieldDuringExplosion, cleared) << "the rows are removed before the explosion waits";
    ASSERT_EQ(rig.host.explosions.size(), 1u);
    const ClearedRows& rows = rig.host.explosions[0];
    EXPECT_EQ(rows.count, 4);
    EXPECT_EQ(rows.rows, (std::array<int16_t, 4>{ 18, 19, 20, 21 }));
    EXPECT_EQ(rows.colors[2][4], 6) << "the copy keeps the rows' codes";
    EXPECT_EQ(rows.colors[3][11], 5);
    EXPECT_EQ(rig.host.sounds, std::vector<SoundSlot>{ SoundSlot::Quad });
    EXPECT_EQ(rig.state().FourLineClears[1], 1);
    EXPECT_EQ(rig.host.label(LabelId::Quads, 1), "Quads: 1");
    EXPECT_EQ(rig.state().Score, 80) << "four lines at active level 1";
    std::string expected = cleared;
    expected.replace(0, 12, kSpawnedLine);
    EXPECT_EQ(fieldText(rig.state(), 1), expected);
}

TEST(LineClear, FourRowsWithoutTheExplosionOptionStillSoundTheQuad)
{
    ClearRig rig(GameMode::OnePlayer, { "222222222222", "333333333333", "444444444444", "555555555555" });
    rig.state().Options.sounds = true;
    rig.engine.LockPieceAndClearLines(1);
    EXPECT_TRUE(rig.host.explosions.empty());
    EXPECT_EQ(rig.host.sounds, std::vector<SoundSlot>{ SoundSlot::Quad });
    EXPECT_EQ(rig.state().Lines[1], 4);
}

TEST(LineClear, RowZeroAndAFifthFullRowFollowTheirOwnRules)
{
    struct Case {
        const char* name;
        std::vector<std::string> before; // all 22 rows
        std::vector<std::string> after; // the rows below the spawned piece, 1..21
        int lines;
    };
    std::vector<std::string> empty(kFieldRows, "............");
    auto with = [&](std::initializer_list<std::pair<int, const char*>> rows) {
        std::vector<std::string> field = empty;
        for (auto [y, text] : rows)
            field[static_cast<size_t>(y)] = text;
        return field;
    };
    const Case cases[] = {
        { "a full top row alone is removed", with({ { 0, "333333333333" }, { 21, "1..........." } }),
            with({ { 21, "1..........." } }), 1 },
        { "a block in row 0 is lost, not moved down",
            with({ { 0, "1..........." }, { 20, "2..........." }, { 21, "444444444444" } }),
            with({ { 21, "2..........." } }), 1 },
        { "a fifth full row takes the fourth's place",
            with({ { 16, "1..........." }, { 17, "222222222222" }, { 18, "333333333333" },
                { 19, "444444444444" }, { 20, "555555555555" }, { 21, "000000000000" } }),
            with({ { 20, "1..........." }, { 21, "555555555555" } }), 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRig rig(GameMode::OnePlayer, {});
        for (int y = 0; y < kFieldRows; ++y)
            for (int x = 0; x < kFieldColumns; ++x) {
                const char ch = c.before[static_cast<size_t>(y)][static_cast<size_t>(x)];
                rig.state().FieldOccupied[1][x][y] = ch == '.' ? kCellEmpty : kCellOccupied;
                rig.state().FieldColor[1][x][y] = static_cast<int16_t>(ch == '.' ? 0 : ch - '0');
            }
        rig.engine.LockPieceAndClearLines(1);
        std::string expected = kSpawnedLine;
        for (int y = 1; y < kFieldRows; ++y)
            expected += "\n" + c.after[static_cast<size_t>(y)];
        EXPECT_EQ(fieldText(rig.state(), 1), expected);
        EXPECT_EQ(rig.state().Lines[1], c.lines);
    }
}

TEST(LineClear, ALandingWithoutFullRowsStillCountsAndBringsTheNextPiece)
{
    for (GameMode mode : { GameMode::OnePlayer, GameMode::Internet }) {
        SCOPED_TRACE(static_cast<int>(mode));
        ClearRig rig(mode, { "12.........." });
        rig.state().Rules.specials = true;
        rig.engine.LockPieceAndClearLines(1);
        EXPECT_EQ(rig.host.label(LabelId::Lines, 1), "Lines: 0");
        EXPECT_EQ(rig.state().FallingPiece[1].Type, static_cast<int>(PieceType::Lines));
        EXPECT_EQ(rig.host.count("DrawNextPiece 1"), 1);
        EXPECT_EQ(rig.host.count("BotPieceUpdate 1"), 1);
        if (mode == GameMode::OnePlayer) {
            EXPECT_EQ(rig.host.label(LabelId::Score, 1), "0");
            EXPECT_EQ(rig.host.count("SendFieldUpdate"), 0);
        } else {
            EXPECT_EQ(rig.host.count("CheckLevelUp"), 1);
            EXPECT_EQ(rig.host.count("SendFieldUpdate"), 1);
            EXPECT_EQ(rig.host.label(LabelId::Score, 1), "<unset>");
        }
        // The field is handed to the drawing library and drawn after the spawn.
        EXPECT_EQ(std::vector<std::string>(rig.host.calls.end() - 3, rig.host.calls.end()),
            (std::vector<std::string>{ "DrawField 1", "UpdateFieldBlocks 1", "DrawField 1" }));
    }
}

TEST(LineClear, CollectsSpecialsRowByRowUpToTheInventorySize)
{
    struct Case {
        const char* name;
        bool linespecial;
        int16_t maxspecials;
        std::vector<int16_t> before;
        std::vector<int16_t> after;
        GameMode mode = GameMode::TwoPlayers;
    };
    const Case cases[] = {
        { "once each", false, 10, {}, { 13, 6, 20 } },
        { "once per cleared line", true, 10, {}, { 13, 13, 6, 6, 20, 20 } },
        { "until the inventory is full", true, 3, {}, { 13, 13, 6 } },
        { "after what was there", false, 4, { 7, 8 }, { 7, 8, 13, 6 } },
        { "inventory size 0", false, 0, {}, {} },
        { "negative inventory size", true, -2, {}, {} },
        { "inventory already above the size", false, 2, { 7, 8, 9 }, { 7, 8, 9 } },
        { "never in a one-player game", false, 10, {}, {}, GameMode::OnePlayer },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRig rig(c.mode, { "5.5.5.5.5.5.", "55H5555A5555", "O55555555555" });
        rig.state().Rules.specials = true;
        rig.state().Rules.linespecial = c.linespecial;
        rig.state().Rules.maxspecials = c.maxspecials;
        rig.state().lstSpecials[1] = c.before;
        rig.engine.LockPieceAndClearLines(1);
        EXPECT_EQ(rig.state().lstSpecials[1], c.after);
        const int added = static_cast<int>(c.after.size() - c.before.size());
        EXPECT_EQ(rig.host.count("UpdateSpecialsWindow 1"), added);
        EXPECT_EQ(rig.host.count("DrawSpecialWindow 1"), added);
        if (added > 0) {
            EXPECT_EQ(rig.host.label(LabelId::Spec, 1), rig.engine.SpecialName(1));
        }
    }
}

TEST(LineClear, CountsSpecialsGainedInInternetPlay)
{
    ClearRig rig(GameMode::Internet, { "55H5555A5555" });
    rig.state().Rules = { .specials = true, .maxspecials = 10 };
    rig.engine.LockPieceAndClearLines(1);
    EXPECT_EQ(rig.state().SpecialsGained, 2);
    EXPECT_EQ(rig.host.label(LabelId::Spec, 1), "(Add Line)");
}

TEST(LineClear, ClassicRuleSendsLinesToTheOtherLocalPlayer)
{
    struct Case {
        GameMode mode;
        bool classic;
        int rows;
        int linesSent;
    };
    const Case cases[] = {
        { GameMode::TwoPlayers, true, 1, 0 },
        { GameMode::TwoPlayers, true, 2, 1 },
        { GameMode::TwoPlayers, true, 3, 2 },
        { GameMode::TwoPlayers, true, 4, 4 },
        { GameMode::TwoPlayers, false, 4, 0 },
        { GameMode::OnePlayer, true, 4, 0 },
    };
    for (const Case& c : cases) {
        for (int p : { 1, 2 }) {
            SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(c.mode) << " classic "
                                              << c.classic << " rows " << c.rows << " player " << p);
            if (p == 2 && c.mode == GameMode::OnePlayer)
                continue;
            EngineRig rig(c.mode);
            rig.state().Rules.classic = c.classic;
            rig.state().BlockOccurancy.fill(10);
            rig.random.add({ 0.0 });
            for (int y = kFieldRows - c.rows; y < kFieldRows; ++y)
                for (int x = 0; x < kFieldColumns; ++x)
                    rig.state().FieldOccupied[p][x][y] = kCellOccupied;
            rig.engine.LockPieceAndClearLines(p);
            EXPECT_EQ(rig.effects.calls,
                std::vector<std::string>(
                    static_cast<size_t>(c.linesSent), "AddLine " + std::to_string(OtherPlayer(p))));
            EXPECT_TRUE(rig.state().PieceInPlay[p]);
        }
    }
}

TEST(LineClear, InternetPlayAddsTheClassicLinesToAll)
{
    struct Case {
        int rows;
        std::vector<std::string> sent; // the host's calls that add lines to all
        int32_t linesAddedToAll;
    };
    const Case cases[] = {
        { 1, {}, 0 },
        { 2, { "addLinesToAll 1" }, 1 },
        { 3, { "addLinesToAll 2" }, 2 },
        { 4, { "addLinesToAll 4" }, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        EngineRig rig(GameMode::Internet);
        rig.state().Rules.classic = true;
        rig.state().InetBlockOccurancy.fill(10);
        rig.random.add({ 0.0 });
        for (int y = kFieldRows - c.rows; y < kFieldRows; ++y)
            for (int x = 0; x < kFieldColumns; ++x)
                rig.state().FieldOccupied[1][x][y] = kCellOccupied;
        rig.engine.LockPieceAndClearLines(1);
        std::vector<std::string> sent;
        std::ranges::copy_if(rig.host.calls, std::back_inserter(sent),
            [](const std::string& call) { return call.starts_with("addLinesToAll"); });
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(rig.state().LinesAddedToAll, c.linesAddedToAll);
        EXPECT_EQ(rig.state().LevelLineCount, c.rows);
        EXPECT_EQ(rig.host.count("SendFieldUpdate"), 1);
        EXPECT_TRUE(rig.effects.calls.empty()) << "no local Add Line in internet play";
    }
}

TEST(LineClear, StopsWhenItsGameEndsWhileItWaits)
{
    // The rows are gone before anything waits; after a wait the step goes on only while its game
    // runs, and a paused game still gets its next piece.
    struct Case {
        const char* name;
        GameMode mode;
        std::function<void(GameEngine&)> duringExplosion;
        std::function<void(GameEngine&)> duringAddLine;
        bool finishes;
        int addLines;
    };
    const Case cases[] = {
        { "stopped during the explosion", GameMode::OnePlayer, [](GameEngine& e) { e.stopGame(); }, nullptr,
            false, 0 },
        { "lost and restarted during the explosion", GameMode::OnePlayer,
            [](GameEngine& e) {
                e.PlayerLost(1);
                writableState(e).GameActive = true;
            },
            nullptr, false, 0 },
        { "paused during the explosion", GameMode::OnePlayer,
            [](GameEngine& e) {
                writableState(e).GameActive = false;
                writableState(e).GamePaused = true;
            },
            nullptr, true, 0 },
        { "other player lost during Add Line", GameMode::TwoPlayers, nullptr,
            [](GameEngine& e) { e.PlayerLost(2); }, false, 1 },
        { "nothing happened", GameMode::TwoPlayers, nullptr, nullptr, true, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRig rig(c.mode, { "222222222222", "333333333333", "444444444444", "555555555555" });
        rig.state().Options.explode = true;
        rig.state().Rules.classic = true;
        rig.state().Score = 7;
        // A lost game fills a field at random; the field is looked at as the step waits.
        rig.random.values.insert(rig.random.values.end(), kFieldCells, 0.0);
        std::string atWait;
        if (c.duringExplosion)
            rig.host.onCall = [&](const std::string& call) {
                if (call == "AnimateLineExplosion 1") {
                    atWait = fieldText(rig.state(), 1);
                    c.duringExplosion(rig.engine);
                }
            };
        if (c.duringAddLine)
            rig.effects.duringAddLine = [&](int) {
                atWait = fieldText(rig.state(), 1);
                c.duringAddLine(rig.engine);
            };

        rig.engine.LockPieceAndClearLines(1);

        if (!c.finishes)
            EXPECT_EQ(atWait.substr(13), fieldText({}).substr(13)) << "the rows are removed before the wait";
        else
            EXPECT_EQ(fieldText(rig.state(), 1).substr(13), fieldText({}).substr(13))
                << "the rows are removed";
        EXPECT_EQ(rig.state().PieceInPlay[1], c.finishes);
        EXPECT_EQ(rig.state().Lines[1], c.finishes || c.duringAddLine ? 4 : 0);
        EXPECT_EQ(rig.host.count("DrawNextPiece 1"), c.finishes ? 1 : 0);
        EXPECT_EQ(static_cast<int>(rig.effects.calls.size()), c.addLines);
        if (c.mode == GameMode::OnePlayer) {
            EXPECT_EQ(rig.state().Score, c.finishes ? 7 + 80 : 7);
        }
    }
}

TEST(LineClear, ChangesMadeDuringTheExplosionStay)
{
    // An Add Line arriving while the explosion shows pushes a garbage row under the field; the
    // landing must not remove it in place of a cleared row.
    ClearRig rig(GameMode::OnePlayer,
        { "1...........", "222222222222", "333333333333", "444444444444", "555555555555" });
    rig.state().Options.explode = true;
    rig.host.onCall = [&](const std::string& call) {
        if (call != "AnimateLineExplosion 1")
            return;
        EngineState& s = rig.state();
        for (int x = 0; x < kFieldColumns; ++x) {
            for (int y = 0; y < kFieldRows - 1; ++y) {
                s.FieldOccupied[1][x][y] = s.FieldOccupied[1][x][y + 1];
                s.FieldColor[1][x][y] = s.FieldColor[1][x][y + 1];
            }
            s.FieldOccupied[1][x][21] = x == 3 ? kCellEmpty : kCellOccupied;
            s.FieldColor[1][x][21] = 4;
        }
    };
    rig.engine.LockPieceAndClearLines(1);
    std::string expected = fieldText({ "1...........", "444.44444444" });
    expected.replace(0, 12, kSpawnedLine);
    EXPECT_EQ(fieldText(rig.state(), 1), expected);
}
