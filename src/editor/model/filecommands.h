#pragma once
// The File menu of the editor: New, Load, Save and Save As, the save question that guards every
// command throwing edits away, and the two theme file dialogs.

#include "common/bytes.h"

#include <filesystem>
#include <string_view>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class EditorState;

inline constexpr std::string_view kThemeFilter = "Kalvon Theme File (*.kvx)|*.kvx|";
inline constexpr std::string_view kDiscardQuestion
    = "This action will cause all previous changes to be lost, do you wish to save?";

// ConfirmDiscard: the save question (Yes, No, Cancel; "Caution"). True when the caller may go on
// and throw the edits away: No, or Yes and the theme was saved through Save As.
bool ConfirmDiscard(EditorState& state, Dialogs& dialogs);

// OpenThemeDialog: a theme file chosen in the program's data folder, "" when cancelled.
Bytes OpenThemeDialog(Dialogs& dialogs, const std::filesystem::path& programDir);

// SaveThemeAs: asks for a file name (no starting folder, no overwrite question, no default
// extension) and writes the theme there; true, with CurrentFile the new file, when it was
// written. A failed write shows "Could not save " and the path; a cancel shows nothing.
[[nodiscard]] bool SaveThemeAs(EditorState& state, Dialogs& dialogs);

class FileCommands {
public:
    // `programDir` holds data/, where the Open dialog starts; `tempDir` is the private temporary
    // folder resource archives unpack into.
    FileCommands(EditorState& state, Dialogs& dialogs, std::filesystem::path programDir,
        std::filesystem::path tempDir);

    void newTheme();
    void loadTheme();
    // Writes to the current file without a dialog; a theme without a file goes to Save As. A
    // failed write keeps the theme marked changed.
    void saveTheme();
    void saveAs();
    // The first step of the shut-down: true when the editor may end (nothing unsaved, or the
    // user let it go through the save question).
    bool mayEnd();

    // True while a command runs. Its dialogs run nested event loops; a second command asked for
    // meanwhile (a double-clicked menu, closing the window) is ignored.
    bool busy() const { return m_busy; }

private:
    bool mayDiscard();

    EditorState& m_state;
    Dialogs& m_dialogs;
    std::filesystem::path m_programDir;
    std::filesystem::path m_tempDir;
    bool m_busy = false;
};

} // namespace kalvon::editor
