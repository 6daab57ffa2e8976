#pragma once
// The theme editor as a whole: the model, the file commands, the previews and the sound
// tryout, the splash, editing and About windows, wired together. main() makes one and starts
// it; the tests make one over a scratch program folder with scripted dialogs, a fake clock and
// a recording sound.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

namespace kalvon {
class Clock;
class Dialogs;
} // namespace kalvon

namespace kalvon::editor {

class AboutWindow;
class EditorSound;
class EditorState;
class EditorWindow;
class FileCommands;
class PreviewPictures;
class SoundTryout;
class SplashWindow;

// Services a test may put in place of the real ones; a null one is made by the program.
struct EditorServices {
    Dialogs* dialogs = nullptr;
    const Clock* clock = nullptr;
    EditorSound* sound = nullptr;
    std::function<void(const QString&)> openLink;
};

class EditorProgram {
public:
    // `programDir` holds data/ and kvm.ini (or kvm.ini's folder in the user's configuration,
    // when it is not writable); `tempDir` is the private temporary folder.
    EditorProgram(
        std::filesystem::path programDir, std::filesystem::path tempDir, EditorServices services = {});
    ~EditorProgram();
    EditorProgram(const EditorProgram&) = delete;
    EditorProgram& operator=(const EditorProgram&) = delete;

    // Shows the splash window; leaving it opens the editing window.
    void start();
    // The editing window's start-up: lists, a new theme, the first page, kvm.ini, the sound
    // library; then the window shows. Runs once.
    void openEditor();
    // Exit and closing the window: the save question when edits are unsaved (false when the
    // user kept the editor open), the sound library closed, kvm.ini written, the windows closed
    // and the program ended.
    bool shutDown();
    // An end asked from outside (a logout, a kill): nobody is there to answer the save question,
    // so the edited theme stays unsaved (no file is written that the user did not choose), the
    // sound library is closed, kvm.ini written (a failure told on standard error, not in a box
    // that would keep the program waiting) and the program ended. Before the editing window
    // opened, nothing was read and nothing is written. Runs once.
    void endWithoutQuestion();
    // The About window, brought up again when it is open.
    void showAbout();
    // How the program ends after the shut-down (the application's exit by default).
    void setEndProcess(std::function<void()> end);

    std::filesystem::path configFile() const;
    EditorState& state();
    EditorWindow& window();
    SplashWindow* splash();
    AboutWindow* about();
    FileCommands& commands();
    PreviewPictures& previews();
    SoundTryout& tryout();

private:
    void end(bool fromOutside);

    struct Parts;
    std::unique_ptr<Parts> m;
};

} // namespace kalvon::editor
