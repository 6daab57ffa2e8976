#include "net/serverbrowser.h"

#include "common/clock.h"

#include <algorithm>

namespace kalvon {

namespace {
constexpr BytesView kTimedOut = "Connection to server timed out!";
constexpr BytesView kRefused = "Connection Refused! (No Kalvon Server Running)";
} // namespace

ServerBrowser::ServerBrowser(
    BrowserView& view, BrowserHost& host, const Clock& clock, Bytes programCaption, Ports ports)
    : m_view(view)
    , m_host(host)
    , m_clock(clock)
    , m_programCaption(std::move(programCaption))
    , m_ports(ports)
{
}

void ServerBrowser::RequestServerList()
{
    m_view.clearServers();
    m_servers.clear();
    m_master.reset();
    m_phase = Phase::Waiting;
    ++m_request;
    m_listEndsAt = m_clock.nowMs() + kRefreshMs;
    m_view.setRefreshEnabled(false);
    m_view.setCaption(m_programCaption + " - Getting server list...");
    m_host.wakeAt(m_listEndsAt);
    m_host.lookUpMaster(m_request);
}

void ServerBrowser::masterFound(uint64_t request, std::optional<uint32_t> address)
{
    if (request != m_request || m_phase != Phase::Waiting || m_master)
        return;
    if (!address) {
        masterFailed(MasterError::HostNotFound);
        return;
    }
    m_master = address;
    m_host.sendDatagram(BrowserSocket::Master, *address, m_ports.master, wire::encodeListRequest());
}

void ServerBrowser::masterDatagram(uint32_t from, uint16_t fromPort, BytesView datagram)
{
    if (m_phase == Phase::Idle || m_clock.nowMs() >= m_listEndsAt || !m_master || from != *m_master
        || fromPort != m_ports.master)
        return;
    for (const wire::ListEntry& entry : wire::decodeListDatagram(datagram))
        takeListEntry(entry);
    if (m_phase == Phase::Waiting) {
        m_phase = Phase::Listing;
        endWaiting();
    }
    m_view.selectFirstAddress();
}

void ServerBrowser::takeListEntry(const wire::ListEntry& entry)
{
    if (serverCount() >= kMaxServers)
        return;
    const std::optional<uint16_t> infoPort = wire::infoPortOf(entry.port, m_ports.infoBase);
    if (!infoPort)
        return;
    const bool listed = std::any_of(
        m_servers.begin(), m_servers.end(), [&](const Server& server) { return server.entry == entry; });
    if (listed)
        return;
    m_view.addAddress(wire::serverAddressText(entry.address, entry.port));
    m_host.sendDatagram(BrowserSocket::Info, entry.address, *infoPort, wire::encodeInfoRequest());
    // The time is taken after the request left.
    m_servers.push_back(Server{ entry, *infoPort, m_clock.nowMs(), false });
}

void ServerBrowser::infoDatagram(uint32_t from, uint16_t fromPort, BytesView datagram)
{
    const auto asked = std::find_if(m_servers.begin(), m_servers.end(), [&](const Server& server) {
        return !server.answered && server.entry.address == from && server.infoPort == fromPort;
    });
    if (asked == m_servers.end())
        return;
    const std::optional<wire::InfoReply> reply = wire::decodeInfoReply(datagram);
    if (!reply || reply->port != asked->entry.port)
        return;
    asked->answered = true;
    const int64_t took = std::clamp<int64_t>(m_clock.nowMs() - asked->sentAt, 0, kMaxPing);
    m_view.addServerRow(ServerRow{ reply->name, wire::serverAddressText(from, reply->port), reply->clients,
        reply->clientLimit, reply->rooms, static_cast<int>(took) });
}

void ServerBrowser::masterFailed(MasterError error)
{
    if (m_phase != Phase::Waiting)
        return;
    m_phase = Phase::Idle;
    endWaiting();
    m_view.showError(error == MasterError::TimedOut ? kTimedOut : kRefused);
}

void ServerBrowser::runDueTimers()
{
    if (m_phase == Phase::Idle || m_clock.nowMs() < m_listEndsAt)
        return;
    if (m_phase == Phase::Waiting) {
        masterFailed(MasterError::TimedOut);
        return;
    }
    m_phase = Phase::Idle;
}

void ServerBrowser::endWaiting()
{
    m_view.setRefreshEnabled(true);
    m_view.setCaption(m_programCaption);
}

} // namespace kalvon
