#include "render/themepaths.h"
#include "render/themeresources.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "support/zipbuilder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::ScriptedDialogs;
using testing::ZipBuilder;

TEST(ListThemeFilesTest, ListsOrdinaryKvxFilesOfAnyCaseAsFullPaths)
{
    ScratchFolder folder;
    for (const char* name : { "a.kvx", "b.KVX", "x.kvx.bak", ".kvx", "notes.txt" })
        folder.write(std::string("data/") + name, "[Theme Info]");
    fs::create_directories(folder / "data/folder.kvx");

    const Bytes data = folderText(folder / "data");
    std::vector<Bytes> listed = ListThemeFiles(data, folder.path());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<Bytes>{ data + "a.kvx", data + "b.KVX" }));
    EXPECT_TRUE(ListThemeFiles(data + "missing/", folder.path()).empty());
}

TEST(UnpackThemeResourcesTest, UnpacksIntoTheSubfolderOfTheTemporaryFolderSilently)
{
    ScratchFolder folder;
    ZipBuilder(folder / "Theme.ZIP").file("gfx\\bg1.bmp", "frame").close();
    const ThemeFolders folders{ folder / "temp", folder.path() };
    ScriptedDialogs dialogs;

    UnpackThemeResources(pathText(folder / "theme.zip"), "preview\\", folders, dialogs);
    EXPECT_TRUE(fs::exists(folder / "temp/preview/gfx/bg1.bmp")) << "archive name found case-blind";
    UnpackThemeResources("missing.zip", "", folders, dialogs);
    EXPECT_TRUE(fs::is_directory(folder / "temp"));
    EXPECT_TRUE(dialogs.calls.empty());
}

} // namespace
} // namespace kalvon
