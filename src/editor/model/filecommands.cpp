#include "editor/model/filecommands.h"

#include "common/cp1252.h"
#include "common/dialogs.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themeloader.h"
#include "editor/model/themewriter.h"

namespace kalvon::editor {

namespace {

// Marks a command as running for its whole length; a command asked for meanwhile does not run.
class BusyScope {
public:
    explicit BusyScope(bool& busy)
        : m_busy(busy)
        , m_entered(!busy)
    {
        m_busy = true;
    }
    ~BusyScope()
    {
        if (m_entered)
            m_busy = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    bool entered() const { return m_entered; }

private:
    bool& m_busy;
    bool m_entered;
};

} // namespace

bool ConfirmDiscard(EditorState& state, Dialogs& dialogs)
{
    switch (dialogs.messageBox(
        kDiscardQuestion, "Caution", MessageIcon::Exclamation, MessageButtons::YesNoCancel)) {
    case MessageAnswer::No: return true;
    case MessageAnswer::Yes: return SaveThemeAs(state, dialogs);
    default: return false;
    }
}

Bytes OpenThemeDialog(Dialogs& dialogs, const std::filesystem::path& programDir)
{
    FileDialogRequest request;
    request.filter = Bytes(kThemeFilter);
    request.initialDir = utf8ToCp1252(programDir.string()) + "/data/";
    return dialogs.openFile(request).value_or(Bytes());
}

bool SaveThemeAs(EditorState& state, Dialogs& dialogs)
{
    FileDialogRequest request;
    request.filter = Bytes(kThemeFilter);
    const std::optional<Bytes> file = dialogs.saveFile(request);
    if (!file || file->empty() || !WriteThemeFile(state, *file, dialogs))
        return false;
    state.files().CurrentFile = *file;
    return true;
}

FileCommands::FileCommands(
    EditorState& state, Dialogs& dialogs, std::filesystem::path programDir, std::filesystem::path tempDir)
    : m_state(state)
    , m_dialogs(dialogs)
    , m_programDir(std::move(programDir))
    , m_tempDir(std::move(tempDir))
{
}

bool FileCommands::mayDiscard()
{
    return !m_state.Changed() || ConfirmDiscard(m_state, m_dialogs);
}

void FileCommands::newTheme()
{
    BusyScope scope(m_busy);
    if (!scope.entered() || !mayDiscard())
        return;
    ApplyNewTheme(m_state);
}

void FileCommands::loadTheme()
{
    BusyScope scope(m_busy);
    if (!scope.entered() || !mayDiscard())
        return;
    m_state.setChanged(false);
    const Bytes path = OpenThemeDialog(m_dialogs, m_programDir);
    if (path.empty())
        return;
    // The loader sets CurrentFile, or clears it when the load stopped with a message, so a
    // Save cannot overwrite a file that was no theme.
    LoadThemeFile(m_state, path, m_dialogs, m_tempDir);
}

void FileCommands::saveTheme()
{
    BusyScope scope(m_busy);
    if (!scope.entered())
        return;
    const Bytes current = m_state.files().CurrentFile;
    if (current.empty())
        m_state.setChanged(!SaveThemeAs(m_state, m_dialogs));
    else if (WriteThemeFile(m_state, current, m_dialogs))
        m_state.setChanged(false);
}

void FileCommands::saveAs()
{
    BusyScope scope(m_busy);
    if (!scope.entered())
        return;
    m_state.setChanged(!SaveThemeAs(m_state, m_dialogs));
}

bool FileCommands::mayEnd()
{
    BusyScope scope(m_busy);
    return scope.entered() && mayDiscard();
}

} // namespace kalvon::editor
