#pragma once
// A Dialogs fake: records every box the code under test shows and answers from a script.
// Unscripted boxes answer Ok / cancel.

#include "common/dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kalvon::testing {

struct DialogCall {
    std::string kind; // "message", "input", "open", "save", "color", "font"
    Bytes text; // message text, prompt, or file dialog filter
    Bytes title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    FileDialogRequest file;
};

class ScriptedDialogs final : public Dialogs {
public:
    std::vector<DialogCall> calls;

    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<Bytes>> inputAnswers;
    std::deque<std::optional<Bytes>> fileAnswers;
    std::deque<std::optional<uint32_t>> colorAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    // Runs while a message box is shown, as the events a real box lets run would.
    std::function<void()> whileMessageShown;

    MessageAnswer messageBox(
        BytesView text, BytesView title, MessageIcon icon, MessageButtons buttons) override;
    std::optional<Bytes> inputBox(BytesView prompt, BytesView title, BytesView defaultAnswer) override;
    std::optional<Bytes> openFile(const FileDialogRequest& request) override;
    std::optional<Bytes> saveFile(const FileDialogRequest& request) override;
    std::optional<uint32_t> chooseColor(uint32_t initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

    // The texts of the message boxes shown, in order.
    std::vector<Bytes> messages() const;
};

} // namespace kalvon::testing
