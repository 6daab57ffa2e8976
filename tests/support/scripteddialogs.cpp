#include "support/scripteddialogs.h"

namespace kalvon::testing {

namespace {
template <typename T> T next(std::deque<T>& script, T fallback)
{
    if (script.empty())
        return fallback;
    T value = std::move(script.front());
    script.pop_front();
    return value;
}
} // namespace

MessageAnswer ScriptedDialogs::messageBox(
    BytesView text, BytesView title, MessageIcon icon, MessageButtons buttons)
{
    calls.push_back({ "message", Bytes(text), Bytes(title), icon, buttons, {} });
    if (whileMessageShown)
        whileMessageShown();
    return next(messageAnswers, MessageAnswer::Ok);
}

std::optional<Bytes> ScriptedDialogs::inputBox(BytesView prompt, BytesView title, BytesView)
{
    calls.push_back({ "input", Bytes(prompt), Bytes(title), MessageIcon::None, MessageButtons::Ok, {} });
    return next<std::optional<Bytes>>(inputAnswers, std::nullopt);
}

std::optional<Bytes> ScriptedDialogs::openFile(const FileDialogRequest& request)
{
    calls.push_back(
        { "open", request.filter, request.title, MessageIcon::None, MessageButtons::Ok, request });
    return next<std::optional<Bytes>>(fileAnswers, std::nullopt);
}

std::optional<Bytes> ScriptedDialogs::saveFile(const FileDialogRequest& request)
{
    calls.push_back(
        { "save", request.filter, request.title, MessageIcon::None, MessageButtons::Ok, request });
    return next<std::optional<Bytes>>(fileAnswers, std::nullopt);
}

std::optional<uint32_t> ScriptedDialogs::chooseColor(uint32_t)
{
    calls.push_back({ "color", {}, {}, MessageIcon::None, MessageButtons::Ok, {} });
    return next<std::optional<uint32_t>>(colorAnswers, std::nullopt);
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(const FontChoice&)
{
    calls.push_back({ "font", {}, {}, MessageIcon::None, MessageButtons::Ok, {} });
    return next<std::optional<FontChoice>>(fontAnswers, std::nullopt);
}

std::vector<Bytes> ScriptedDialogs::messages() const
{
    std::vector<Bytes> texts;
    for (const DialogCall& call : calls) {
        if (call.kind == "message")
            texts.push_back(call.text);
    }
    return texts;
}

} // namespace kalvon::testing
