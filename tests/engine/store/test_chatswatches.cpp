// The chat panel's swatch table agrees with the options model: each swatch's default text is
// the model's default colour, and each swatch's key is the line [Chat Options] writes for it.

#include "common/colortext.h"
#include "engine/store/chatswatches.h"
#include "engine/store/settingssections.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace kalvon {
namespace {

TEST(ChatSwatches, DefaultsAndKeysMatchTheChatOptionsSection)
{
    const ChatOptions defaults;
    ChatOptions distinct;
    std::vector<int32_t ChatOptions::*> edited;
    for (size_t i = 0; i < kChatSwatches.size(); ++i) {
        const ChatSwatch& swatch = kChatSwatches[i];
        SCOPED_TRACE(swatch.key);
        EXPECT_EQ(ParseColor(swatch.defaultColor), defaults.*swatch.color);
        EXPECT_EQ(std::find(edited.begin(), edited.end(), swatch.color), edited.end())
            << "one swatch per colour";
        edited.push_back(swatch.color);
        distinct.*swatch.color = int32_t(i + 1) * 0x010203;
    }
    SettingsWriter out;
    SaveChatOptions(out, distinct);
    for (const ChatSwatch& swatch : kChatSwatches) {
        const Bytes line = "\r\n" + Bytes(swatch.key) + "=" + ColorToString(distinct.*swatch.color) + "\r\n";
        EXPECT_NE(out.bytes().find(line), Bytes::npos) << line;
    }
}

} // namespace
} // namespace kalvon
