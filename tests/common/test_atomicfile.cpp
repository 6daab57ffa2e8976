// Writing a file whole: the new bytes or the old file, never a mix, and no temporary file left.

#include "common/atomicfile.h"
#include "support/scratchfolder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace kalvon;
using kalvon::testing::readFile;
using kalvon::testing::ScratchFolder;

namespace {

// Bytes a text-mode or C-string writer would spoil.
const std::string kContent("[Options]\r\nname=caf\xE9\r\n\0tail\r\r\n", 30);

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const fs::path& file)
{
    struct stat info { };
    ::stat(file.c_str(), &info);
    return info.st_mode & 07777;
}

class AtomicWrite : public ::testing::Test {
protected:
    void TearDown() override { setAtomicWriteFaultForTesting(nullptr); }
    ScratchFolder folder;
};

TEST_F(AtomicWrite, WritesANewFileByteForByte)
{
    const auto result = writeFileAtomically(folder / "kalvon.ini", kContent);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(readFile(folder / "kalvon.ini"), kContent);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{ "kalvon.ini" });
}

TEST_F(AtomicWrite, ReplacesAnOldFileKeepingItsPermissions)
{
    const fs::path file = folder.write("kalvon.ini", "old contents that are longer than the new ones");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(file, "new").ok);
    EXPECT_EQ(readFile(file), "new");
    EXPECT_EQ(modeOf(file), 0640u);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{ "kalvon.ini" });
}

TEST_F(AtomicWrite, ReplacingAnotherUsersFileLeavesItTheirs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const fs::path file = folder.write("scores.ini", "old");
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(writeFileAtomically(file, "new").ok);
    struct stat info { };
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(AtomicWrite, WritesThroughALinkAndKeepsTheLink)
{
    const fs::path real = folder.write("real/kalvon.ini", "old");
    fs::create_symlink(real, folder / "kalvon.ini");
    ASSERT_TRUE(writeFileAtomically(folder / "kalvon.ini", "new").ok);
    EXPECT_TRUE(fs::is_symlink(folder / "kalvon.ini"));
    EXPECT_EQ(readFile(real), "new");
    EXPECT_EQ(namesIn(real.parent_path()), std::vector<std::string>{ "kalvon.ini" });
}

class AtomicWriteFailure : public AtomicWrite, public ::testing::WithParamInterface<const char*> { };

TEST_P(AtomicWriteFailure, LeavesTheOldFileIntactAndNoTemporaryFile)
{
    const std::string failingStep = GetParam();
    const fs::path file = folder.write("kalvon.ini", kContent);
    setAtomicWriteFaultForTesting([&](std::string_view step) { return step != failingStep; });
    const auto result = writeFileAtomically(file, "new contents");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, std::strerror(ENOSPC));
    EXPECT_EQ(readFile(file), kContent);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{ "kalvon.ini" });
}

INSTANTIATE_TEST_SUITE_P(EachStep, AtomicWriteFailure, ::testing::Values("open", "write", "sync", "rename"));

TEST_F(AtomicWrite, ReportsTheSystemsMessageWhenTheFileCannotBeMade)
{
    // The folder is missing; the name is a folder.
    auto result = writeFileAtomically(folder / "missing/kalvon.ini", "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, std::strerror(ENOENT));

    fs::create_directory(folder / "kalvon.ini");
    result = writeFileAtomically(folder / "kalvon.ini", "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, std::strerror(EISDIR));
    EXPECT_TRUE(fs::is_directory(folder / "kalvon.ini"));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{ "kalvon.ini" });
}

} // namespace
