#include "editor/editorprogram.h"

#include "common/clock.h"
#include "common/cp1252.h"
#include "common/dialogs.h"
#include "common/paths.h"
#include "editor/aboutwindow.h"
#include "editor/controlbinder.h"
#include "editor/editordialogs.h"
#include "editor/editorwindow.h"
#include "editor/model/animationpreview.h"
#include "editor/model/editorconfig.h"
#include "editor/model/editorstate.h"
#include "editor/model/filecommands.h"
#include "editor/model/newtheme.h"
#include "editor/model/soundtryout.h"
#include "editor/pagecontext.h"
#include "editor/previewpictures.h"
#include "editor/sdleditorsound.h"
#include "editor/splashwindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <cstdio>

namespace kalvon::editor {

namespace {

QIcon programIcon(const std::filesystem::path& imagesDir)
{
    QIcon icon;
    for (const char* size : { "16", "32", "48" })
        icon.addFile(QString::fromStdString((imagesDir / ("icon" + std::string(size) + ".png")).string()));
    return icon;
}

// Puts a window in the middle of its screen (no window manager does it under a bare X server).
void centre(QWidget& window)
{
    window.adjustSize();
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

template <typename T>
T& given(T* service, std::unique_ptr<T>& own, const std::function<std::unique_ptr<T>()>& make)
{
    if (service)
        return *service;
    own = make();
    return *own;
}

} // namespace

struct EditorProgram::Parts {
    Parts(std::filesystem::path programFolder, std::filesystem::path temp, EditorServices services)
        : programDir(std::move(programFolder))
        , tempDir(std::move(temp))
        , imagesDir(programDir / "data" / "images")
        , dialogs(given<Dialogs>(services.dialogs, ownDialogs,
              [this] {
                  auto made = std::make_unique<EditorDialogs>();
                  qtDialogs = made.get();
                  return made;
              }))
        , clock(services.clock ? *services.clock : steadyClock)
        , sound(given<EditorSound>(
              services.sound, ownSound, [this] { return std::make_unique<SdlEditorSound>(dialogs); }))
        , openLink(services.openLink ? std::move(services.openLink)
                                     : std::function<void(const QString&)>(
                                         [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); }))
        , commands(state, dialogs, programDir, tempDir)
        , tryout(state, sound)
        , previews(state, dialogs, clock)
        , binder(state)
        , context{ state, binder, dialogs, previews, tryout, tempDir, imagesDir }
        , window(context, commands)
        , icon(programIcon(imagesDir))
    {
    }

