#include "net/chatbuffer.h"

#include "common/atomicfile.h"
#include "common/vbconv.h"

#include <algorithm>

namespace kalvon {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Text of a run or of the font name in RTF: line breaks become paragraphs, control bytes
// other than TAB are dropped.
void appendRtfText(Bytes& out, BytesView text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            // CR LF, a lone CR and a lone LF are each one line break.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\\par\r\n";
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c > 127) {
            out += "\\'";
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 15];
        } else if (c >= 32) {
            out += static_cast<char>(c);
        }
    }
}

} // namespace

void ChatBuffer::append(BytesView text, bool bold, int32_t colour)
{
    if (text.empty())
        return;
    if (!m_runs.empty() && m_runs.back().bold == bold && m_runs.back().colour == colour) {
        m_runs.back().text += text;
        return;
    }
    m_runs.push_back({ Bytes(text), bold, colour });
}

Bytes ChatBuffer::text() const
{
    Bytes all;
    for (const ChatBufferRun& run : m_runs)
        all += run.text;
    return all;
}

Bytes chatRtf(const ChatBuffer& buffer, BytesView fontName)
{
    std::vector<int32_t> colours;
    for (const ChatBufferRun& run : buffer.runs()) {
        if (std::find(colours.begin(), colours.end(), run.colour) == colours.end())
            colours.push_back(run.colour);
    }
    Bytes out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ";
    // A font name is read up to its ";" and cannot hold groups: those bytes are left out.
    Bytes font;
    for (char c : fontName) {
        if (c != ';' && c != '{' && c != '}' && c != '\\')
            font += c;
    }
    appendRtfText(out, font);
    out += ";}}\r\n{\\colortbl ;";
    for (int32_t colour : colours) {
        out += "\\red" + vb::formatInt(colour & 0xFF) + "\\green" + vb::formatInt((colour >> 8) & 0xFF)
            + "\\blue" + vb::formatInt((colour >> 16) & 0xFF) + ";";
    }
    out += "}\r\n\\pard\\f0\\fs20 ";
    for (const ChatBufferRun& run : buffer.runs()) {
        const auto entry = std::find(colours.begin(), colours.end(), run.colour) - colours.begin() + 1;
        out += "\\cf" + vb::formatInt(entry) + (run.bold ? "\\b " : "\\b0 ");
        appendRtfText(out, run.text);
    }
    out += "\\par\r\n}\r\n";
    return out;
}

ChatFileForm chatFileForm(BytesView fileName)
{
    if (fileName.size() >= 5 && toLower(fileName.substr(fileName.size() - 4)) == ".rtf")
        return ChatFileForm::RichText;
    return ChatFileForm::Text;
}

bool saveChatBuffer(
    const std::filesystem::path& file, BytesView fileName, const ChatBuffer& buffer, BytesView fontName)
{
    Bytes bytes
        = chatFileForm(fileName) == ChatFileForm::RichText ? chatRtf(buffer, fontName) : buffer.text();
    bytes += "\r\n";
    return writeFileAtomically(file, bytes).ok;
}

} // namespace kalvon
