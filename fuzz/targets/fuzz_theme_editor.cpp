// The editor's theme loader (LoadThemeFile) on any theme file, with a resource archive beside
// it: it stops exactly when the type is not 0 or 1, or is 1 without a resource file, and then
// names no current file; a loaded theme saves, and the saved file loads and saves again to the
// same bytes (a load and a save never change a theme); and the archive unpacks only into the
// temporary folder, never through a link.

#include "common/themefile/themefile.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themeloader.h"
#include "editor/model/themewriter.h"
#include "harness/fuzzinput.h"
#include "harness/quietdialogs.h"
#include "themefolders.h"

using namespace kalvon;
using namespace kalvon::editor;
using themefile::ThemeKey;

namespace {

bool load(EditorState& state, const Bytes& path, fuzz::QuietDialogs& dialogs)
{
    StartEditor(state);
    return LoadThemeFile(state, path, dialogs, fuzz::themeFolders().temp);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BytesView text = fuzz::asBytes(data, size);
    fuzz::prepareThemeLoad(text);
    const Bytes path = fuzz::themeFolders().themeFile.string();

    EditorState state;
    fuzz::QuietDialogs dialogs;
    const bool loaded = load(state, path, dialogs);

    const themefile::ThemeFile theme = themefile::ThemeFile::parse(text);
    const std::optional<int32_t> type = theme.number(ThemeKey::ThemeType);
    const bool usable = (type == 0 || type == 1) && (type == 0 || theme.text(ThemeKey::ResourceFile));
    FUZZ_CHECK(loaded == usable);
    FUZZ_CHECK(state.files().CurrentFile == (loaded ? path : Bytes()));
    fuzz::checkOnlyTempWritten();
    if (!loaded)
        return 0;

    const std::optional<Bytes> saved = ThemeFileBytes(state);
    FUZZ_CHECK(saved.has_value());
    fuzz::writeBytes(fuzz::themeFolders().themeFile, *saved);
    EditorState reloaded;
    FUZZ_CHECK_MSG(load(reloaded, path, dialogs), "saved: " + fuzz::printable(*saved, 6000));
    FUZZ_CHECK_MSG(ThemeFileBytes(reloaded) == saved, "saved: " + fuzz::printable(*saved, 6000));
    fuzz::checkOnlyTempWritten();
    return 0;
}
