#include "support/recordingclientview.h"

#include <algorithm>

namespace kalvon::testing {

Bytes RecordingClientView::chatText() const
{
    Bytes text;
    for (const ChatRun& run : chat)
        text += run.text;
    return text;
}

std::vector<Bytes> RecordingClientView::chatLines() const
{
    std::vector<Bytes> lines;
    const Bytes text = chatText();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        const Bytes line = text.substr(start, end == Bytes::npos ? Bytes::npos : end - start);
        if (!line.empty())
            lines.push_back(line);
        if (end == Bytes::npos)
            return lines;
        start = end + 2;
    }
}

bool RecordingClientView::isEnabled(ClientControl control, bool fallback) const
{
    const auto it = enabled.find(control);
    return it == enabled.end() ? fallback : it->second;
}

Bytes RecordingClientView::caption(ClientControl control) const
{
    const auto it = captions.find(control);
    return it == captions.end() ? Bytes("<unset>") : it->second;
}

int RecordingClientView::count(std::string_view call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void RecordingClientView::clear()
{
    chat.clear();
    errors.clear();
    calls.clear();
}

void RecordingClientView::clearRoomList()
{
    rooms.clear();
    selectedRoom = -1;
}

void RecordingClientView::AddChatText(BytesView text, bool bold, ChatColour colour)
{
    chat.push_back({ Bytes(text), bold, colour });
}

void RecordingClientView::showError(BytesView text)
{
    errors.emplace_back(text);
    calls.push_back("showError " + Bytes(text));
}

void RecordingClientView::setConnectButtonIdle(bool idle)
{
    connectButtonIdle = idle;
    calls.push_back(idle ? "connectButtonIdle on" : "connectButtonIdle off");
}

void RecordingClientView::ShowChatScreen()
{
    screen = kChatScreen;
    calls.push_back("ShowChatScreen");
}

void RecordingClientView::ShowFieldScreen()
{
    screen = kFieldScreen;
    calls.push_back("ShowFieldScreen");
}

void RecordingClientView::setBoardInUse(int board, bool inUse)
{
    calls.push_back("setBoardInUse " + std::to_string(board) + (inUse ? " on" : " off"));
}

} // namespace kalvon::testing
