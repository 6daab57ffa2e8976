#include "window/gameprogram.h"

#include "common/clock.h"
#include "common/music/audiodevice.h"
#include "common/music/musicplayer.h"
#include "common/music/sdlsoundlibrary.h"
#include "common/paths.h"
#include "engine/highscores.h"
#include "engine/store/defaultsettings.h"
#include "engine/store/options.h"
#include "engine/store/scoresfile.h"
#include "engine/store/settingsfile.h"
#include "game/coregameside.h"
#include "game/corerenderhooks.h"
#include "game/gamecore.h"
#include "game/gametick.h"
#include "game/networkplay.h"
#include "net/banlist.h"
#include "net/gameserver.h"
#include "net/hostoptions.h"
#include "net/internetclient.h"
#include "net/playeradministration.h"
#include "platform/qteventpump.h"
#include "platform/qtext.h"
#include "platform/soundeffects.h"
#include "platform/ui/qtdialogs.h"
#include "platform/windowutils.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/internetview.h"
#include "render/opponentboardview.h"
#include "render/previewpictures.h"
#include "render/themebrowser.h"
#include "render/themeimages.h"
#include "render/themepreview.h"
#include "render/themerecord.h"
#include "render/tnpimport.h"
#include "render/windowpictures.h"
#include "render/windowskin.h"
#include "window/aboutwindow.h"
#include "window/chatinput.h"
#include "window/chatoptionspanel.h"
#include "window/chatpagemenus.h"
#include "window/fieldkeyfilter.h"
#include "window/fieldview.h"
#include "window/helpwindow.h"
#include "window/highscorewindow.h"
#include "window/loadingwindow.h"
#include "window/lobbyhandlers.h"
#include "window/mainform.h"
#include "window/mainwindow.h"
#include "window/menus/sessionmenus.h"
#include "window/optionseffects.h"
#include "window/pages/chatpage.h"
#include "window/pages/fieldspage.h"
#include "window/roombrowsing.h"
#include "window/serverhosting.h"
#include "window/serverlisthandlers.h"
#include "window/themebrowserwiring.h"
#include "window/trayicon.h"
#include "window/windowclientview.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QTextEdit>
#include <QUrl>
#include <QWindow>
#include <chrono>

