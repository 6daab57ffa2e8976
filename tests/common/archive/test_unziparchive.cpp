#include "common/archive/unziparchive.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "support/zipbuilder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace kalvon {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ScratchFolder;
using testing::ScriptedDialogs;
using testing::ZipBuilder;

// Every path below `root`, links not followed, outside the folder `except`.
std::set<std::string> entriesOutside(const fs::path& root, const fs::path& except)
{
    std::set<std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path() == except) {
            it.disable_recursion_pending();
            continue;
        }
        entries.insert(fs::relative(it->path(), root).string());
    }
    return entries;
}

TEST(UnzipArchiveTest, ExtractsEveryMemberRecreatingFoldersAndOverwritesSilently)
{
    ScratchFolder folder;
    const fs::path archive = folder / "theme.zip";
    ZipBuilder(archive)
        .file("bg1.bmp", "one")
        .folder("empty/")
        .file("gfx/sub/bg2.bmp", "two")
        .file("snd\\drop.wav", "three")
        .close();
    const fs::path target = folder / "temp";
    ScriptedDialogs dialogs;

    ASSERT_EQ(UnzipArchive(archive, target, dialogs), kUnzipOk);
    EXPECT_EQ(readFile(target / "bg1.bmp"), "one");
    EXPECT_EQ(readFile(target / "gfx/sub/bg2.bmp"), "two");
    EXPECT_EQ(readFile(target / "snd/drop.wav"), "three");
    EXPECT_TRUE(fs::is_directory(target / "empty"));

    folder.write("temp/bg1.bmp", "changed since");
    EXPECT_EQ(UnzipArchive(archive, target, dialogs), kUnzipOk);
    EXPECT_EQ(readFile(target / "bg1.bmp"), "one");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST(UnzipArchiveTest, MissingOrDamagedArchiveWritesNothingAndSaysNothing)
{
    ScratchFolder folder;
    const fs::path damaged = folder.write("damaged.zip", "PK\3\4 this is not an archive");
    for (const fs::path& archive : { folder / "missing.zip", damaged }) {
        ScriptedDialogs dialogs;
        EXPECT_EQ(UnzipArchive(archive, folder / "temp", dialogs), kUnzipCannotOpen);
        EXPECT_TRUE(dialogs.calls.empty());
        EXPECT_FALSE(fs::exists(folder / "temp"));
    }
}

TEST(UnzipArchiveTest, PasswordIsAskedOncePerExtraction)
{
    const struct {
        const char* name;
        std::optional<Bytes> answer;
        int expectedCode;
        bool encryptedWritten;
    } cases[] = {
        { "right password", Bytes("secret"), kUnzipOk, true },
        { "cancelled", std::nullopt, kUnzipMemberFailed, false },
        { "empty answer", Bytes(), kUnzipMemberFailed, false },
        { "wrong password", Bytes("guess"), kUnzipMemberFailed, false },
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        const fs::path archive = folder / "locked.zip";
        ZipBuilder(archive)
            .file("a.bmp", "aes member", "secret", ZIP_EM_AES_256)
            .file("readme.txt", "plain member")
            .file("b.bmp", "pkware member", "secret", ZIP_EM_TRAD_PKWARE)
            .close();
        ScriptedDialogs dialogs;
        dialogs.inputAnswers.push_back(c.answer);

        EXPECT_EQ(UnzipArchive(archive, folder / "temp", dialogs), c.expectedCode) << c.name;
        ASSERT_EQ(dialogs.calls.size(), 1u) << c.name;
        EXPECT_EQ(dialogs.calls[0].kind, "input");
        EXPECT_EQ(dialogs.calls[0].text, "Please Enter The Password!");
        EXPECT_EQ(readFile(folder / "temp/readme.txt"), "plain member") << c.name;
        EXPECT_EQ(fs::exists(folder / "temp/a.bmp"), c.encryptedWritten) << c.name;
        EXPECT_EQ(fs::exists(folder / "temp/b.bmp"), c.encryptedWritten) << c.name;
        if (c.encryptedWritten) {
            EXPECT_EQ(readFile(folder / "temp/a.bmp"), "aes member");
            EXPECT_EQ(readFile(folder / "temp/b.bmp"), "pkware member");
        }
    }
}

TEST(UnzipArchiveTest, HostileMembersAreSkippedAndNothingIsWrittenOutsideTheTarget)
{
    const struct {
        const char* name;
        std::string member; // "@" stands for the absolute path of the scratch folder
        bool symlink;
    } cases[] = {
        { "parent folder", "../evil.txt", false },
        { "deeper parent", "a/../../evil.txt", false },
        { "absolute", "@/outside/evil.txt", false },
        { "drive letter", "C:\\evil.txt", false },
        { "drive letter without separator", "C:evil.txt", false },
        { "backslash traversal", "..\\outside\\evil.txt", false },
        { "backslash traversal inside", "sub\\..\\..\\evil.txt", false },
        { "symbolic link", "link", true },
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        folder.write("outside/sentinel.txt", "keep");
        const fs::path archive = folder / "hostile.zip";
        std::string member = c.member;
        if (member.front() == '@')
            member = folder.path().string() + member.substr(1);
        ZipBuilder zip(archive);
        if (c.symlink)
            zip.symlink(member, "../outside").file("link/evil.txt", "through the link");
        else
            zip.file(member, "evil");
        zip.file("ok.txt", "fine");
        ASSERT_TRUE(zip.close()) << c.name;
        const fs::path target = folder / "temp";
        ScriptedDialogs dialogs;

        EXPECT_EQ(UnzipArchive(archive, target, dialogs), kUnzipMemberFailed) << c.name;
        EXPECT_EQ(readFile(target / "ok.txt"), "fine") << c.name;
        EXPECT_EQ(entriesOutside(folder.path(), target),
            (std::set<std::string>{ "hostile.zip", "outside", "outside/sentinel.txt" }))
            << c.name;
        EXPECT_EQ(readFile(folder / "outside/sentinel.txt"), "keep") << c.name;
        EXPECT_FALSE(fs::is_symlink(target / "link")) << c.name;
    }
}

TEST(UnzipArchiveTest, LinksAlreadyInTheTargetAreReplacedNeverFollowed)
{
    ScratchFolder folder;
    folder.write("outside/sentinel.txt", "keep");
    const fs::path target = folder / "temp";
    fs::create_directories(target);
    fs::create_symlink(folder / "outside/sentinel.txt", target / "door1.bmp");
    fs::create_directory_symlink(folder / "outside", target / "gfx");
    const fs::path archive = folder / "theme.zip";
    ZipBuilder(archive).file("door1.bmp", "door").file("gfx/bg1.bmp", "background").close();
    ScriptedDialogs dialogs;

    EXPECT_EQ(UnzipArchive(archive, target, dialogs), kUnzipOk);
    EXPECT_EQ(readFile(folder / "outside/sentinel.txt"), "keep");
    EXPECT_FALSE(fs::exists(folder / "outside/bg1.bmp"));
    EXPECT_FALSE(fs::is_symlink(target / "door1.bmp"));
    EXPECT_EQ(readFile(target / "door1.bmp"), "door");
    EXPECT_FALSE(fs::is_symlink(target / "gfx"));
    EXPECT_EQ(readFile(target / "gfx/bg1.bmp"), "background");
}

TEST(UnzipArchiveTest, ExtractionStopsAtItsLimits)
{
    ScratchFolder folder;
    const fs::path many = folder / "many.zip";
    {
        ZipBuilder zip(many);
        for (int i = 1; i <= 8; ++i)
            zip.file("f" + std::to_string(i) + ".txt", "x");
    }
    const fs::path big = folder / "big.zip";
    ZipBuilder(big)
        .file("small.txt", "12345")
        .file("bomb.bin", std::string(10000, 'z'))
        .file("after.txt", "x")
        .close();
    ScriptedDialogs dialogs;

    EXPECT_EQ(UnzipArchive(many, folder / "many", dialogs, { .maxMembers = 5 }), kUnzipLimitReached);
    EXPECT_TRUE(fs::exists(folder / "many/f5.txt"));
    EXPECT_FALSE(fs::exists(folder / "many/f6.txt"));

    EXPECT_EQ(UnzipArchive(big, folder / "big", dialogs, { .maxBytesWritten = 4096 }), kUnzipLimitReached);
    EXPECT_EQ(readFile(folder / "big/small.txt"), "12345");
    EXPECT_FALSE(fs::exists(folder / "big/bomb.bin"));
    EXPECT_FALSE(fs::exists(folder / "big/after.txt"));
}

TEST(UnzipArchiveTest, FoldersCountTowardsTheLimits)
{
    // Every folder takes disk space however little it holds, and names may nest thousands deep.
    ScratchFolder folder;
    const fs::path folders = folder / "folders.zip";
    ZipBuilder(folders).file("a/b/one.txt", "1").folder("c/").file("d/e/two.txt", "2").close();
    const fs::path deep = folder / "deep.zip";
    std::string chain;
    for (int i = 0; i < 40; ++i)
        chain += "x/";
    ZipBuilder(deep).file(chain + "deep.txt", "deep").file("top.txt", "top").close();
    ScriptedDialogs dialogs;

    EXPECT_EQ(UnzipArchive(folders, folder / "folders", dialogs, { .maxFolders = 3 }), kUnzipLimitReached);
    EXPECT_EQ(readFile(folder / "folders/a/b/one.txt"), "1");
    EXPECT_TRUE(fs::is_directory(folder / "folders/c"));
    EXPECT_FALSE(fs::exists(folder / "folders/d"));

    EXPECT_EQ(UnzipArchive(deep, folder / "deep", dialogs), kUnzipMemberFailed);
    EXPECT_FALSE(fs::exists(folder / "deep/x"));
    EXPECT_EQ(readFile(folder / "deep/top.txt"), "top");
}

// Bytes that do not compress, so the archive holds them as they are.
std::string randomBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

// Members are read many at a time and written in archive order; what is written, and where a
// damaged member or a limit stops, must be what reading them one by one gives.
TEST(UnzipArchiveTest, LargeMembersComeOutWholeAndADamagedOneLeavesNoFile)
{
    ScratchFolder folder;
    const fs::path archive = folder / "theme.zip";
    const std::string first = randomBytes(300000, 1);
    const std::string damaged = randomBytes(200000, 2);
    const std::string last = randomBytes(150000, 3);
    ZipBuilder(archive)
        .file("a.bmp", first)
        .file("bad.bmp", damaged)
        .file("c.bmp", last)
        .file("d.txt", "d")
        .close();
    {
        // Change one byte deep inside the damaged member: its checksum no longer matches.
        std::string zip = readFile(archive);
        const size_t at = zip.find(damaged.substr(150000, 32));
        ASSERT_NE(at, std::string::npos);
        zip[at] = char(zip[at] ^ 0x55);
        std::ofstream(archive, std::ios::binary | std::ios::trunc) << zip;
    }
    folder.write("temp/bad.bmp", "left from an older theme");
    ScriptedDialogs dialogs;

    EXPECT_EQ(UnzipArchive(archive, folder / "temp", dialogs), kUnzipMemberFailed);
    EXPECT_EQ(readFile(folder / "temp/a.bmp"), first);
    EXPECT_FALSE(fs::exists(folder / "temp/bad.bmp"));
    EXPECT_EQ(readFile(folder / "temp/c.bmp"), last);
    EXPECT_EQ(readFile(folder / "temp/d.txt"), "d");

    // The limit falls inside the damaged member: it goes, and nothing after it is written.
    EXPECT_EQ(UnzipArchive(archive, folder / "limited", dialogs, { .maxBytesWritten = 400000 }),
        kUnzipLimitReached);
    EXPECT_EQ(readFile(folder / "limited/a.bmp"), first);
    EXPECT_FALSE(fs::exists(folder / "limited/bad.bmp"));
    EXPECT_FALSE(fs::exists(folder / "limited/c.bmp"));
    EXPECT_TRUE(dialogs.calls.empty());
}

} // namespace
} // namespace kalvon