    std::filesystem::path programDir;
    std::filesystem::path tempDir;
    std::filesystem::path imagesDir;
    EditorState state;
    std::unique_ptr<Dialogs> ownDialogs;
    EditorDialogs* qtDialogs = nullptr;
    Dialogs& dialogs;
    SteadyClock steadyClock;
    const Clock& clock;
    std::unique_ptr<EditorSound> ownSound;
    EditorSound& sound;
    std::function<void(const QString&)> openLink;
    FileCommands commands;
    SoundTryout tryout;
    PreviewPictures previews;
    ControlBinder binder;
    PageContext context;
    EditorWindow window;
    QIcon icon;
    std::unique_ptr<SplashWindow> splash;
    QPointer<AboutWindow> about;
    QTimer previewTimer;
    SoundMixer mixer;
    std::filesystem::path configFile;
    std::function<void()> endProcess = [] { QCoreApplication::quit(); };
    bool opened = false;
    bool ended = false;
};

EditorProgram::EditorProgram(
    std::filesystem::path programDir, std::filesystem::path tempDir, EditorServices services)
    : m(std::make_unique<Parts>(std::move(programDir), std::move(tempDir), std::move(services)))
{
    if (m->qtDialogs)
        m->qtDialogs->setParentWindow(&m->window);
    m->window.setWindowIcon(m->icon);
    m->window.setCloseGuard([this] { return shutDown(); });
    QObject::connect(&m->window, &EditorWindow::exitChosen, &m->window, [this] { shutDown(); });
    QObject::connect(&m->window, &EditorWindow::aboutChosen, &m->window, [this] { showAbout(); });

    // One 1 ms timer serves the seven preview timers of the model: it runs while any of them does.
    m->previewTimer.setTimerType(Qt::PreciseTimer);
    m->previewTimer.setInterval(1);
    QObject::connect(&m->previewTimer, &QTimer::timeout, &m->window, [this] { m->previews.tickRunning(); });
    m->state.addListener([this](BytesView name) {
        if (!findPreviewPart(name))
            return;
        bool running = false;
        for (const PreviewPart& part : previewParts())
            running = running || m->state.timerEnabled(part.timer);
        if (running && !m->ended)
            m->previewTimer.start();
        else
            m->previewTimer.stop();
    });
}

EditorProgram::~EditorProgram() = default;

void EditorProgram::start()
{
    m->splash = std::make_unique<SplashWindow>(m->imagesDir);
    m->splash->setWindowIcon(m->icon);
    centre(*m->splash);
    QObject::connect(m->splash.get(), &SplashWindow::dismissed, &m->window, [this] { openEditor(); });
    m->splash->show();
}

void EditorProgram::openEditor()
{
    if (m->opened || m->ended)
        return;
    m->opened = true;
    StartEditor(m->state);
    m->configFile = paths::settingsDir(m->programDir) / kEditorConfigName;
    m->mixer = LoadEditorConfig(m->configFile);
    m->sound.InitSound(m->mixer);
    centre(m->window);
    m->window.show();
}

bool EditorProgram::shutDown()
{
    if (m->ended)
        return true;
    if (!m->commands.mayEnd())
        return false;
    // The question's dialog lets events run: an end from outside may have come meanwhile.
    if (!m->ended)
        end(false);
    return true;
}

void EditorProgram::endWithoutQuestion()
{
    if (!m->ended)
        end(true);
}

void EditorProgram::end(bool fromOutside)
{
    m->ended = true;
    if (m->opened) {
        m->state.setChanged(false);
        m->sound.CloseSound();
        // The program ends whether or not the file could be written. A failure is reported; on
        // standard error when the end came from outside, as nobody may be there to close a box.
        if (!SaveConfig(configFile(), m->mixer)) {
            const std::string text = "Could not save the settings to " + configFile().string() + "!";
            if (fromOutside)
                std::fprintf(stderr, "%s\n", text.c_str());
            else
                m->dialogs.messageBox(utf8ToCp1252(text), "Error", MessageIcon::Critical);
        }
    }
    m->previewTimer.stop();
    if (m->about)
        m->about->close();
    if (m->splash)
        m->splash->close();
    m->window.close();
    m->endProcess();
}

void EditorProgram::showAbout()
{
    if (!m->about)
        m->about = new AboutWindow(m->window.windowIcon(), m->openLink, &m->window);
    m->about->show();
    m->about->raise();
    m->about->activateWindow();
}

void EditorProgram::setEndProcess(std::function<void()> end)
{
    m->endProcess = std::move(end);
}

std::filesystem::path EditorProgram::configFile() const
{
    return m->configFile.empty() ? paths::settingsDir(m->programDir) / kEditorConfigName : m->configFile;
}

EditorState& EditorProgram::state()
{
    return m->state;
}

EditorWindow& EditorProgram::window()
{
    return m->window;
}

SplashWindow* EditorProgram::splash()
{
    return m->splash.get();
}

AboutWindow* EditorProgram::about()
{
    return m->about;
}

FileCommands& EditorProgram::commands()
{
    return m->commands;
}

PreviewPictures& EditorProgram::previews()
{
    return m->previews;
}

SoundTryout& EditorProgram::tryout()
{
    return m->tryout;
}

} // namespace kalvon::editor
