#pragma once
// The chat buffer as it was written: runs of text (Windows-1252, CR LF line breaks) with their
// weight and colour, so the chat menu can save it as plain text or as rich text. The chat
// box appends to it whatever it shows; "Clear Buffer" empties both.

#include "common/bytes.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kalvon {

struct ChatBufferRun {
    Bytes text;
    bool bold = false;
    int32_t colour = 0; // R + 256 G + 65536 B
    bool operator==(const ChatBufferRun&) const = default;
};

class ChatBuffer {
public:
    // A run in the style of the last one joins it.
    void append(BytesView text, bool bold, int32_t colour);
    void clear() { m_runs.clear(); }
    const std::vector<ChatBufferRun>& runs() const { return m_runs; }
    // The text of every run, as the box holds it.
    Bytes text() const;

private:
    std::vector<ChatBufferRun> m_runs;
};

// The buffer as a rich-text document in the chat font: a colour table of the colours used,
// bold runs, a paragraph per line. "\", "{" and "}" are escaped and bytes above 127 written
// as \'hh, so any chat text makes a well-formed file.
Bytes chatRtf(const ChatBuffer& buffer, BytesView fontName);

enum class ChatFileForm { Text, RichText };
// Rich text when the name has at least five characters and ends in ".rtf" in any case.
ChatFileForm chatFileForm(BytesView fileName);

// "Save Buffer": the buffer in the form the name asks for, followed by a line end, written
// whole (a failed write keeps the file that was there). False when it could not be written.
[[nodiscard]] bool saveChatBuffer(
    const std::filesystem::path& file, BytesView fileName, const ChatBuffer& buffer, BytesView fontName);

} // namespace kalvon
