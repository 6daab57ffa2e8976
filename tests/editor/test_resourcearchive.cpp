// Unpacking a theme's resource archive for editing, and browsed paths made relative to it.

#include "editor/model/editorstate.h"
#include "editor/model/resourcearchive.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>
#include <map>
#include <zip.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::testing::readFile;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

namespace {

// A ZIP archive of our own, made with libzip.
void makeZip(const std::filesystem::path& file, const std::map<std::string, std::string>& members)
{
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : members) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

class ResourceArchiveTest : public ::testing::Test {
protected:
    void unpack(const std::filesystem::path& archive)
    {
        UnpackResourceZip(state, archive.string(), dialogs, temp.path());
    }

    ScratchFolder themes;
    ScratchFolder temp; // stands in for the private temporary folder
    ScriptedDialogs dialogs;
    EditorState state;
};

} // namespace

TEST(ResourceBaseName, IsTheNameBeforeTheFirstZipAndNeverLeadsOut)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "D:\\my themes\\neon.zip", "neon" },
        { "/home/me/themes/neon.zip", "neon" },
        { "C:\\themes\\dark.zip.zip", "dark" },
        { "C:\\themes/mixed\\dark.zip", "dark" },
        { "NEON.ZIP", "" },
        { "archive", "" },
        { "../../evil.zip", "evil" },
        { "/themes/...zip", "" },
        { "themes/..zip", "" },
    };
    for (const auto& [path, base] : cases)
        EXPECT_EQ(ResourceBaseName(path), base) << path;
}

TEST(MakeResourceRelative, StripsTheResourceFolderFoundWithoutRegardToCase)
{
    struct Case {
        std::string resourceDir, relDir, path, relative;
    };
    const std::vector<Case> cases = {
        { "/tmp/k/kalvon/dark/", "kalvon/dark/", "/tmp/k/kalvon/dark/bg1.bmp", "bg1.bmp" },
        { "C:\\TEMP\\kalvon\\dark\\", "kalvon/dark/", "C:\\Temp\\KALVON\\Dark\\sub\\a.wav", "sub\\a.wav" },
        { "/tmp/k/kalvon/dark/", "kalvon/dark/", "/media/copy/KALVON/DARK/x.bmp", "x.bmp" },
        { "/tmp/k/kalvon/dark/", "kalvon/dark/", "C:\\sounds\\boom.wav", "C:\\sounds\\boom.wav" },
        { "", "", "/anything/a.bmp", "/anything/a.bmp" },
        // An upper-case ".ZIP" unpacks into the product folder itself.
        { "/tmp/k/kalvon/", "kalvon/", "/tmp/k/kalvon/bg1.bmp", "bg1.bmp" },
        // A base name that repeats a folder of the temporary path.
        { "/run/u/kalvon/kalvon/kalvon/", "kalvon/kalvon/", "/run/u/kalvon/kalvon/kalvon/bg1.bmp",
            "bg1.bmp" },
    };
    for (const Case& c : cases) {
        EditorState state;
        state.files().ResourceDir = c.resourceDir;
        state.files().ResourceRelDir = c.relDir;
        EXPECT_EQ(MakeResourceRelative(state, c.path), c.relative) << c.path;
    }
}

TEST_F(ResourceArchiveTest, UnpacksIntoItsFolderUnderTheTemporaryFolder)
{
    const auto archive = themes / "neon.zip";
    makeZip(archive, { { "bg1.bmp", "frame one" }, { "sub/a.wav", "sound" } });
    unpack(archive);

    const auto folder = temp / "kalvon" / "neon";
    EXPECT_EQ(readFile(folder / "bg1.bmp"), "frame one");
    EXPECT_EQ(readFile(folder / "sub" / "a.wav"), "sound");
    EXPECT_EQ(state.files().ResourceDir, folder.string() + "/");
    EXPECT_EQ(state.files().ResourceRelDir, "kalvon/neon/");
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(MakeResourceRelative(state, (folder / "sub" / "a.wav").string()), "sub/a.wav");
}

TEST_F(ResourceArchiveTest, ASecondArchiveOfTheSameNameOverwritesWithoutAsking)
{
    makeZip(themes / "neon.zip", { { "bg1.bmp", "old" }, { "only-old.bmp", "kept" } });
    unpack(themes / "neon.zip");
    std::filesystem::create_directories(themes / "other");
    makeZip(themes / "other" / "neon.zip", { { "bg1.bmp", "new" } });
    unpack(themes / "other" / "neon.zip");

    const auto folder = temp / "kalvon" / "neon";
    EXPECT_EQ(readFile(folder / "bg1.bmp"), "new");
    EXPECT_EQ(readFile(folder / "only-old.bmp"), "kept");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ResourceArchiveTest, UpperCaseZipUnpacksIntoTheProductFolderWithUsableNames)
{
    makeZip(themes / "NEON.ZIP", { { "bg1.bmp", "frame" } });
    unpack(themes / "NEON.ZIP");
    const auto product = temp / "kalvon";
    EXPECT_EQ(readFile(product / "bg1.bmp"), "frame");
    EXPECT_EQ(state.files().ResourceDir, product.string() + "/");
    EXPECT_EQ(state.files().ResourceRelDir, "kalvon/");
    EXPECT_EQ(MakeResourceRelative(state, (product / "bg1.bmp").string()), "bg1.bmp");
}

TEST_F(ResourceArchiveTest, AnArchiveThatCannotBeUnpackedIsReportedAndStillNamesTheFolder)
{
    const auto damaged = themes.write("damaged.zip", "PK\x03\x04 this is not a zip archive");
    struct Case {
        std::filesystem::path archive;
        std::string relDir;
    };
    for (const Case& c :
        { Case{ themes / "missing.zip", "kalvon/missing/" }, Case{ damaged, "kalvon/damaged/" } }) {
        dialogs.calls.clear();
        unpack(c.archive);
        ASSERT_EQ(dialogs.calls.size(), 1u) << c.archive;
        EXPECT_EQ(dialogs.calls[0].text, "Could not load resource file " + c.archive.string());
        EXPECT_EQ(dialogs.calls[0].title, "Error");
        EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Critical);
        EXPECT_EQ(state.files().ResourceRelDir, c.relDir);
        EXPECT_TRUE(std::filesystem::is_directory(temp / "kalvon" / c.relDir.substr(7)));
    }
}

TEST_F(ResourceArchiveTest, HostileNamesStayInsideTheProductFolder)
{
    // A member that climbs out is skipped (and reported); the rest is unpacked.
    makeZip(themes / "evil.zip", { { "../../outside.txt", "x" }, { "fine.bmp", "ok" } });
    const std::filesystem::path nested = themes / "a" / "b";
    std::filesystem::create_directories(nested);
    // A resource name that climbs folders only names the base "evil".
    unpack((nested / ".." / ".." / "evil.zip").string());
    EXPECT_EQ(readFile(temp / "kalvon" / "evil" / "fine.bmp"), "ok");
    EXPECT_FALSE(std::filesystem::exists(temp / "outside.txt"));
    EXPECT_FALSE(std::filesystem::exists(temp / "kalvon" / "outside.txt"));
    EXPECT_EQ(state.files().ResourceRelDir, "kalvon/evil/");
    EXPECT_EQ(dialogs.messages().size(), 1u);
}
