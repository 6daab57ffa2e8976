// [Chat Options]: the chat font and colours. Colours that do not read become white, so
// nothing in this section fails to load.

#include "common/colortext.h"
#include "engine/store/settingssections.h"

namespace kalvon {

namespace {
struct ColorKey {
    const char* key;
    int32_t ChatOptions::*color;
};

// The order the loader reads them in; the font is read between server and specialtarget.
constexpr ColorKey kReadBeforeFont[] = {
    { "normal", &ChatOptions::normal },
    { "action", &ChatOptions::action },
    { "bg", &ChatOptions::bg },
    { "client", &ChatOptions::client },
    { "other", &ChatOptions::other },
    { "recvmsg", &ChatOptions::recvmsg },
    { "sendmsg", &ChatOptions::sendmsg },
    { "vote", &ChatOptions::vote },
    { "stat", &ChatOptions::stat },
    { "server", &ChatOptions::server },
};
constexpr ColorKey kReadAfterFont[] = {
    { "specialtarget", &ChatOptions::specialtarget },
    { "specialgood", &ChatOptions::specialgood },
    { "specialbad", &ChatOptions::specialbad },
    { "specialuser", &ChatOptions::specialuser },
    { "team", &ChatOptions::team },
    { "player", &ChatOptions::player },
};

// The order the writer prints them in, after the font.
constexpr ColorKey kWritten[] = {
    { "normal", &ChatOptions::normal },
    { "player", &ChatOptions::player },
    { "team", &ChatOptions::team },
    { "action", &ChatOptions::action },
    { "bg", &ChatOptions::bg },
    { "client", &ChatOptions::client },
    { "other", &ChatOptions::other },
    { "server", &ChatOptions::server },
    { "sendmsg", &ChatOptions::sendmsg },
    { "recvmsg", &ChatOptions::recvmsg },
    { "stat", &ChatOptions::stat },
    { "vote", &ChatOptions::vote },
    { "specialgood", &ChatOptions::specialgood },
    { "specialbad", &ChatOptions::specialbad },
    { "specialuser", &ChatOptions::specialuser },
    { "specialtarget", &ChatOptions::specialtarget },
};

template <size_t N> void readColors(SectionReader& in, const ColorKey (&keys)[N], ChatOptions& chat)
{
    const ChatOptions defaults;
    for (const ColorKey& entry : keys) {
        if (const std::optional<Bytes> text = in.storedValue(entry.key))
            chat.*entry.color = ParseColor(*text);
        else
            chat.*entry.color = defaults.*entry.color;
    }
}
} // namespace

void LoadChatOptions(const IniDocument& file, ChatOptions& chat)
{
    SectionReader in(file, "Chat Options");
    readColors(in, kReadBeforeFont, chat);
    in.readText("font", ChatOptions().font, chat.font);
    readColors(in, kReadAfterFont, chat);
}

void SaveChatOptions(SettingsWriter& out, const ChatOptions& chat)
{
    out.section("Chat Options");
    out.key("font", chat.font);
    for (const ColorKey& entry : kWritten)
        out.key(entry.key, ColorToString(chat.*entry.color));
}

} // namespace kalvon
