#include "window/gameprogram.h"

#include "common/clock.h"
#include "common/music/audiodevice.h"
#include "common/paths.h"
#include "engine/highscores.h"
#include "engine/state.h"
#include "engine/store/defaultsettings.h"
#include "engine/store/options.h"
#include "engine/store/scoresfile.h"
#include "engine/store/settingsfile.h"
#include "net/banlist.h"
#include "platform/qteventpump.h"
#include "platform/soundeffects.h"
#include "platform/ui/qtdialogs.h"
#include "platform/windowutils.h"
#include "render/themeimages.h"
#include "render/themepaths.h"
#include "render/themerecord.h"
#include "render/windowskin.h"
#include "window/gameside.h"
#include "window/helpwindow.h"
#include "window/loadingwindow.h"
#include "window/mainform.h"
#include "window/mainwindow.h"
#include "window/trayicon.h"

#include <QCoreApplication>
#include <QIcon>
#include <QWindow>

namespace kalvon {

namespace {

QIcon programIcon(const std::filesystem::path& images)
{
    QIcon icon;
    for (const char* name : { "icon16.png", "icon22.png", "icon32.png", "icon48.png" })
        icon.addFile(QString::fromStdString((images / name).string()));
    return icon;
}

// The high-score window comes with the about and high-score windows; until then the table is
// kept and stored, and nothing is shown.
class HiddenHighScores final : public HighScoreView {
public:
    void ShowHighScores(const HighScoreTable&) override { }
    void showHighScoreWindow() override { }
};

// Until the game core is wired: the window is laid out for the game mode, sound starts and
// stops, nothing else runs.
class ShellGameSide final : public GameSide {
public:
    ShellGameSide(MainWindow& window, EngineState& state, AudioDevice& audio, const Options& options)
        : m_window(window)
        , m_state(state)
        , m_audio(audio)
        , m_options(options)
    {
    }

    void KalvonGenerateFontTable() override { }
    void GenerateTrail() override { }
    void resetGameOptions() override { }
    void GMmenumarker_Click(int index) override
    {
        if (index < 0 || index > 2)
            return;
        m_state.GameMode = static_cast<GameMode>(index + 1);
        m_window.layOutFieldsPage(m_state.GameMode);
    }
    void InitSound() override { m_audio.open({ m_options.mixer.frequency, m_options.mixer.numchannels }); }
    void LoadGameMusic(BytesView) override { }
    void StopGameMusic() override { }
    void CloseSound() override { m_audio.close(); }
    bool Connected() const override { return false; }
    void SendToServer(BytesView) override { }
    void stopTimers() override { }
    void BotUnlink() override { }

private:
    MainWindow& m_window;
    EngineState& m_state;
    AudioDevice& m_audio;
    const Options& m_options;
};

} // namespace

struct GameProgram::Parts {
    Parts(std::filesystem::path programDir, std::filesystem::path tempDir)
        : programDir(std::move(programDir))
        , tempDir(std::move(tempDir))
    {
    }

    std::filesystem::path programDir;
    std::filesystem::path tempDir;
    std::filesystem::path settingsFile = settingsFilePath(programDir);
    std::filesystem::path banListFile = paths::settingsDir(programDir) / "banlist.txt";

    SteadyClock clock;
    QtEventPump pump{ clock };
    Options options;
    Themes themes;
    ThemeImages images;
    WindowSkin skin;
    EngineState state;

    MainWindow window{ skin, images, themes, state };
    QtDialogs dialogs{ &window, QStringLiteral("Kalvon"), [this](bool after) {
                          if (after)
                              ApplyStayOnTop(window.windowHandle(), options.general.stayOnTop);
                          else
                              ClearTopmost(window.windowHandle());
                      } };
    AudioDevice audio;
    SdlSoundEffects soundEffects{ audio };

    ScoresFile scores{ scoresFilePath(programDir) };
    HiddenHighScores highScoreView;
    HighScores highScores{ dialogs, scores, highScoreView };
    BanList bans;

    LoadingWindow loading{ programDir / "data" / "images" };
    HelpWindow help{ programDir / "data" / "help" };
    TrayIcon tray{ window, programIcon(programDir / "data" / "images"), QStringLiteral("Kalvon v1.91") };
    ShellGameSide game{ window, state, audio, options };
    MainForm form{ MainFormParts{ options, settingsFile, themes, images, skin,
        ThemeFolders{ tempDir, programDir }, dialogs, pump, state, highScores, scores, bans, banListFile,
        window, loading, tray, game } };
};

GameProgram::GameProgram(std::filesystem::path programDir, std::filesystem::path tempDir)
    : m(std::make_unique<Parts>(std::move(programDir), std::move(tempDir)))
{
    installDefaultSettings(m->settingsFile);
    const QIcon icon = programIcon(m->programDir / "data" / "images");
    m->window.setWindowIcon(icon);
    m->window.setIcon(icon.pixmap(16, 16));
    m->window.setClickSound([this] {
        const Bytes& click = m->themes.ThemeSounds[size_t(SoundSlot::Click)];
        PlaySoundFile(m->soundEffects, m->options.sound.sounds, themeFilePath(click, m->programDir));
    });
    QObject::connect(&m->window, &MainWindow::unloadRequested, [this] { m->form.Form_Unload(); });
    QObject::connect(&m->window, &MainWindow::helpRequested, [this] { m->help.ShowHelp(); });
    setEndProcess([] { QCoreApplication::exit(0); });
}

GameProgram::~GameProgram() = default;

void GameProgram::start()
{
    m->form.Form_Load();
}

void GameProgram::setEndProcess(std::function<void()> end)
{
    m->form.setEndProcess(std::move(end));
}

MainWindow& GameProgram::window()
{
    return m->window;
}

MainForm& GameProgram::form()
{
    return m->form;
}

EngineState& GameProgram::state()
{
    return m->state;
}

Options& GameProgram::options()
{
    return m->options;
}

} // namespace kalvon
