// The private temporary folder: ours, mode 0700, never a link or another user's folder, and a
// fresh private folder when the usual places are refused.

#include "common/tempdir.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace kalvon;
using kalvon::testing::ScopedEnv;
using kalvon::testing::ScratchFolder;

namespace {

struct stat infoOf(const fs::path& path)
{
    struct stat info { };
    ::lstat(path.c_str(), &info);
    return info;
}

bool isPrivateFolderOfOurs(const fs::path& path)
{
    const struct stat info = infoOf(path);
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

class PrivateFolder : public ::testing::Test {
protected:
    ScratchFolder scratch;
};

TEST_F(PrivateFolder, IsCreatedWithMode0700WhateverTheUmask)
{
    const mode_t oldMask = ::umask(0277);
    const auto folder = ensurePrivateFolder(scratch / "kalvon");
    ::umask(oldMask);
    ASSERT_TRUE(folder);
    EXPECT_TRUE(isPrivateFolderOfOurs(*folder));
}

TEST_F(PrivateFolder, AnOpenFolderOfOursIsTightened)
{
    fs::create_directory(scratch / "kalvon");
    ::chmod((scratch / "kalvon").c_str(), 0777);
    ASSERT_TRUE(ensurePrivateFolder(scratch / "kalvon"));
    EXPECT_TRUE(isPrivateFolderOfOurs(scratch / "kalvon"));
}

TEST_F(PrivateFolder, RefusesAnotherUsersFolderALinkAndAFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make a folder of another user";
    fs::create_directory(scratch / "theirs");
    ::chmod((scratch / "theirs").c_str(), 0777);
    ASSERT_EQ(::chown((scratch / "theirs").c_str(), 65534, 65534), 0);
    fs::create_directory(scratch / "target");
    ::chmod((scratch / "target").c_str(), 0755);
    fs::create_directory_symlink(scratch / "target", scratch / "link");
    scratch.write("file", "x");

    for (const fs::path& refused :
        { scratch / "theirs", scratch / "link", scratch / "link/", scratch / "file" })
        EXPECT_FALSE(ensurePrivateFolder(refused)) << refused;
    // Refusing changes nothing.
    EXPECT_EQ(infoOf(scratch / "theirs").st_mode & 07777, 0777u);
    EXPECT_EQ(infoOf(scratch / "target").st_mode & 07777, 0755u);
}

void expectUsableFolderPath(const fs::path& path)
{
    const std::string text = path.string();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '/');
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

TEST(TempDir, UsesTheRuntimeFolderFromTheEnvironment)
{
    ScratchFolder runtime;
    ScopedEnv env("XDG_RUNTIME_DIR", runtime.path().string());
    const fs::path dir = GetTempDir();
    EXPECT_EQ(dir, runtime / "kalvon/");
    EXPECT_TRUE(isPrivateFolderOfOurs(dir));
}

class TempDirFinderTest : public ::testing::Test {
protected:
    ScratchFolder runtime;
    ScratchFolder shared;
    const std::string user = "kalvon-" + std::to_string(::geteuid());
};

TEST_F(TempDirFinderTest, FallsBackToTheSharedFolderWhenTheRuntimeFolderIsUnusable)
{
    TempDirFinder finder(shared.path());
    const std::string missing = (runtime / "missing").string();
    for (const char* runtimeDir : { static_cast<const char*>(nullptr), "", "relative", missing.c_str() }) {
        const fs::path dir = finder.find(runtimeDir);
        expectUsableFolderPath(dir);
        EXPECT_EQ(dir, shared / (user + "/")) << (runtimeDir ? runtimeDir : "(unset)");
        EXPECT_TRUE(isPrivateFolderOfOurs(dir));
    }
}

TEST_F(TempDirFinderTest, MakesOneFreshFolderWhenBothPlacesAreRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make a folder of another user";
    for (const fs::path& taken : { runtime / "kalvon", shared / user }) {
        fs::create_directory(taken);
        ASSERT_EQ(::chown(taken.c_str(), 65534, 65534), 0);
    }
    TempDirFinder finder(shared.path());
    const fs::path fresh = finder.find(runtime.path().c_str());
    expectUsableFolderPath(fresh);
    EXPECT_EQ(fresh.parent_path().parent_path(), shared.path());
    EXPECT_TRUE(fresh.parent_path().filename().string().starts_with(user + "-"));
    EXPECT_TRUE(isPrivateFolderOfOurs(fresh));
    // Later calls name the same folder, so what one caller unpacks the next one finds.
    EXPECT_EQ(finder.find(runtime.path().c_str()), fresh);
    // A fresh folder that was taken over is given up for another.
    ASSERT_EQ(::chown(fresh.c_str(), 65534, 65534), 0);
    const fs::path next = finder.find(runtime.path().c_str());
    EXPECT_NE(next, fresh);
    EXPECT_TRUE(isPrivateFolderOfOurs(next));
}

TEST_F(TempDirFinderTest, NeverAnEmptyPathEvenWithNowhereToMakeAFolder)
{
    TempDirFinder finder(shared / "missing");
    const fs::path dir = finder.find(nullptr);
    expectUsableFolderPath(dir);
    EXPECT_FALSE(fs::exists(dir));
    std::error_code error;
    EXPECT_FALSE(fs::create_directories(dir / "sub", error));
    EXPECT_TRUE(error);
}

} // namespace
