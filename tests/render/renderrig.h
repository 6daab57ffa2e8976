#pragma once
// A renderer over an engine in a running two-player game, with a tile-coded type-1 theme, a
// drawing library that records the calls the tests watch, recording hooks, a pump that moves
// the fake clock, and recorders of what each picture showed when it was refreshed.

#include "engine/state.h"
#include "platform/eventpump.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/internetview.h"
#include "render/previewpictures.h"
#include "render/renderhooks.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"
#include "support/enginefakes.h"
#include "tilecodedtheme.h"

#include <functional>
#include <string>
#include <vector>

namespace kalvon::testing {

// The library, recording the calls that hand it state (the draws are judged by their pixels).
class RecordingLibrary final : public DrawingLibrary {
public:
    using DrawingLibrary::DrawingLibrary;
    std::vector<std::string> calls;

    void KalvonUpdateBlocks(int field, int column, int row, int occupied, int code) override
    {
        calls.push_back(numbers("UpdateBlocks", { field, column, row, occupied, code }));
        DrawingLibrary::KalvonUpdateBlocks(field, column, row, occupied, code);
    }
    void KalvonUpdateInternetBlocks(int board, int column, int row, int occupied, int code) override
    {
        calls.push_back(numbers("UpdateInternetBlocks", { board, column, row, occupied, code }));
        DrawingLibrary::KalvonUpdateInternetBlocks(board, column, row, occupied, code);
    }
    void KalvonTrailUpdate(int p, int column, int startRow, int width, int rows) override
    {
        calls.push_back(numbers("TrailUpdate", { p, column, startRow, width, rows }));
        DrawingLibrary::KalvonTrailUpdate(p, column, startRow, width, rows);
    }

    static std::string numbers(const char* name, std::initializer_list<int> values)
    {
        std::string text = name;
        for (int value : values)
            text += " " + std::to_string(value);
        return text;
    }
};

class RecordingHooks final : public RenderHooks {
public:
    bool botLinked = false;
    std::vector<std::string> calls;
    std::function<void()> onPreview;

    bool BotLinked() const override { return botLinked; }
    void BotBlockUpdate() override { calls.push_back("BotBlockUpdate"); }
    void PlaySoundFile(BytesView file) override { calls.push_back("PlaySoundFile " + Bytes(file)); }
    void GenerateThemePreview(int field) override
    {
        calls.push_back("GenerateThemePreview " + std::to_string(field));
        if (onPreview)
            onPreview();
    }
};

// Yield and Wait on the fake clock: a wait moves it on by the time waited, and both run the
// test's hook as pending events would run.
class FakePump final : public EventPump {
public:
    explicit FakePump(FakeClock& clock)
        : m_clock(clock)
    {
    }
    std::vector<std::string> calls;
    std::function<void()> duringYield;

    void Yield() override
    {
        calls.push_back("Yield");
        if (duringYield)
            duringYield();
    }
    void Wait(int64_t ms) override
    {
        calls.push_back("Wait " + std::to_string(ms));
        if (duringYield)
            duringYield();
        m_clock.advance(std::max<int64_t>(ms, 0));
    }

private:
    FakeClock& m_clock;
};

// Keeps a copy of every picture shown.
class FrameRecorder final : public PictureViewer {
public:
    std::vector<Surface> frames;
    void showPicture(const PictureBox& box) override { frames.push_back(box.canvas()); }
};

struct RenderRig {
    EngineRig game{ GameMode::TwoPlayers };
    Themes themes;
    ThemeImages images;
    RecordingLibrary library{ game.clock };
    WindowPictures pictures;
    PreviewPictures preview;
    DrawOptions options;
    OpponentBoards boards;
    InternetView internet{ boards };
    RecordingHooks hooks;
    FakePump pump{ game.clock };
    ScriptedRandom drawRandom;
    GameRenderer renderer{ RenderContext{ game.engine, themes, images, library, pictures, preview, options,
        internet, hooks, pump, game.clock, drawRandom } };

    RenderRig()
    {
        makeTypeOneTheme(themes.CurrentTheme, images);
        makePreviewPictures(preview);
        library.KalvonGenerateFontTable();
    }
    EngineState& state() { return game.state(); }
    Surface& field(int p) { return pictures.picField[size_t(p)].canvas(); }
};

// What the middle of a 16 x 16 cell of a field shows.
inline std::string cellName(const Surface& field, int column, int row)
{
    return pixelName(field.pixel(16 * column + 8, 16 * row + 8));
}

// The cells of a field as the engine fixtures write them: "0"-"5" and "A"-"P" for the tile a
// cell shows (of any frame), "." for anything else.
inline std::string drawnCells(const Surface& field)
{
    std::string text;
    for (int row = 0; row < 22; ++row) {
        if (row > 0)
            text += '\n';
        for (int column = 0; column < 12; ++column) {
            const QRgb pixel = field.pixel(16 * column + 8, 16 * row + 8);
            const int tile = qRed(pixel) - 0x20;
            if (qBlue(pixel) != int(Area::LargeTile) || tile < 0 || tile > 21)
                text += '.';
            else
                text += char(tile < 6 ? '0' + tile : 'A' + tile - 6);
        }
    }
    return text;
}

} // namespace kalvon::testing
