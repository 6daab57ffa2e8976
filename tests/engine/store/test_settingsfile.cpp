// kalvon.ini as a whole: the bytes of a fresh file, every key of a full file both ways, damaged
// files section by section, and a failed write.

#include "common/atomicfile.h"
#include "common/colortext.h"
#include "engine/store/settingsfile.h"
#include "engine/store/settingssections.h"
#include "optionsprinter.h"
#include "support/scratchfolder.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace kalvon {
namespace {

using testing::readFile;
using testing::ScratchFolder;

Bytes settingsFixture(const char* name)
{
    return readFile(std::filesystem::path(KALVON_FIXTURES_DIR) / "settings" / name);
}

int32_t rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

// What tests/fixtures/settings/full.ini holds: every value differs from its default.
Options fullModel()
{
    Options o;
    o.general = { GameMode::TwoPlayers, "\\data\\themes\\Gr\xFCn.kvx", 1, 2 };
    o.sound = { 0, 2, 0, "C:\\Music\\tune.mid" };
    GraphicsSettings& g = o.graphics;
    g.dropTrail = 1;
    g.dropColor = 255;
    g.shadows = 2;
    g.explode = 0;
    g.door = 0;
    g.bombExplode = 2;
    g.warning = 1;
    g.animateBg = 0;
    g.animateInetBg = 2;
    g.animateBlocks = 1;
    g.animateSpecials = 0;
    g.animateInetBlocks = 2;
    g.animateInetSpecials = 0;
    g.smoothBlock = 0;
    g.leds = 2;
    g.p1Guide = 1;
    g.p2Guide = 2;
    o.network = { "Zo\xEB", "Blue", "Blue", "example.org:9000", "6", "9090", "master.example.org" };
    o.gameOptions = { 0, 2, 0, 2, { "3", "5", "7", "9", "11", "13" }, "18", "5", "4", "2", "1", "3", "6" };
    // Indexed by piece type, then 7 + special type.
    o.blockOccurancy = { 10, 20, 16, 13, 18, 11, 12, 1, 2, 5, 7, 8, 3, 4, 6, 10, 11, 12, 0, 14, 15, 100, 9 };
    o.controls.controlSensitivity = 35;
    // rotate, rotate2, left, right, down, drop, useself, useother, discard, Irevenge, Ispec1..6,
    // Italk, Italkteam
    o.controls.keyBindings[0] = { 38, 0, 37, 39, 40, 32, 222, 13, 46, 82, 49, 50, 51, 52, 53, 54, 84, 89 };
    o.controls.keyBindings[1]
        = { 87, 81, 65, 68, 83, 69, 90, 88, 9999, 9999, 9999, 9999, 9999, 9999, 9999, 9999, 9999, 9999 };
    ChatOptions& c = o.chat;
    c.font = "Courier New";
    c.normal = rgb(1, 2, 3);
    c.player = rgb(4, 5, 6);
    c.team = rgb(7, 8, 9);
    c.action = rgb(10, 11, 12);
    c.bg = rgb(13, 14, 15);
    c.client = rgb(16, 17, 18);
    c.other = rgb(19, 20, 21);
    c.server = rgb(22, 23, 24);
    c.sendmsg = rgb(25, 26, 27);
    c.recvmsg = rgb(28, 29, 30);
    c.stat = rgb(31, 32, 33);
    c.vote = rgb(34, 35, 36);
    c.specialgood = rgb(37, 38, 39);
    c.specialbad = rgb(40, 41, 42);
    c.specialuser = rgb(43, 44, 45);
    c.specialtarget = rgb(46, 47, 48);
    o.mixer = { 22050, 16, 2 };
    return o;
}

Options loaded(const ScratchFolder& folder, const Bytes& text, Options options = {})
{
    LoadSettings(folder.write("kalvon.ini", text), options);
    return options;
}

// The text with the line "key=..." of [section] replaced by `line`, or removed without one.
Bytes withKey(Bytes text, BytesView section, BytesView key, std::optional<BytesView> line)
{
    const size_t sectionAt = text.find("\r\n[" + Bytes(section) + "]\r\n");
    const size_t keyAt = text.find("\r\n" + Bytes(key) + "=", sectionAt);
    if (sectionAt == Bytes::npos || keyAt == Bytes::npos) {
        ADD_FAILURE() << "no " << key << " in [" << section << "]";
        return text;
    }
    const size_t lineEnd = text.find("\r\n", keyAt + 2);
    text.replace(keyAt, lineEnd - keyAt, line ? "\r\n" + Bytes(*line) : Bytes());
    return text;
}

Bytes withoutSection(Bytes text, BytesView section)
{
    const size_t start = text.find(" \r\n[" + Bytes(section) + "]\r\n");
    const size_t next = text.find("\r\n \r\n", start);
    text.erase(start, next == Bytes::npos ? Bytes::npos : next + 2 - start);
    return text;
}

TEST(SettingsFile, FreshStartWritesTheDefaultsByteForByte)
{
    ScratchFolder folder;
    const auto file = folder / "kalvon.ini";
    // Every key takes its default, whatever the model held before.
    Options options = fullModel();
    LoadSettings(file, options);
    EXPECT_EQ(options, Options{});

    ASSERT_TRUE(SaveSettings(file, options));
    EXPECT_EQ(readFile(file), settingsFixture("fresh.ini"));
}

TEST(SettingsFile, FullFileLoadsEveryKeyAndSavesBackUnchanged)
{
    ScratchFolder folder;
    const Bytes full = settingsFixture("full.ini");
    const Options first = loaded(folder, full);
    EXPECT_EQ(first, fullModel());

    const auto file = folder / "again.ini";
    ASSERT_TRUE(SaveSettings(file, first));
    EXPECT_EQ(readFile(file), full);
    Options second;
    LoadSettings(file, second);
    EXPECT_EQ(second, first);
}

TEST(SettingsFile, TextValuesCannotAddLinesToTheFile)
{
    // Each text tries to open a section that comes later in the file, which would then be read
    // in place of the real one.
    ScratchFolder folder;
    Options options;
    options.sound.lastMusic = "tune.mid\r\n[Controls]\r\np1left=0";
    options.network.name = "Eve\n[Block Occurancy]\ntblock=0";
    options.network.teamName = "Red\r[Game Options]\rclassic=0";
    options.gameOptions.delay = "\r\n[Sound Mixer]\r\noutput=0";
    options.chat.font = "Arial\r\n[Sound Mixer]\r\noutput=0";
    options.general.theme = "";
    const auto file = folder / "kalvon.ini";
    ASSERT_TRUE(SaveSettings(file, options));

    Options expected;
    expected.sound.lastMusic = "tune.mid";
    expected.network.name = "Eve";
    expected.network.team = expected.network.teamName = "Red";
    expected.gameOptions.delay = "";
    expected.chat.font = "Arial";
    Options reloaded;
    LoadSettings(file, reloaded);
    EXPECT_EQ(reloaded, expected);
    // An empty theme is written as "[Default]", which reads back as the default theme.
    EXPECT_NE(readFile(file).find("\r\ntheme=[Default]\r\n"), Bytes::npos);
}

TEST(SettingsFile, TextsWithBlanksOrQuotesAtTheirEndsSurviveASaveAndALoad)
{
    ScratchFolder folder;
    Options options;
    options.network.name = " Ann ";
    options.network.team = options.network.teamName = "Red Team "; // a long team cut to nine bytes
    options.general.theme = "\"C:\\themes\\dark.kvx\"";
    options.chat.font = "'Courier'";
    const auto file = folder / "kalvon.ini";
    ASSERT_TRUE(SaveSettings(file, options));
    Options reloaded;
    LoadSettings(file, reloaded);
    EXPECT_EQ(reloaded, options);
}

// What the model holds before a damaged file is read: values that differ from the defaults
// (which missing keys take) and from full.ini (which readable keys give), so that a key kept
// by a stopped section shows as such.
Options previousModel()
{
    Options o;
    o.general.gameMode = GameMode::OnePlayer;
    o.general.stayOnTop = 2;
    o.sound = { 2, 0, 1, "old.mid" };
    for (CheckValue* box : { &o.graphics.dropTrail, &o.graphics.shadows, &o.graphics.explode,
             &o.graphics.door, &o.graphics.bombExplode, &o.graphics.warning, &o.graphics.animateBg,
             &o.graphics.animateInetBg, &o.graphics.animateBlocks, &o.graphics.animateSpecials,
             &o.graphics.animateInetBlocks, &o.graphics.animateInetSpecials, &o.graphics.smoothBlock,
             &o.graphics.leds, &o.graphics.p1Guide, &o.graphics.p2Guide })
        *box = 2;
    o.graphics.dropColor = 7;
    o.gameOptions.startHeight.fill("old");
    o.gameOptions.maxSpecials = o.gameOptions.delay = o.gameOptions.startLevel = o.gameOptions.lineLevel
        = o.gameOptions.raiseLevel = o.gameOptions.specialLine = o.gameOptions.specialsMade = "old";
    o.blockOccurancy.fill(50);
    o.controls.controlSensitivity = 150;
    // Player 2 has no internet keys: the file carries only its first nine.
    o.controls.keyBindings[0].fill(1);
    std::fill_n(o.controls.keyBindings[1].begin(), 9, 1);
    o.mixer = { 11025, 2, 3 };
    return o;
}

const Options kDefaults;
const Options kPrevious = previousModel();

struct DamageCase {
    const char* name;
    std::function<Bytes(Bytes)> damage; // applied to full.ini
    std::function<void(Options&)> expect; // applied to fullModel(); the load starts from kPrevious
};

// Lines of full.ini replaced (or removed) one at a time.
std::function<Bytes(Bytes)> set(const char* section, const char* key, std::optional<const char*> line)
{
    return [=](Bytes text) {
        return withKey(std::move(text), section, key, line ? std::optional<BytesView>(*line) : std::nullopt);
    };
}

const DamageCase kDamageCases[] = {
    // [General]: only the failing key is skipped.
    { "gamemode not a number", set("General", "gamemode", "gamemode=two"),
        [](Options& o) { o.general.gameMode = kPrevious.general.gameMode; } },
    { "gamemode outside 1..3", set("General", "gamemode", "gamemode=7"),
        [](Options& o) { o.general.gameMode = GameMode::Internet; } },
    { "check box refuses 3", set("General", "stayontop", "stayontop=3"),
        [](Options& o) { o.general.stayOnTop = kPrevious.general.stayOnTop; } },
    { "theme [DEFAULT]", set("General", "theme", "theme=[DEFAULT]"),
        [](Options& o) { o.general.theme = kDefaultThemePath; } },
    { "theme empty", set("General", "theme", "theme="),
        [](Options& o) { o.general.theme = kDefaultThemePath; } },
    // Section loaders stop at the bad key; the keys from there on keep what the model held.
    { "sound box not a number", set("Sound", "playmusic", "playmusic=yes"),
        [](Options& o) {
            o.sound.playMusic = kPrevious.sound.playMusic;
            o.sound.lastMusic = kPrevious.sound.lastMusic;
        } },
    { "drop colour not a number", set("Graphics", "dropcolor", "dropcolor=white"),
        [](Options& o) {
            o.graphics = kPrevious.graphics;
            o.graphics.dropTrail = 1;
        } },
    { "next-piece animation is never read", set("Graphics", "animatenextblk", "animatenextblk=0"),
        [](Options&) {} },
    { "graphics section missing", [](Bytes t) { return withoutSection(t, "Graphics"); },
        [](Options& o) { o.graphics = kDefaults.graphics; } },
    { "game option box refuses 3", set("Game Options", "specials", "specials=3"),
        [](Options& o) {
            const GameOptionSettings full = o.gameOptions;
            o.gameOptions = kPrevious.gameOptions;
            o.gameOptions.classic = full.classic;
            o.gameOptions.lineSpecial = full.lineSpecial;
        } },
    { "huge percentage held to 100", set("Block Occurancy", "tblock", "tblock=20000"),
        [](Options& o) { o.blockOccurancy[0] = 100; } },
    { "negative percentage held to 0", set("Block Occurancy", "aspecial", "aspecial=-5"),
        [](Options& o) { o.blockOccurancy[7] = 0; } },
    { "percentage beyond 16 bits", set("Block Occurancy", "zblock", "zblock=40000"),
        [](Options& o) {
            // tblock, lines, lblock, lblock2 and sblock are read before zblock.
            const BlockOccurancy full = o.blockOccurancy;
            o.blockOccurancy = kPrevious.blockOccurancy;
            for (int index : { 0, 1, 5, 6, 3 })
                o.blockOccurancy[index] = full[index];
        } },
    { "percentage missing", set("Block Occurancy", "lines", std::nullopt),
        [](Options& o) { o.blockOccurancy[1] = 15; } },
    { "key-repeat delay outside 1..200", set("Controls", "controlsensitivity", "controlsensitivity=201"),
        [](Options& o) { o.controls = kPrevious.controls; } },
    { "special key 0 is not set", set("Controls", "p1useself", "p1useself=0"),
        [](Options& o) { o.controls.binding(1, KeyAction::UseSelf) = kKeyNotSet; } },
    // It would be saved as 0, which reads back as not set.
    { "special key that rounds to 0 is not set", set("Controls", "Italk", "Italk=0.4"),
        [](Options& o) { o.controls.binding(1, KeyAction::Italk) = kKeyNotSet; } },
    { "special key not a number is not set", set("Controls", "Ispec3", "Ispec3=F4"),
        [](Options& o) { o.controls.binding(1, KeyAction::Ispec3) = kKeyNotSet; } },
    { "movement key not a number", set("Controls", "p1left", "p1left=Left"),
        [](Options& o) {
            const ControlSettings full = o.controls;
            o.controls = kPrevious.controls;
            o.controls.controlSensitivity = full.controlSensitivity;
            o.controls.binding(1, KeyAction::Rotate) = full.binding(1, KeyAction::Rotate);
            o.controls.binding(1, KeyAction::Rotate2) = full.binding(1, KeyAction::Rotate2);
        } },
    { "team [NONE] is no team", set("Network", "team", "team=[NONE]"),
        [](Options& o) {
            o.network.team = "";
            o.network.teamName = kNoTeam;
        } },
    { "team cut to 9 characters", set("Network", "team", "team=abcdefghijkl"),
        [](Options& o) { o.network.team = o.network.teamName = "abcdefghi"; } },
    { "empty name stays empty", set("Network", "name", "name="), [](Options& o) { o.network.name = ""; } },
    { "colour that does not read is white", set("Chat Options", "bg", "bg=red"),
        [](Options& o) { o.chat.bg = kWhite; } },
    { "colour part above 255", set("Chat Options", "normal", "normal=300,0,0"),
        [](Options& o) { o.chat.normal = 255; } },
    { "mixer frequency not a number", set("Sound Mixer", "frequency", "frequency=high"),
        [](Options& o) { o.mixer = kPrevious.mixer; } },
};

TEST(SettingsFile, DamagedFilesLoadSectionBySection)
{
    ScratchFolder folder;
    const Bytes full = settingsFixture("full.ini");
    for (const DamageCase& damage : kDamageCases) {
        SCOPED_TRACE(damage.name);
        Options expected = fullModel();
        damage.expect(expected);
        EXPECT_EQ(loaded(folder, damage.damage(full), kPrevious), expected);
    }
}

TEST(SettingsFile, MixerOutputTakesOnlyItsFourTexts)
{
    const struct {
        const char* output;
        int32_t result; // from a record whose output was 0
    } cases[] = {
        { "3", 3 },
        { "7", 1 },
        { "-1", 1 },
        { "2.5", 0 },
        { "02", 0 },
    };
    for (const auto& c : cases) {
        SoundMixer mixer{ 0, 0, 0 };
        LoadSoundMixer(
            IniDocument::parse("[Sound Mixer]\r\noutput=" + Bytes(c.output) + "\r\nnumchannels=4\r\n"),
            mixer);
        EXPECT_EQ(mixer.output, c.result) << c.output;
        EXPECT_EQ(mixer.numchannels, 4) << c.output;
    }
}

TEST(SettingsFile, FailedWriteLeavesTheOldFile)
{
    ScratchFolder folder;
    const auto file = folder / "kalvon.ini";
    const Bytes old = settingsFixture("full.ini");
    for (const char* failingStep : { "open", "write", "sync", "rename" }) {
        SCOPED_TRACE(failingStep);
        folder.write("kalvon.ini", old);
        setAtomicWriteFaultForTesting([&](std::string_view step) { return step != failingStep; });
        EXPECT_FALSE(SaveSettings(file, Options{}));
        setAtomicWriteFaultForTesting(nullptr);
        EXPECT_EQ(readFile(file), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    }
}

} // namespace
} // namespace kalvon
