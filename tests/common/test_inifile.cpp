// The settings reader: the profile-file rules against a tricky fixture, and which locations
// name an ini file.

#include "common/inifile.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kalvon;
using kalvon::testing::ScratchFolder;

namespace {

const Bytes kTricky = KALVON_FIXTURES_DIR "/ini/tricky.ini";

Bytes digits(size_t count)
{
    Bytes out;
    for (size_t i = 0; i < count; ++i)
        out.push_back(static_cast<char>('0' + i % 10));
    return out;
}

const Bytes kSmallIni = "[a]\r\nk=v\r\n";

TEST(ReadSetting, ReadsTheTrickyFixtureAsTheProfileFunctionsWould)
{
    struct Case {
        const char* section;
        const char* key;
        std::optional<Bytes> value; // nothing: missing, the default comes back
    };
    const Case cases[] = {
        { "General", "Name", "Player One" },
        { "GENERAL", "nAME", "Player One" },
        { " General ", " Name\t", "Player One" },
        { "General", "Padded Key", "spaced value" },
        { "General", "Empty", "" },
        { "General", "Blanks", "" },
        { "General", "Quoted", "  inner blanks kept  " },
        { "General", "Single", "single quoted" },
        { "General", "Unpaired", "\"open only" },
        { "General", "Mismatched", "\"double then single'" },
        { "General", "QuotedEmpty", "" },
        { "General", "Colour", "0,0,128 ; red; not a comment" },
        { "General", "Equation", "a=b" },
        { "General", "Long", digits(254) },
        { "General", "LongQuoted", digits(254) },
        { "General", "Commented", std::nullopt },
        { "General", ";Commented", std::nullopt },
        { "General", "NoEquals", std::nullopt },
        { "General", "Orphan", std::nullopt }, // written before any section
        { "General", "OnlyInDuplicate", std::nullopt }, // a repeated section is never read
        { "Sound", "Volume", "80" }, // CR CR LF line ends
        { "sound", "MUSIC", "on" },
        { "\xE9T\xC9", "r\xC9SOLUTION", "1024x768" }, // éTÉ / rÉSOLUTION
        { "\xC9t\xE9", "Titre", "\xC9t\xE9 \x99 \x80" }, // bytes kept as they are
        { "Last", "NoLineEnd", "end of file" },
        { "Missing", "Name", std::nullopt },
        { "General", "Missing", std::nullopt },
    };
    for (const Case& c : cases) {
        Bytes result = "stale";
        EXPECT_EQ(ReadSetting(kTricky, c.section, c.key, "S", kMissingSettingText, result), kReadSettingOk)
            << c.section << '/' << c.key;
        EXPECT_EQ(result, c.value.value_or(kMissingSettingText)) << c.section << '/' << c.key;
    }
}

TEST(ReadSetting, ValueTypes)
{
    Bytes result;
    EXPECT_EQ(ReadSetting(kTricky, "Sound", "Volume", "s", kMissingSettingText, result), kReadSettingOk);
    EXPECT_EQ(result, "80");
    // Numbers are read only from the registry; on an ini file the default stays.
    for (const char* type : { "D", "b", "" }) {
        EXPECT_EQ(ReadSetting(kTricky, "Sound", "Volume", type, "7", result), kReadSettingOk);
        EXPECT_EQ(result, "7") << type;
    }
}

TEST(ReadSetting, LocationsThatNameNoIniFile)
{
    const ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const Bytes hidden = scratch.write(".kalvon.ini", kSmallIni).string();
    struct Case {
        Bytes location;
        int32_t status;
    };
    const Case cases[] = {
        { scratch.path().string() + "/missing.ini", kReadSettingNoLocation },
        { scratch.path().string(), kReadSettingNoLocation }, // a folder
        { hidden, kReadSettingNoLocation },
        { "", kReadSettingNoLocation },
        { "hkcu", 2 }, // a hive word: no registry here, so the value is "not found"
        { "HKLM", 2 },
    };
    for (const Case& c : cases) {
        Bytes result = "stale";
        EXPECT_EQ(ReadSetting(c.location, "a", "k", "S", kMissingSettingText, result), c.status)
            << c.location;
        EXPECT_EQ(result, kMissingSettingText) << c.location;
    }
}

TEST(HiveFromName, HiveWordsInAnyCase)
{
    struct Case {
        const char* word;
        uint32_t handle;
    };
    const Case cases[]
        = { { "HKCU", 0x80000001u }, { "hklm", 0x80000002u }, { "Hku", 0x80000003u }, { "hkdd", 0x80000006u },
              { "hKcC", 0x80000005u }, { "hkcr", 0x80000000u }, { "HKEY", 0 }, { " HKCU", 0 } };
    for (const Case& c : cases)
        EXPECT_EQ(HiveFromName(c.word), c.handle) << c.word;
}

TEST(HiveFromName, OnlyOrdinaryVisibleFiles)
{
    const ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const Bytes plain = scratch.write("kalvon.ini", kSmallIni).string();
    const Bytes inHiddenFolder = scratch.write(".config/kalvon/kalvon.ini", kSmallIni).string();
    scratch.write("Th\xC3\xA8me.kvx", kSmallIni); // UTF-8 on disk
    const Bytes pipe = (scratch.path() / "pipe.ini").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);

