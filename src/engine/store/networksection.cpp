// [Network]: what was last typed on the connect and server pages, and the master list server
// the server browser asks. Every value is text, so nothing in this section fails to load.

#include "engine/store/settingssections.h"

namespace kalvon {

namespace {
constexpr size_t kTeamLength = 9;

// The text, or `fallback` when it is empty.
BytesView orWhenEmpty(BytesView text, BytesView fallback)
{
    return text.empty() ? fallback : text;
}
} // namespace

void LoadNetworkOptions(const IniDocument& file, NetworkSettings& network)
{
    const NetworkSettings defaults;
    SectionReader in(file, "Network");
    in.readText("name", defaults.name, network.name);
    Bytes team = in.storedValue("team").value_or(Bytes());
    if (toLower(team) == "[none]")
        team.clear();
    team.resize(std::min(team.size(), kTeamLength));
    network.team = team;
    network.teamName = team.empty() ? Bytes(kNoTeam) : team;
    in.readText("lastip", defaults.lastIp, network.lastIp);
    in.readText("maxclients", defaults.maxClients, network.maxClients);
    in.readText("port", defaults.port, network.port);
    in.readText("masterserver", defaults.masterServer, network.masterServer);
}

void SaveNetworkOptions(SettingsWriter& out, const NetworkSettings& network)
{
    out.section("Network");
    out.key("name", orWhenEmpty(firstLine(network.name), "Player"));
    // The team in use, not the box: a team typed and never applied is not kept.
    out.key("team", network.teamName == kNoTeam ? BytesView("[None]") : BytesView(network.teamName));
    out.key("lastip", orWhenEmpty(firstLine(network.lastIp), "0.0.0.0"));
    out.key("maxclients", network.maxClients);
    out.key("port", orWhenEmpty(firstLine(network.port), "90"));
    out.key("masterserver", orWhenEmpty(firstLine(network.masterServer), "127.0.0.1"));
}

} // namespace kalvon
