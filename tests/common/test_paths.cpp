// Stored paths turned into paths of this system, the case-blind fallback for names inside
// themes, and where the settings files go.

#include "common/paths.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace kalvon;
using kalvon::testing::ScopedEnv;
using kalvon::testing::ScratchFolder;

namespace {

struct ResolveCase {
    const char* label;
    Bytes stored;
    std::optional<fs::path> expected;
};

void PrintTo(const ResolveCase& c, std::ostream* out)
{
    *out << c.label;
}

class ResolveRule : public ::testing::TestWithParam<ResolveCase> { };

TEST_P(ResolveRule, NamesTheFileOfThisSystem)
{
    const ResolveCase& c = GetParam();
    EXPECT_EQ(paths::resolve(c.stored, "/opt/kalvon"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, ResolveRule,
    ::testing::Values(
        ResolveCase{ "Relative", "data\\default.kvx", fs::path("/opt/kalvon/data/default.kvx") },
        ResolveCase{ "BackslashLeadingIsRelative", "\\data\\x.bmp", fs::path("/opt/kalvon/data/x.bmp") },
        ResolveCase{ "SlashLeadingIsAbsolute", "/usr/share/x.kvx", fs::path("/usr/share/x.kvx") },
        ResolveCase{
            "MixedSeparators", "themes/dark\\skin.bmp", fs::path("/opt/kalvon/themes/dark/skin.bmp") },
        ResolveCase{ "DigitColonIsNoDrive", "1:\\x", fs::path("/opt/kalvon/1:/x") },
        ResolveCase{ "DriveBackslash", "C:\\x", std::nullopt },
        ResolveCase{ "DriveSlashLowerCase", "c:/x", std::nullopt },
        ResolveCase{ "DriveRelative", "d:x.bmp", std::nullopt }, ResolveCase{ "Empty", "", std::nullopt },
        ResolveCase{ "EmbeddedNul", Bytes("ok.bmp\0../x", 11), std::nullopt },
        ResolveCase{ "Cp1252EAcute", "caf\xE9\\b.wav", fs::path("/opt/kalvon/caf\xC3\xA9/b.wav") },
        ResolveCase{ "Cp1252HighControlRange", "x\x99.bmp", fs::path("/opt/kalvon/x\xE2\x84\xA2.bmp") }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Paths, DriveLetterNeedsALetterThenAColonFirst)
{
    const std::pair<const char*, bool> cases[] = {
        { "C:\\x", true },
        { "z:/x", true },
        { "C:", true },
        { "1:\\x", false },
        { "\\C:\\x", false },
        { "CC:\\x", false },
        { "C", false },
        { "", false },
    };
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(paths::hasDriveLetter(stored), expected) << stored;
}

TEST(Paths, ProgramDirIsTheFolderOfTheRunningProgram)
{
    const fs::path dir = paths::programDir();
    EXPECT_TRUE(dir.is_absolute());
    EXPECT_TRUE(fs::is_directory(dir));
}

class CaseInsensitive : public ::testing::Test {
protected:
    ScratchFolder root;
};

TEST_F(CaseInsensitive, FindsAnotherSpellingComponentByComponent)
{
    const fs::path file = root.write("Data/Default.KVX", "x");
    EXPECT_EQ(paths::findCaseInsensitive(root / "data/default.kvx"), file);
    EXPECT_EQ(paths::findCaseInsensitive(root / "DATA/DEFAULT.kvx"), file);
}

TEST_F(CaseInsensitive, PrefersTheExactSpelling)
{
    root.write("Data/Default.KVX", "other");
    const fs::path exact = root.write("data/default.kvx", "exact");
    EXPECT_EQ(paths::findCaseInsensitive(exact), exact);
    const fs::path upper = root / "Data/Default.KVX";
    EXPECT_EQ(paths::findCaseInsensitive(upper), upper);
}

TEST_F(CaseInsensitive, AnExactFolderWithoutTheFileDoesNotHideAnotherSpelling)
{
    fs::create_directories(root / "data");
    const fs::path file = root.write("DATA/Skin.bmp", "x");
    EXPECT_EQ(paths::findCaseInsensitive(root / "data/skin.bmp"), file);
}

TEST_F(CaseInsensitive, MatchesWindows1252LettersCaseBlind)
{
    // "Thème/É.bmp" on disk, asked for as "thÈme/é.bmp" (both spelled in UTF-8).
    const fs::path file = root.write("Th\xC3\xA8me/\xC3\x89.bmp", "x");
    EXPECT_EQ(paths::findCaseInsensitive(root / "th\xC3\x88me/\xC3\xA9.bmp"), file);
}

TEST_F(CaseInsensitive, LeavesThePathUnchangedWhenNothingMatches)
{
    root.write("Data/Default.KVX", "x");
    // Names outside the code page must not match as strings of "?": "ключ" is not "файл".
    root.write("\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87", "x");
    for (const fs::path& wanted : { root / "data/missing.kvx", root / "nodata/default.kvx",
             root / "Data/Default.KVX/inner", root / "\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB" })
        EXPECT_EQ(paths::findCaseInsensitive(wanted), wanted);
}

struct SettingsDirCase {
    const char* label;
    std::optional<std::string> xdgConfigHome; // below the scratch folder when relative to it
    bool xdgIsRelative;
    const char* expectedBelowScratch;
};

void PrintTo(const SettingsDirCase& c, std::ostream* out)
{
    *out << c.label;
}

class SettingsDirFallback : public ::testing::TestWithParam<SettingsDirCase> {
protected:
    ScratchFolder scratch;
};

TEST_P(SettingsDirFallback, GoesToTheUsersConfigFolderWhenTheProgramFolderCannotBeWritten)
{
    const SettingsDirCase& c = GetParam();
    std::optional<std::string> xdg = c.xdgConfigHome;
    if (xdg && !c.xdgIsRelative && !xdg->empty())
        xdg = (scratch / *xdg).string();
    ScopedEnv xdgEnv("XDG_CONFIG_HOME", xdg);
    ScopedEnv homeEnv("HOME", (scratch / "home").string());
    // As root every permission bit is ignored: a "folder" that is a file, or lies below a file,
    // is what cannot be written to.
    const fs::path file = scratch.write("program", "not a folder");
    for (const fs::path& program : { file, file / "sub" }) {
        const fs::path dir = paths::settingsDir(program);
        EXPECT_EQ(dir, scratch / c.expectedBelowScratch) << program;
        EXPECT_TRUE(fs::is_directory(dir)) << program;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, SettingsDirFallback,
    ::testing::Values(SettingsDirCase{ "XdgConfigHome", "config", false, "config/kalvon" },
        SettingsDirCase{ "NoXdgConfigHome", std::nullopt, false, "home/.config/kalvon" },
        SettingsDirCase{ "EmptyXdgConfigHome", "", false, "home/.config/kalvon" },
        SettingsDirCase{ "RelativeXdgConfigHomeIsIgnored", "config", true, "home/.config/kalvon" }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Paths, SettingsStayInAWritableProgramFolderWithoutATrace)
{
    ScratchFolder program;
    EXPECT_EQ(paths::settingsDir(program.path()), program.path());
    EXPECT_TRUE(fs::is_empty(program.path()));
}

} // namespace