namespace kalvon {

namespace {

QIcon programIcon(const std::filesystem::path& images)
{
    QIcon icon;
    for (const char* name : { "icon16.png", "icon22.png", "icon32.png", "icon48.png" })
        icon.addFile(QString::fromStdString((images / name).string()));
    return icon;
}

uint64_t clockSeed()
{
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// A critical box titled "Error" that is shown and left to the user: network messages go on
// being handled meanwhile.
void showErrorWithoutWaiting(QWidget* parent, BytesView text)
{
    auto* box = new QMessageBox(
        QMessageBox::Critical, QStringLiteral("Error"), QtDialogs::boxText(text), QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The loading window at its first step, on screen.
std::unique_ptr<LoadingWindow> shownLoadingWindow(const std::filesystem::path& imagesFolder)
{
    auto window = std::make_unique<LoadingWindow>(imagesFolder);
    window->setFileText(kFirstLoadingStep);
    window->showAtOnce();
    return window;
}

} // namespace

// The parts in the order they are made; a part may keep a reference to one made after it, but
// uses it only once everything is made. What needs a part made later (the window the game's
// state, the core its renderer) is handed it by the constructor below.
struct GameProgram::Parts {
    Parts(std::filesystem::path programDir, std::filesystem::path tempDir, Dialogs* testDialogs)
        : programDir(std::move(programDir))
        , tempDir(std::move(tempDir))
        , dialogs(testDialogs ? *testDialogs : qtDialogs)
    {
        if (testDialogs)
            clientErrors = [testDialogs](BytesView text) {
                testDialogs->messageBox(text, "Error", MessageIcon::Critical);
            };
    }

    std::filesystem::path programDir;
    std::filesystem::path tempDir;
    std::filesystem::path settingsFile = settingsFilePath(programDir);
    std::filesystem::path banListFile = paths::settingsDir(programDir) / "banlist.txt";
    // Made and painted first: the user sees the loading window while the rest is made.
    std::unique_ptr<LoadingWindow> loadingWindow = shownLoadingWindow(programDir / "data" / "images");
    LoadingWindow& loading = *loadingWindow;

    SteadyClock clock;
    QtEventPump pump{ clock };
    Options options;
    Themes themes;
    ThemeImages images;
    WindowSkin skin;
    WindowPictures pictures;
    PreviewPictures preview;
    DrawOptions drawOptions;
    HostOptions hostOptions;
    // Internet play over the server and the client made below (it only keeps references).
    NetworkPlay internet{ server, client, clientView, renderer };

    // The game core's window: made first, it learns the game's state once the core is made.
    MainWindow window{ skin, images, themes };
    // A stay-on-top window steps back while a modal window shows, and comes back after it.
    std::function<void(bool)> aroundModal = [this](bool after) {
        if (after)
            ApplyStayOnTop(window.windowHandle(), options.general.stayOnTop);
        else
            ClearTopmost(window.windowHandle());
    };
    QtDialogs qtDialogs{ &window, QStringLiteral("Kalvon"), aroundModal };
    Dialogs& dialogs;
    std::function<void(BytesView)> clientErrors
        = [this](BytesView text) { showErrorWithoutWaiting(&window, text); };
    AudioDevice audio;
    SdlSoundEffects soundEffects{ audio };
    SdlSoundLibrary soundLibrary{ audio, programDir };
    MusicPlayer music{ soundLibrary, dialogs };

    ScoresFile scores{ scoresFilePath(programDir) };
    HighScoreWindow highScoreWindow{ themes, options, programDir };
    HighScores highScores{ dialogs, scores, highScoreWindow };
    BanList bans;

    HelpWindow help{ programDir / "data" / "help" };
    GameCore core{ GameServices{ clock, pump, options, themes, window, internet, music, soundEffects, dialogs,
                       highScores, programDir },
        clockSeed() };
    DrawingLibrary library{ clock };
    CoreRenderHooks renderHooks{ core };
    StandardRandom drawRandom{ clockSeed() + 1 };
    GameRenderer renderer{ RenderContext{ core.engine(), themes, images, library, pictures, preview,
        drawOptions, internetView, renderHooks, pump, clock, drawRandom } };

    GameServer server{ hostOptions, bans, dialogs, clock };
    OpponentBoardView netBoards{ OpponentBoardParts{ renderer, core.netDoors(), themes, images, library,
        pictures, drawOptions, clock, drawRandom, [this] { return window.CurrentScreen() == Screen::Fields; },
        [this] { return core.engine().state().GameActive; } } };
    WindowClientView clientView{ WindowClientViewParts{ window, core.session(), options, themes, music,
        netBoards, [this](BytesView text) { clientErrors(text); } } };
    InternetClient client{ clientView, core.engine(), clock };
    // The renderer draws the boards the client keeps.
    InternetView internetView{ client.boards() };
    PlayerAdministration administration{ PlayerAdministration::Parts{ client.roster(),
        [this]() -> ServerRoom* { return server.isRunning() ? &server.room() : nullptr; },
        [this] { return client.IsAdmin(); }, [this](BytesView line) { client.SendToServer(line); },
        [this](
            BytesView text) { dialogs.messageBox(text, "Error", MessageIcon::Critical, MessageButtons::Ok); },
        [this] { serverHosting.showBans(); } } };
    ServerHosting serverHosting{ ServerHostingParts{ window, server, hostOptions, options, core.session(),
        core.engine().state(), themes, images, dialogs, bans, administration } };
    LobbyHandlers lobby{ LobbyHandlersParts{
        window, client, core.session(), core.engine(), options.network } };
    ChatInput chatInput{ ChatInputParts{ window.chatPage(), client, clientView, window.fieldsPage(),
        core.keyboard(), [this] { roomBrowsing.openRoomBrowser(true); } } };
    ServerListHandlers serverList{ ServerListParts{
        window, clock, options.network, [this](BytesView text) { clientErrors(text); } } };
    ChatPageMenus chatMenus{ ChatPageMenusParts{ window.chatPage(), client, administration, clientView,
        dialogs, options.chat, [this] { openChatOptions(); }, [this] { roomBrowsing.openRoomBrowser(true); },
        [this] { roomBrowsing.openVotePanel(); } } };
    RoomBrowsing roomBrowsing{ RoomBrowsingParts{
        window.chatPage(), client, chatMenus, clientView, core.engine(), window } };
    ChatOptionsPanel* chatOptions = nullptr;
    // The chat menu's "Chat Options": the panel in the chat box's place.
    void openChatOptions()
    {
        if (!chatOptions)
            return;
        window.chatPage().chatBox().hide();
        window.chatPage().chatOptionsPanel().show();
        chatOptions->openPanel(QFontDatabase::families());
    }

    TrayIcon tray{ window, programIcon(programDir / "data" / "images"), toQString(kProgramCaption) };
    CoreGameSide gameSide{ CoreGameSideParts{
        core, renderer, library, drawOptions, internet, music, audio, options, dialogs } };
    ProgramOptionsEffects optionsEffects{ OptionsEffectsParts{
        options, renderer, internet, gameSide, window, highScoreWindow, tray } };
    TnpImport tnpImport{ themes, images, dialogs, loadSpecialIcons(programDir / "data" / "images"),
        programDir, [this] { optionsEffects.redrawAllFields(); }, {} };
    MainForm form{ MainFormParts{ options, settingsFile, themes, images, skin,
        ThemeFolders{ tempDir, programDir }, dialogs, pump, core.engine().state(), highScores, scores, bans,
        banListFile, window, loading, tray, gameSide } };
    FieldKeyFilter keyFilter{ core.keyboard(), &window.fieldsPage().field(1) };
    ThemePreview themePreview{ ThemePreviewContext{
        core.engine(), themes, preview, pictures, renderer, clock } };
    ThemeBrowserWiring themeBrowserWindow{ ThemeBrowserWiringParts{ window, form, loading, gameSide,
        soundEffects, options, internet, [this](BytesView path) { ImportTnpTheme(tnpImport, path); },
        programDir } };
    ThemeBrowser themeBrowser{ ThemeBrowserParts{ themes, images, dialogs, form,
        ThemeFolders{ tempDir, programDir }, core.engine().state(), renderer, themePreview,
        themeBrowserWindow, kProgramCaption } };
    QPointer<AboutWindow> about;
};

GameProgram::GameProgram(std::filesystem::path programDir, std::filesystem::path tempDir, Dialogs* dialogs)
    : m(std::make_unique<Parts>(std::move(programDir), std::move(tempDir), dialogs))
{
    installDefaultSettings(m->settingsFile);
    const QIcon icon = programIcon(m->programDir / "data" / "images");
    MainWindow& window = m->window;
    window.setWindowIcon(icon);
    window.setIcon(icon.pixmap(16, 16));
    m->highScoreWindow.setWindowIcon(icon);
    window.attachPictures(m->pictures);
    window.setGameState(m->core.engine().state());
    window.setAroundModal(m->aroundModal);
    window.setProgramFolder(m->programDir);
    window.optionsPage().bind(OptionsPageBinding{ m->options, m->dialogs, m->optionsEffects,
        MusicBoxesContext{ m->music, m->dialogs, m->themes.ThemeMusic,
            [this] { return m->core.engine().state().GameActive; }, [this] { return m->window.isVisible(); },
            [this] { return m->options.mixer.output != 0; } } });
    m->core.setDrawing(m->renderer);
    m->pump.setTickSource(&m->core.ticker());
    window.fieldsPage().field(1).installEventFilter(&m->keyFilter);
    window.installEventFilter(&m->keyFilter);
    m->netBoards.setBoards(m->client.boards());
    m->clientView.attachRooms(m->roomBrowsing, m->chatMenus);
    window.fieldsPage().specialsLog().document()->setMaximumBlockCount(kChatLineLimit);

    // The chat options panel waits in its place on the chat page for the menu that opens it.
    QWidget& chatOptionsPlace = window.chatPage().chatOptionsPanel();
    m->chatOptions = new ChatOptionsPanel(m->options.chat, m->dialogs, &chatOptionsPlace);
    m->chatOptions->setGeometry(0, 0, chatOptionsPlace.width(), chatOptionsPlace.height());
    QObject::connect(
        m->chatOptions, &ChatOptionsPanel::applied, [this] { m->clientView.ApplyChatBackColor(); });
    QObject::connect(m->chatOptions, &ChatOptionsPanel::closed, [this] {
        m->window.chatPage().chatOptionsPanel().hide();
        m->window.chatPage().chatBox().show();
    });

    window.setClickSound([this] { m->core.sounds().play(SoundSlot::Click); });
    connectMenusToSession(window, m->core.session());
    QObject::connect(&window, &MainWindow::helpRequested, [this] { m->help.ShowHelp(); });
    QObject::connect(
        &window, &MainWindow::highScoresRequested, [this] { m->highScoreWindow.showHighScoreWindow(); });
    QObject::connect(&window, &MainWindow::aboutRequested, [this] {
        if (!m->about) {
            m->about = new AboutWindow(
                kProgramVersion, m->programDir / "data" / "images",
                [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); }, &m->window);
            m->about->setAttribute(Qt::WA_DeleteOnClose);
            m->about->setWindowIcon(m->window.windowIcon());
        }
        m->about->show();
        ApplyStayOnTop(m->about->windowHandle(), m->options.general.stayOnTop);
        m->about->raise();
    });
    QObject::connect(
        &window, &MainWindow::iconPressed, [this](Qt::MouseButton button, Qt::KeyboardModifiers keys) {
            m->core.bot().iconPressed(button, keys, m->dialogs);
        });
    QObject::connect(&window, &MainWindow::unloadRequested, [this] { m->form.unload(); });
    m->form.setTnpImport([this](BytesView path) { ImportTnpTheme(m->tnpImport, path); });
    m->renderHooks.setThemePreview([this](int field) { m->themePreview.GenerateThemePreview(field); });
    m->themeBrowserWindow.connectControls(m->themeBrowser, m->themePreview, m->preview);
    setEndProcess([] { QCoreApplication::exit(0); });
}

GameProgram::~GameProgram() = default;

void GameProgram::start()
{
    m->form.load();
    // The pages of internet play show the settings just read.
    m->serverHosting.bindOptions();
    m->lobby.bindOptions();
    m->chatOptions->paintSwatches();
    m->clientView.ApplyChatBackColor();
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

GameCore& GameProgram::core()
{
    return m->core;
}

Options& GameProgram::options()
{
    return m->options;
}

GameServer& GameProgram::server()
{
    return m->server;
}

InternetClient& GameProgram::client()
{
    return m->client;
}

WindowClientView& GameProgram::clientView()
{
    return m->clientView;
}

ChatPageMenus& GameProgram::chatMenus()
{
    return m->chatMenus;
}

RoomBrowsing& GameProgram::roomBrowsing()
{
    return m->roomBrowsing;
}

} // namespace kalvon
