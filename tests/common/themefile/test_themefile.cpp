// The theme file library: the key table read back through the writer, the checked values of
// the reader, the description block, the layout rules of the writer and the resource archive
// path rule.

#include "common/colortext.h"
#include "common/themefile/resourcepath.h"
#include "common/themefile/themefile.h"
#include "common/themefile/themefilewriter.h"
#include "support/scratchfolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace kalvon;
using namespace kalvon::themefile;
using kalvon::testing::ScratchFolder;

namespace {

// A value of the key's kind that no other key has.
Bytes distinctValue(const KeyInfo& info)
{
    const int index = int(info.key);
    switch (info.kind) {
    case ValueKind::Flag: return index % 2 ? "1" : "0";
    case ValueKind::Int16:
    case ValueKind::Int32: return std::to_string(100 + index);
    case ValueKind::Color: return std::to_string(index) + ",2,3";
    default: return "v" + std::to_string(index) + "." + Bytes(info.name);
    }
}

// Every key of a type-`type` theme with every group included.
ThemeContent fullContent(int type)
{
    ThemeContent content;
    content.themetype = type;
    content.description = "//about";
    for (const KeyInfo& info : allKeys())
        content[info.key] = distinctValue(info);
    content.included.fill(true);
    return content;
}

ThemeFile written(const ThemeContent& content)
{
    return ThemeFile::parse(themeFileBytes(content).value());
}

// A theme file of one section holding `lines`.
ThemeFile fileWith(const std::string& lines)
{
    return ThemeFile::parse("//h\r\n[Theme Info]\r\n" + lines);
}

} // namespace

TEST(ThemeFileKeys, EveryKeyOfATypeOneThemeReadsBackAsWritten)
{
    // Also proves that no two keys share a name, not even case-blind.
    const ThemeContent content = fullContent(1);
    const ThemeFile file = written(content);
    for (const KeyInfo& info : allKeys()) {
        const bool typeZeroOnly = info.key == ThemeKey::SkinFile || info.parent == ThemeKey::SkinFile;
        if (info.key == ThemeKey::ThemeType) {
            EXPECT_EQ(file.number(info.key), 1);
        } else if (typeZeroOnly) {
            EXPECT_FALSE(file.text(info.key)) << info.name;
        } else {
            EXPECT_EQ(file.text(info.key), content[info.key]) << info.name;
        }
    }
    EXPECT_EQ(file.description(), "//about");
}

TEST(ThemeFileKeys, ATypeZeroThemeCarriesItsSkinAndNoTypeOneGroups)
{
    ThemeContent content = fullContent(0);
    const ThemeFile file = written(content);
    for (ThemeKey key : { ThemeKey::SkinFile, ThemeKey::SkinTransparency, ThemeKey::SpecialWindowPic,
             ThemeKey::NextBlockPic, ThemeKey::IfaceMain, ThemeKey::Midi, ThemeKey::HolyShield })
        EXPECT_EQ(file.text(key), content[key]) << keyInfo(key).name;
    for (ThemeKey key : { ThemeKey::ResourceFile, ThemeKey::BgFilename, ThemeKey::BlkTransparency,
             ThemeKey::ExplodeFrameCount, ThemeKey::BombFilename, ThemeKey::Door1, ThemeKey::ColorTitle })
        EXPECT_FALSE(file.text(key)) << keyInfo(key).name;
    EXPECT_EQ(file.number(ThemeKey::ThemeType), 0);

    // The picture flags no control shows are written only when they have a value; nothing of
    // the skin without a skin file.
    content[ThemeKey::SpecialWindowPic].reset();
    EXPECT_FALSE(written(content).text(ThemeKey::SpecialWindowPic));
    EXPECT_TRUE(written(content).text(ThemeKey::NextBlockPic));
    content[ThemeKey::SkinFile] = "";
    for (ThemeKey key : { ThemeKey::SkinFile, ThemeKey::SkinTransparency, ThemeKey::NextBlockPic })
        EXPECT_FALSE(written(content).text(key)) << keyInfo(key).name;
}

