#pragma once
// Every modal box the programs show goes through this interface: message boxes, input boxes,
// file, colour and font dialogs. The widget implementation is QtDialogs (platform/ui); tests
// use a scripted fake that records each call and answers from a script. Plain C++, so every
// layer can ask.

#include "common/bytes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kalvon {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// A file dialog request. `filter` is the "description|pattern|description|pattern|" text the
// program's handlers build; patterns are matched without regard to case.
struct FileDialogRequest {
    Bytes title;
    Bytes filter;
    Bytes initialDir;
    Bytes fileName;
};

struct FontChoice {
    Bytes name;
    double size = 8.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // MsgBox. An empty title shows the program's name.
    virtual MessageAnswer messageBox(
        BytesView text, BytesView title, MessageIcon icon, MessageButtons buttons = MessageButtons::Ok)
        = 0;
    // InputBox: the answer, or nothing when cancelled (VB gives "" for both; callers that do
    // not care use value_or("")).
    virtual std::optional<Bytes> inputBox(
        BytesView prompt, BytesView title = {}, BytesView defaultAnswer = {})
        = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<Bytes> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<Bytes> saveFile(const FileDialogRequest& request) = 0;
    // Colours as R + 256 G + 65536 B.
    virtual std::optional<uint32_t> chooseColor(uint32_t initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
};

// One filter entry of a "desc|pattern|" text: the description and its patterns ("*.kvx;*.tnp").
struct FileFilter {
    Bytes description;
    std::vector<Bytes> patterns;
};
std::vector<FileFilter> parseFileFilter(BytesView filter);

} // namespace kalvon
