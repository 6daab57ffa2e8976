#pragma once
// The main window with its start-up and shut-down, built over a scratch program folder that holds
// the real default theme: a recording loading window, a recording game side, an event pump whose
// waits run a hook, and scripted message boxes.

#include "engine/highscores.h"
#include "engine/state.h"
#include "engine/store/options.h"
#include "engine/store/scoresfile.h"
#include "game/gameside.h"
#include "net/banlist.h"
#include "platform/eventpump.h"
#include "programfolder.h"
#include "render/themeimages.h"
#include "render/themerecord.h"
#include "render/windowskin.h"
#include "support/scripteddialogs.h"
#include "window/loadingscreen.h"
#include "window/mainform.h"
#include "window/mainwindow.h"
#include "window/trayicon.h"

#include <QCoreApplication>
#include <QIcon>
#include <functional>
#include <string>
#include <vector>

namespace kalvon::testing {

class RecordingLoadingScreen final : public LoadingScreen {
public:
    std::vector<int> progress;
    std::vector<Bytes> fileTexts;
    bool visible = false;
    int closes = 0;

    void showLoading() override { visible = true; }
    bool loadingVisible() const override { return visible; }
    void setFileText(BytesView text) override { fileTexts.emplace_back(text); }
    void setProgress(int percent) override { progress.push_back(percent); }
    void closeLoading() override
    {
        visible = false;
        ++closes;
    }
};

// Records the calls by name; the game mode goes into the window's state and the game-mode
// handler lays the window out, as the real ones do.
class RecordingGameSide final : public GameSide {
public:
    RecordingGameSide(MainWindow& window, EngineState& state)
        : m_window(window)
        , m_state(state)
    {
    }

    std::vector<std::string> calls;
    bool connected = false;
    std::function<void()> onSend;

    void KalvonGenerateFontTable() override { calls.push_back("KalvonGenerateFontTable"); }
    void GenerateTrail() override { calls.push_back("GenerateTrail"); }
    void resetGameOptions() override { calls.push_back("resetGameOptions"); }
    void setGameMode(GameMode mode) override { m_state.GameMode = mode; }
    void gameModeChosen(int index) override
    {
        calls.push_back("gameModeChosen " + std::to_string(index));
        m_window.layOutFieldsPage(static_cast<GameMode>(index + 1));
    }
    void InitSound() override { calls.push_back("InitSound"); }
    void LoadGameMusic(BytesView file) override { calls.push_back("LoadGameMusic " + std::string(file)); }
    void StopGameMusic() override { calls.push_back("StopGameMusic"); }
    void CloseSound() override { calls.push_back("CloseSound"); }
    bool Connected() const override { return connected; }
    void SendToServer(BytesView line) override
    {
        calls.push_back("SendToServer " + std::string(line));
        if (onSend)
            onSend();
    }
    void stopTimers() override { calls.push_back("stopTimers"); }
    void BotUnlink() override { calls.push_back("BotUnlink"); }

private:
    MainWindow& m_window;
    EngineState& m_state;
};

// Yields run Qt's pending events; waits only record their length and run the hook.
class HookedPump final : public EventPump {
public:
    std::vector<int64_t> waits;
    std::function<void()> onWait;

    void Yield() override { QCoreApplication::processEvents(); }
    void Wait(int64_t ms) override
    {
        waits.push_back(ms);
        if (onWait)
            onWait();
    }
};

// The program folder holds data/ (the real default theme) and receives the stored files.
class ShellRig {
public:
    explicit ShellRig(const std::string& settings = {})
    {
        if (!settings.empty())
            folder.write("kalvon.ini", settings);
        form.setEndProcess([this] { ++endProcessCalls; });
        window.setGameState(state);
    }

    void load() { form.load(); }

    ProgramFolder folder;
    Options options;
    Themes themes;
    ThemeImages images;
    WindowSkin skin;
    EngineState state;
    ScriptedDialogs dialogs;
    HookedPump pump;
    ScoresFile scores{ folder / "scores.ini" };
    class NoHighScoreView final : public HighScoreView {
        void ShowHighScores(const HighScoreTable&) override { }
        void showHighScoreWindow() override { }
    } scoreView;
    HighScores highScores{ dialogs, scores, scoreView };
    BanList bans;
    MainWindow window{ skin, images, themes };
    RecordingLoadingScreen loading;
    TrayIcon tray{ window, QIcon(), QStringLiteral("Kalvon v1.91") };
    RecordingGameSide game{ window, state };
    MainForm form{ MainFormParts{ options, folder / "kalvon.ini", themes, images, skin,
        ThemeFolders{ folder.tempDir(), folder.path() }, dialogs, pump, state, highScores, scores, bans,
        folder / "banlist.txt", window, loading, tray, game } };
    int endProcessCalls = 0;
};

} // namespace kalvon::testing