TEST(ThemeFileKeys, WriterLayoutRules)
{
    ThemeContent content;
    content.themetype = 1;
    content.includes(ThemeGroup::MiscImages) = true;
    content.includes(ThemeGroup::Colors) = true;
    content.includes(ThemeGroup::Bomb) = true;
    content[ThemeKey::WinTransparent] = "1"; // its picture is empty: not written
    content[ThemeKey::InetWinImg] = "iw.bmp\r\nthemetype=0"; // a value is one line
    content[ThemeKey::InetWinTransparent] = "1";
    content[ThemeKey::BombTransparency] = "1";
    content[ThemeKey::ColorTheme] = "1,2,3";
    content[ThemeKey::Door1] = " door.bmp";
    content[ThemeKey::Door2] = "\"door2.bmp\"";
    content[ThemeKey::BombFilename] = "bomb ";
    const Bytes bytes = themeFileBytes(content).value();
    const ThemeFile file = ThemeFile::parse(bytes);

    EXPECT_FALSE(file.text(ThemeKey::WinTransparent));
    EXPECT_EQ(file.text(ThemeKey::InetWinImg), "iw.bmp");
    EXPECT_EQ(file.number(ThemeKey::ThemeType), 1);
    EXPECT_NE(bytes.find("\r\ninetwinimg=iw.bmp\r\ninetwintransparent=1\r\n"), Bytes::npos);
    EXPECT_NE(bytes.find("\r\nBombtransparency= 1 \r\n"), Bytes::npos);
    // Blanks and quotes at a value's ends would be lost to the reader: written in quotes.
    EXPECT_EQ(file.text(ThemeKey::Door1), " door.bmp");
    EXPECT_EQ(file.text(ThemeKey::Door2), "\"door2.bmp\"");
    EXPECT_NE(bytes.find("\r\nBombfilename=\"bomb \"\r\n"), Bytes::npos);
    EXPECT_EQ(file.text(ThemeKey::BombFilename), "bomb ");
    EXPECT_NE(bytes.find("\r\nBombframecount=\r\n"), Bytes::npos) << "every key of a frame set";
    EXPECT_EQ(file.text(ThemeKey::ColorTitle), "255,255,255");
    EXPECT_EQ(file.text(ThemeKey::ColorTheme), "1,2,3");
    for (ThemeKey identity : { ThemeKey::Name, ThemeKey::Developer, ThemeKey::Version })
        EXPECT_EQ(file.text(identity), "Unknown");

    for (int type : { -1, 2 }) {
        content.themetype = type;
        EXPECT_FALSE(themeFileBytes(content)) << type;
    }
}

TEST(ThemeFileReader, ValuesAreCheckedAgainstTheirKind)
{
    struct Case {
        ThemeKey key;
        std::optional<std::string> value; // nothing: the key is not in the file
        std::optional<int32_t> number;
        std::optional<bool> flag;
        int checkBox;
    };
    const Case cases[] = {
        { ThemeKey::BgFrameCount, "12", 12, true, 1 },
        { ThemeKey::BgFrameCount, "  7 ", 7, true, 1 },
        { ThemeKey::BgFrameCount, "2.5", 2, true, 2 },
        { ThemeKey::BgFrameCount, "40000", std::nullopt, true, 1 },
        { ThemeKey::BgFrameCount, "", std::nullopt, std::nullopt, 0 },
        { ThemeKey::BgFrameCount, "three", std::nullopt, std::nullopt, 0 },
        { ThemeKey::BgFrameCount, std::nullopt, std::nullopt, std::nullopt, 0 },
        { ThemeKey::BgDelayBetweenFrames, "100000", 100000, true, 1 },
        { ThemeKey::BgDelayBetweenFrames, "3000000000", std::nullopt, true, 1 },
        { ThemeKey::BlkDelayBetweenFrames, "40000", std::nullopt, true, 1 },
        { ThemeKey::BgAnimated, "0", std::nullopt, false, 0 },
        { ThemeKey::BgAnimated, "-1", std::nullopt, true, 1 },
        { ThemeKey::BgAnimated, "0.2", std::nullopt, true, 0 },
        { ThemeKey::BgAnimated, "yes", std::nullopt, std::nullopt, 0 },
        // The missing-key marker of the ini reader is no value.
        { ThemeKey::BgAnimated, "\x1b", std::nullopt, std::nullopt, 0 },
        // Blank-padded and written with a capital B, found by its name in any case.
        { ThemeKey::BombTransparency, " 1 ", std::nullopt, true, 1 },
        { ThemeKey::ThemeType, "1", 1, true, 1 },
    };
    for (const Case& c : cases) {
        const std::string name(keyInfo(c.key).name);
        const ThemeFile file = fileWith(c.value ? toLower(name) + "=" + *c.value + "\r\n" : "");
        const std::string what = name + "=" + c.value.value_or("(missing)");
        EXPECT_EQ(file.number(c.key), c.number) << what;
        EXPECT_EQ(file.flag(c.key), c.flag) << what;
        EXPECT_EQ(file.checkBoxValue(c.key), c.checkBox) << what;
        EXPECT_EQ(file.text(c.key).has_value(), c.value.has_value() && *c.value != "\x1b") << what;
    }
}

