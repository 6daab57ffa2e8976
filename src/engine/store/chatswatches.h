#pragma once
// The chat options panel's sixteen colour swatches, in swatch order: the colour of ChatOptions
// each one edits, its key in [Chat Options], its caption and its default colour text.

#include "engine/store/options.h"

#include <array>

namespace kalvon {

struct ChatSwatch {
    int32_t ChatOptions::*color;
    const char* key;
    const char* caption;
    const char* defaultColor; // "r,g,b"
};

inline constexpr std::array<ChatSwatch, 16> kChatSwatches{ {
    { &ChatOptions::normal, "normal", "Normal:", "0,0,0" },
    { &ChatOptions::player, "player", "Player Text:", "0,0,128" },
    { &ChatOptions::team, "team", "Team Text:", "0,0,128" },
    { &ChatOptions::client, "client", "Client Text:", "255,0,0" },
    { &ChatOptions::other, "other", "Other Player Text:", "0,0,255" },
    { &ChatOptions::bg, "bg", "Background:", "255,255,255" },
    { &ChatOptions::action, "action", "Action Text:", "128,0,128" },
    { &ChatOptions::sendmsg, "sendmsg", "Send Message Text:", "128,0,0" },
    { &ChatOptions::recvmsg, "recvmsg", "Receive Message Text:", "128,0,0" },
    { &ChatOptions::stat, "stat", "Statistics:", "128,0,0" },
    { &ChatOptions::specialgood, "specialgood", "Good Special:", "0,0,255" },
    { &ChatOptions::specialbad, "specialbad", "Bad Special:", "255,0,0" },
    { &ChatOptions::specialuser, "specialuser", "Special User:", "128,128,0" },
    { &ChatOptions::specialtarget, "specialtarget", "Special Target:", "0,128,0" },
    { &ChatOptions::vote, "vote", "Vote Text:", "128,0,0" },
    { &ChatOptions::server, "server", "Server Text:", "0,128,0" },
} };

} // namespace kalvon
