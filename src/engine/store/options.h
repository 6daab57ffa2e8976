#pragma once
// The options model: every value the settings file kalvon.ini carries, section by section.
// The option pages bind their widgets to it; until then it is the single store of the options.
// A default-constructed model holds what the controls hold before the file is read: the value
// each loader uses for a missing key (and checked boxes for the two options that are written
// but never read).

#include "common/bytes.h"
#include "common/soundmixer.h"
#include "engine/types.h"

#include <array>
#include <cstdint>

namespace kalvon {

// The value of an option check box: 0 off, 1 on, 2 greyed (stored unchanged).
using CheckValue = int16_t;

inline constexpr char kDefaultThemePath[] = "\\data\\default.kvx";

// [General]
struct GeneralSettings {
    GameMode gameMode = GameMode::Internet;
    Bytes theme = kDefaultThemePath; // the path of the theme in use
    CheckValue stayOnTop = 0;
    CheckValue taskbarIcon = 0;
    bool operator==(const GeneralSettings&) const = default;
};

// [Sound]
struct SoundSettings {
    CheckValue sounds = 1;
    CheckValue useThemeMusic = 1;
    CheckValue playMusic = 1;
    Bytes lastMusic = "[None]"; // the music file chosen on the options page
    bool operator==(const SoundSettings&) const = default;
};

// [Graphics]
struct GraphicsSettings {
    CheckValue dropTrail = 0;
    int32_t dropColor = 0xFFFFFF; // DropTrailColor, R + 256 G + 65536 B
    CheckValue shadows = 0;
    CheckValue explode = 1;
    CheckValue door = 1; // key "kalvondoor"
    CheckValue bombExplode = 1;
    CheckValue warning = 0;
    CheckValue animateBg = 1;
    CheckValue animateInetBg = 1;
    CheckValue animateBlocks = 0;
    CheckValue animateSpecials = 1;
    CheckValue animateInetBlocks = 0;
    CheckValue animateInetSpecials = 1;
    CheckValue animateNextBlock = 1; // written, never read
    CheckValue animateSpecialWindow = 1; // written, never read
    CheckValue smoothBlock = 1;
    CheckValue leds = 1;
    CheckValue p1Guide = 0;
    CheckValue p2Guide = 0;
    bool operator==(const GraphicsSettings&) const = default;
};

// The team name that stands for "no team" (TeamName).
inline constexpr char kNoTeam[] = "\r";

// [Network]: the texts of the connect and server pages.
struct NetworkSettings {
    Bytes name = "Player";
    Bytes team; // the team box
    Bytes teamName = kNoTeam; // TeamName: the team in use, which is what is saved
    Bytes lastIp = "0.0.0.0";
    Bytes maxClients = "10";
    Bytes port = "90";
    // The host name or address of the master list server the server browser asks.
    Bytes masterServer = "127.0.0.1";
    bool operator==(const NetworkSettings&) const = default;
};

// [Game Options]: the rule boxes of the options and server pages.
struct GameOptionSettings {
    CheckValue classic = 1;
    CheckValue lineSpecial = 1;
    CheckValue specials = 1;
    CheckValue sameLevel = 1;
    std::array<Bytes, kPlayingSlots> startHeight{ "0", "0", "0", "0", "0", "0" }; // slots 1..6
    Bytes maxSpecials = "16";
    Bytes delay = "0";
    Bytes startLevel = "0";
    Bytes lineLevel = "0";
    Bytes raiseLevel = "0";
    Bytes specialLine = "0";
    Bytes specialsMade = "0";
    bool operator==(const GameOptionSettings&) const = default;
};

// [Block Occurancy] defaults, in table order (PieceType, then 7 + SpecialType).
inline constexpr BlockOccurancy kDefaultBlockOccurancy{ 14, 15, 14, 14, 15, 14, 14, 13, 13, 2, 9, 3, 11, 3, 9,
    2, 6, 2, 6, 5, 5, 7, 3 };

enum class KeyAction : int16_t {
    Rotate = 0,
    Rotate2 = 1,
    Left = 2,
    Right = 3,
    Down = 4,
    Drop = 5,
    UseSelf = 6,
    UseOther = 7,
    Discard = 8,
    Irevenge = 9,
    Ispec1 = 10,
    Ispec2 = 11,
    Ispec3 = 12,
    Ispec4 = 13,
    Ispec5 = 14,
    Ispec6 = 15,
    Italk = 16,
    Italkteam = 17
};
inline constexpr int kKeyActions = 18;
inline constexpr int16_t kKeyNotSet = 9999;

// One local player's key codes (Windows virtual-key codes) in KeyAction order. The internet keys
// live in player 1's row.
using KeyBindingRow = std::array<int16_t, kKeyActions>;

// [Controls]
struct ControlSettings {
    int16_t controlSensitivity = 100; // hsControl: the key-repeat delay, 1..200 ms
    // KeyBindings of players 1 and 2 (index 0 and 1).
    std::array<KeyBindingRow, 2> keyBindings = [] {
        std::array<KeyBindingRow, 2> rows{};
        for (KeyBindingRow& row : rows)
            row.fill(kKeyNotSet);
        return rows;
    }();

    int16_t& binding(int player, KeyAction action)
    {
        return keyBindings.at(player - 1).at(static_cast<int>(action));
    }
    int16_t binding(int player, KeyAction action) const
    {
        return keyBindings.at(player - 1).at(static_cast<int>(action));
    }
    bool operator==(const ControlSettings&) const = default;
};

// ChatOptions: the chat font and its sixteen colours.
struct ChatOptions {
    Bytes font = "MS Sans Serif";
    int32_t client = 0x0000FF; // 255,0,0
    int32_t other = 0xFF0000; // 0,0,255
    int32_t sendmsg = 0x000080; // 128,0,0
    int32_t recvmsg = 0x000080; // 128,0,0
    int32_t bg = 0xFFFFFF; // 255,255,255
    int32_t normal = 0x000000; // 0,0,0
    int32_t server = 0x008000; // 0,128,0
    int32_t vote = 0x000080; // 128,0,0
    int32_t stat = 0x000080; // 128,0,0
    int32_t specialtarget = 0x008000; // 0,128,0
    int32_t specialgood = 0xFF0000; // 0,0,255
    int32_t specialbad = 0x0000FF; // 255,0,0
    int32_t specialuser = 0x008080; // 128,128,0
    int32_t action = 0x800080; // 128,0,128
    int32_t team = 0x800000; // 0,0,128
    int32_t player = 0x800000; // 0,0,128
    bool operator==(const ChatOptions&) const = default;
};

struct Options {
    GeneralSettings general;
    SoundSettings sound;
    GraphicsSettings graphics;
    NetworkSettings network;
    GameOptionSettings gameOptions;
    BlockOccurancy blockOccurancy = kDefaultBlockOccurancy;
    ControlSettings controls;
    ChatOptions chat;
    SoundMixer mixer;
    bool operator==(const Options&) const = default;
};

} // namespace kalvon