TEST(ThemeFileReader, MissingKeysTakeTheirDefaultsAndColoursFallBackToWhite)
{
    const ThemeFile file = fileWith("colortitle=1,2,3\r\ncolorfields=300,0,0\r\ncoloroptions=1,2\r\n");
    EXPECT_EQ(file.color(ThemeKey::ColorTitle), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(file.color(ThemeKey::ColorFields), 255);
    EXPECT_EQ(file.color(ThemeKey::ColorOptions), kWhite);
    EXPECT_EQ(file.color(ThemeKey::ColorTheme), kWhite);
    EXPECT_EQ(file.textOrDefault(ThemeKey::ColorTheme), "255,255,255");

    const std::vector<std::pair<ThemeKey, std::string>> defaults = { { ThemeKey::Name, "Unknown" },
        { ThemeKey::Version, "Unknown" }, { ThemeKey::BgStartingFrame, "1" },
        { ThemeKey::BlkStillFrame, "1" }, { ThemeKey::NextBlkDelayBetweenFrames, "10" },
        { ThemeKey::BombDelayBetweenFrames, "10" }, { ThemeKey::InetBgStartingFrame, "" },
        { ThemeKey::InetBgDelayBetweenFrames, "" }, { ThemeKey::BgFrameCount, "" }, { ThemeKey::Door1, "" } };
    for (const auto& [key, text] : defaults)
        EXPECT_EQ(file.textOrDefault(key), text) << keyInfo(key).name;
}

TEST(ThemeFileReader, AFileThatCannotBeReadHasNoKeys)
{
    ScratchFolder folder;
    const auto theme = folder.write("ok.kvx", "[Theme Info]\r\nthemetype=1\r\n");
    EXPECT_EQ(ThemeFile::load(theme).number(ThemeKey::ThemeType), 1);

    // Far larger than any theme file: not read at all.
    const auto huge = folder.write("huge.kvx", "[Theme Info]\r\nthemetype=1\r\n");
    std::filesystem::resize_file(huge, 17 * 1024 * 1024);
    std::filesystem::create_directories(folder / "folder.kvx");
    for (const std::filesystem::path& path : { folder / "missing.kvx", folder / "folder.kvx", huge }) {
        const ThemeFile file = ThemeFile::load(path);
        EXPECT_FALSE(file.text(ThemeKey::ThemeType)) << path;
        EXPECT_EQ(file.textOrDefault(ThemeKey::Name), "Unknown") << path;
        EXPECT_EQ(file.description(), "") << path;
    }
}

TEST(ThemeFileReader, DescriptionIsTheTextBetweenHeaderAndSection)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "H\r\n\r\n \r\n[Theme Info]\r\n", "" },
        { "H\r\n//a\r\n//b\r\n\r\n \r\n[Theme Info]\r\n", "//a\r\n//b\r\n" },
        { "H\r\n//a\r\n\r\n//b\r\n \r\n[theme info]\r\n", "//a\r\n\r\n//b" },
        { "H\n//lf only\n \n[Theme Info]\n", "//lf only" },
        { "H\r\r\n//cr cr lf\r\r\n \r\r\n[Theme Info]\r\r\n", "//cr cr lf" },
        { "H\r\n//no separator\r\n[Theme Info]\r\n", "//no separator" },
        { "[Theme Info]\r\nname=x\r\n", "" },
        { "H\r\n//spaced header\r\n \r\n [ Theme Info ] \r\n", "//spaced header" },
        { "H\r\n//no section\r\n", "" },
        // A lone CR ends a line, as it does for the ini reader, which opens the section there.
        { "H\r\n//a\r//b\r\n \r\n[Theme Info]\r\n", "//a\r\n//b" },
        { "H\r\n//a\r[Theme Info]\r\nname=x\r\n\n[Theme Info]\r\n", "//a" },
    };
    for (const auto& [text, description] : cases) {
        EXPECT_EQ(themeFileDescription(text), description) << text;
        EXPECT_EQ(ThemeFile::parse(text).description(), description) << text;
    }
}

