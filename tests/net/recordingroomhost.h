#pragma once
// The room's owner in tests: records every line per connection, the closes, the wake-ups and
// the page events; a connection put in `slow` answers its sends as one that fell behind. A
// send on, or a second close of, a connection the room has closed fails the test.

#include "net/roomhost.h"

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kalvon::testing {

class RecordingRoomHost final : public RoomHost {
public:
    bool sendLine(ConnectionId connection, BytesView line) override;
    void closeConnection(ConnectionId connection) override;
    void wakeAt(int64_t dueMs) override { wakes.push_back(dueMs); }
    void userJoinedRoom(const Bytes& name) override { events.push_back("joined " + name); }
    void userLeftRoom(const Bytes& name) override { events.push_back("left " + name); }
    void roomGameStarted() override { events.push_back("game started"); }
    void roomGameEnded() override { events.push_back("game ended"); }

    std::optional<Bytes> takeLine(ConnectionId connection);
    bool isClosed(ConnectionId connection) const { return closed.contains(connection); }

    std::map<ConnectionId, std::deque<Bytes>> lines;
    std::set<ConnectionId> closed;
    std::set<ConnectionId> slow;
    std::vector<int64_t> wakes;
    std::vector<std::string> events;
};

} // namespace kalvon::testing
