#pragma once
// Dialogs for the fuzz targets: message boxes are recorded and answered Ok, every other box
// is cancelled (an encrypted archive member finds no password).

#include "common/dialogs.h"

#include <vector>

namespace kalvon::fuzz {

class QuietDialogs final : public Dialogs {
public:
    std::vector<Bytes> messages;

    MessageAnswer messageBox(BytesView text, BytesView, MessageIcon, MessageButtons) override
    {
        messages.emplace_back(text);
        return MessageAnswer::Ok;
    }
    std::optional<Bytes> inputBox(BytesView, BytesView, BytesView) override { return std::nullopt; }
    std::optional<Bytes> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<Bytes> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<uint32_t> chooseColor(uint32_t) override { return std::nullopt; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
};

} // namespace kalvon::fuzz