TEST(ThemeFileReader, SectionLinesAreLookedForInsideTheThemeSectionOnly)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        { "H\r\n \r\n[Theme Info]\r\nname=x\r\n \r\n//Music\r\n", true },
        { "H\n[theme info]\n//Music\n", true },
        // A description line stands before the section; another section's lines do not count.
        { "H\r\n//Music\r\n \r\n[Theme Info]\r\nname=x\r\n", false },
        { "H\r\n[Theme Info]\r\nname=x\r\n[Other]\r\n//Music\r\n", false },
        // Only the whole line counts.
        { "H\r\n[Theme Info]\r\n//Music box\r\n", false },
        { "H\r\n \r[Theme Info]\rname=x\r//Music\r", true },
    };
    for (const auto& [text, found] : cases)
        EXPECT_EQ(ThemeFile::parse(text).hasSectionLine("//Music"), found) << text;
}

TEST(ThemeFileReader, CheckBoxValuesOfFlagTexts)
{
    const std::vector<std::pair<std::string, int>> flags = { { "0", 0 }, { "1", 1 }, { "2", 2 }, { "-1", 1 },
        { "5", 1 }, { "99999", 1 }, { "1.6", 2 }, { "", 0 }, { "yes", 0 } };
    for (const auto& [text, value] : flags)
        EXPECT_EQ(checkBoxValue(text), value) << text;
}

TEST(ResourceArchivePath, BesideTheThemeOrWhereAnExistingAbsolutePathSays)
{
    ScratchFolder folder;
    const std::string elsewhere = folder.write("elsewhere/neon.zip", "zip").string();
    const std::string theme = (folder / "themes" / "neon.kvx").string();
    const std::string beside = (folder / "themes").string() + "/";
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "neon.zip", beside + "neon.zip" },
        { "sub\\neon.zip", beside + "sub\\neon.zip" },
        { "../elsewhere/neon.zip", beside + "../elsewhere/neon.zip" },
        // A leading "\" is relative too, as everywhere in stored paths.
        { "\\neon.zip", beside + "\\neon.zip" },
        { elsewhere, elsewhere },
        // Found in another letter case: the file is there.
        { (folder / "ELSEWHERE" / "NEON.zip").string(), (folder / "ELSEWHERE" / "NEON.zip").string() },
        // Moved with its theme, or made on Windows: the last part beside the theme.
        { "/no/such/place/neon.zip", beside + "neon.zip" },
        { "/no/such/place\\neon.zip", beside + "neon.zip" },
        { "C:\\themes\\neon.zip", beside + "neon.zip" },
        { "c:/themes/neon.zip", beside + "neon.zip" },
        // A path the system refuses to look up is one that is not there.
        { "/" + std::string(5000, 'n') + "/neon.zip", beside + "neon.zip" },
        { "", beside },
    };
    for (const auto& [value, archive] : cases)
        EXPECT_EQ(resourceArchivePath(theme, value), archive) << value;

    EXPECT_EQ(resourceArchivePath("neon.kvx", "neon.zip"), "neon.zip");
    EXPECT_EQ(
        resourceArchivePath("C:\\themes/dark\\x.kvx", "C:\\old\\dark.zip"), "C:\\themes/dark\\dark.zip");
    EXPECT_EQ(folderPrefix("C:\\themes/dark\\x.kvx"), "C:\\themes/dark\\");
    EXPECT_EQ(lastComponent("C:\\themes/dark\\x.kvx"), "x.kvx");
    EXPECT_EQ(lastComponent("x.kvx"), "x.kvx");
}