    struct Case {
        Bytes location;
        uint32_t hive;
    };
    const Case cases[] = {
        { plain, 1 },
        { inHiddenFolder, 1 }, // only the file's own name decides
        { scratch.path().string() + "/Th\xE8me.kvx", 1 }, // the caller's Windows-1252 bytes
        { scratch.write(".hidden.ini", kSmallIni).string(), 0 },
        { scratch.path().string(), 0 },
        { scratch.path().string() + "/missing.ini", 0 },
        { plain + "/", 0 },
        { plain + Bytes(1, '\0') + "x", 0 }, // would name the existing file if cut at the NUL
        { pipe, 0 },
        { "", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(HiveFromName(c.location), c.hive) << c.location;
}

TEST(IniDocument, WrittenValuesReadBackAsTheyWere)
{
    // Blanks and quotes at the ends would be trimmed or stripped: such values go in quotes.
    const struct {
        Bytes value;
        Bytes written;
    } cases[] = {
        { "plain", "plain" },
        { "", "" },
        { "in \"side\" 'x'", "in \"side\" 'x'" },
        { "\"half", "\"half" },
        { " lead", "\" lead\"" },
        { "trail\t", "\"trail\t\"" },
        { "\"quoted\"", "\"\"quoted\"\"" },
        { "'single'", "\"'single'\"" },
        { "\"", "\"" },
        { "Red Team ", "\"Red Team \"" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(iniValueText(c.value), c.written) << c.value;
        EXPECT_EQ(IniDocument::parse("[s]\r\nk=" + iniValueText(c.value) + "\r\n").value("s", "k"), c.value)
            << c.value;
    }
}

TEST(IniDocument, LargeDocumentsFollowTheSameLookupRules)
{
    // Enough sections and keys that a lookup searches an order made once by parse: the first
    // section and key of a name still win, whatever their letter case and position.
    Bytes text = "[Big]\r\n";
    for (int k = 0; k < 100; ++k) {
        text += "Key" + std::to_string(k) + "=v" + std::to_string(k) + "\r\n";
        if (k == 50)
            text += "KEY50=second\r\n  key50 = third\r\n";
    }
    text += "\xE9T\xC9=accent\r\nKey7=second\r\n";
    for (int i = 0; i < 100; ++i)
        text += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    text += "[BIG]\r\nKey1=repeated\r\nOnlyInRepeat=x\r\n[s42]\r\nk=repeated\r\n";
    const IniDocument document = IniDocument::parse(text);

    const struct {
        const char* section;
        const char* key;
        std::optional<Bytes> value;
    } cases[] = {
        { "Big", "Key50", "v50" },
        { " bIG\t", "\tkey50 ", "v50" },
        { "Big", "key7", "v7" },
        { "Big", "Key0", "v0" },
        { "Big", "Key99", "v99" },
        { "Big", "\xC9t\xE9", "accent" },
        { "Big", "Key1", "v1" },
        { "Big", "Key100", std::nullopt },
        { "Big", "Kez50", std::nullopt },
        { "Big", "OnlyInRepeat", std::nullopt },
        { "S0", "K", "0" },
        { "s42", "k", "42" },
        { "S99", "k", "99" },
        { "S100", "k", std::nullopt },
        { "", "k", std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(document.value(c.section, c.key), c.value) << c.section << '/' << c.key;
}

TEST(IniDocument, LoadRefusesWhatIsNotAnOrdinaryFile)
{
    const ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const std::filesystem::path pipe = scratch.path() / "pipe.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(IniDocument::load(pipe)); // reading it would never end
    EXPECT_FALSE(IniDocument::load(scratch.path()));
    EXPECT_FALSE(IniDocument::load(scratch.path() / "missing.ini"));

    const auto document = IniDocument::load(scratch.write("ok.ini", "[A]\rk = v\r"));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->value("a", "K"), "v"); // a lone CR ends a line too
}

} // namespace
