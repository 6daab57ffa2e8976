#include "recordingroomhost.h"

#include "testlines.h"

#include <gtest/gtest.h>

namespace kalvon::testing {

bool RecordingRoomHost::sendLine(ConnectionId connection, BytesView line)
{
    EXPECT_FALSE(isClosed(connection)) << "sent on closed connection " << connection << ": " << show(line);
    lines[connection].emplace_back(line);
    return !slow.contains(connection);
}

void RecordingRoomHost::closeConnection(ConnectionId connection)
{
    EXPECT_FALSE(isClosed(connection)) << "connection " << connection << " closed twice";
    closed.insert(connection);
}

std::optional<Bytes> RecordingRoomHost::takeLine(ConnectionId connection)
{
    std::deque<Bytes>& queue = lines[connection];
    if (queue.empty())
        return std::nullopt;
    Bytes line = std::move(queue.front());
    queue.pop_front();
    return line;
}

} // namespace kalvon::testing
