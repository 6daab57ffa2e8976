// Names and teams on the wire: a name the server accepts travels unchanged through every
// message that carries one (the hello, the roster records, the administration requests), and
// the team text of "no team" is recognised however it was written.

#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "net/wire/names.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

using namespace kalvon;
using namespace kalvon::wire;

namespace {

// The message of type M that a line decodes to, in the direction of the message's namespace.
template <class M, class Message> M decodedAs(std::optional<Message> message, BytesView line)
{
    FUZZ_CHECK_MSG(message && std::holds_alternative<M>(*message), fuzz::printable(line));
    return std::get<M>(*message);
}
template <class M> M sentToServer(const M& message)
{
    const Bytes line = toServer::encode(message);
    return decodedAs<M>(toServer::decode(line), line);
}
template <class M> M sentToClient(const M& message)
{
    const Bytes line = toClient::encode(message);
    return decodedAs<M>(toClient::decode(line), line);
}

void checkAcceptedName(BytesView name, BytesView team)
{
    const Bytes wireTeam = teamOnWire(team);
    // A team never holds the hello's TAB (the client's team box is one line).
    if (team.find('\t') == BytesView::npos) {
        const toServer::Hello hello{ wireTeam, Bytes(name) };
        FUZZ_CHECK(sentToServer(hello) == hello);
    }
    const toClient::PlayerJoined joined{ 3, Bytes(name), wireTeam };
    FUZZ_CHECK(sentToClient(joined) == joined);
    const toClient::PlayerInfo info{ 6, Bytes(name), wireTeam };
    FUZZ_CHECK(sentToClient(info) == info);
    const toServer::KickRequest kick{ Bytes(name) };
    FUZZ_CHECK(sentToServer(kick) == kick);
    const toServer::MovePlayer move{ 4, Bytes(name) };
    FUZZ_CHECK(sentToServer(move) == move);
    const toServer::Private message{ Bytes(name), Bytes(team) };
    FUZZ_CHECK(sentToServer(message) == message);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    const BytesView name = input.piece();
    const BytesView team = input.rest();

    bool clean = !name.empty();
    for (char c : name)
        clean = clean && byteCode(c) >= 32 && c != ',' && c != ';';
    FUZZ_CHECK(isAcceptableName(name) == clean);
    if (clean)
        checkAcceptedName(name, team);

    const Bytes wireTeam = teamOnWire(team);
    FUZZ_CHECK(!wireTeam.empty());
    FUZZ_CHECK(isNoTeam(wireTeam) == isNoTeam(team));
    FUZZ_CHECK(isNoTeam(team) == (team.empty() || team == kNoTeam));
    if (!team.empty())
        FUZZ_CHECK(wireTeam == team);
    return 0;
}
