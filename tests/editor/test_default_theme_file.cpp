// The default theme shipped in data/ is a file the theme editor opens without a message and
// saves back byte for byte: it is in the editor's own format, every part included.

#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themeloader.h"
#include "editor/model/themewriter.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace kalvon::editor {
namespace {

TEST(DefaultThemeFileTest, EditorOpensItAndWritesTheSameBytesBack)
{
    const std::string file = std::string(KALVON_DATA_DIR) + "/default.kvx";
    kalvon::testing::ScratchFolder temp;
    kalvon::testing::ScriptedDialogs dialogs;
    EditorState state;
    StartEditor(state);
    ASSERT_TRUE(LoadThemeFile(state, file, dialogs, temp.path()));
    EXPECT_TRUE(dialogs.calls.empty());
    const std::optional<Bytes> written = ThemeFileBytes(state);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, kalvon::testing::readFile(file));
}

} // namespace
} // namespace kalvon::editor
