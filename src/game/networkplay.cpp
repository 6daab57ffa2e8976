#include "game/networkplay.h"

#include "net/clientview.h"
#include "net/gameserver.h"
#include "net/internetclient.h"
#include "render/gamerenderer.h"
#include "render/internetview.h"

namespace kalvon {

namespace {

struct EffectFields {
    OpponentBoards::PerBoard<bool> OpponentBoards::*active;
    OpponentBoards::PerBoard<int64_t> OpponentBoards::*start;
};

EffectFields fieldsOf(RemoteEffect effect)
{
    switch (effect) {
    case RemoteEffect::Flash: return { &OpponentBoards::NetFlashActive, &OpponentBoards::NetFlashStart };
    case RemoteEffect::Tremor: return { &OpponentBoards::NetTremorActive, &OpponentBoards::NetTremorStart };
    case RemoteEffect::Shield: break;
    }
    return { &OpponentBoards::NetShieldActive, &OpponentBoards::NetShieldStart };
}

} // namespace

NetworkPlay::NetworkPlay(GameServer& server, InternetClient& client, ClientView& view, GameRenderer& renderer)
    : m_server(server)
    , m_client(client)
    , m_view(view)
    , m_renderer(renderer)
{
}

bool NetworkPlay::IsHostingServer() const
{
    return m_server.isRunning();
}
bool NetworkPlay::Connected() const
{
    return m_client.Connected();
}
void NetworkPlay::ServerStartGame(int client)
{
    m_server.ServerStartGame(client);
}
void NetworkPlay::ServerStopGame()
{
    m_server.ServerStopGame();
}
void NetworkPlay::ServerMsgPause(int client)
{
    m_server.ServerMsgPause(client);
}
void NetworkPlay::ServerMsgResume(int client)
{
    m_server.ServerMsgResume(client);
}
void NetworkPlay::requestStartGame()
{
    m_client.requestStartGame();
}
void NetworkPlay::requestStopGame()
{
    m_client.requestStopGame();
}
void NetworkPlay::SendToServer(BytesView line)
{
    m_client.SendToServer(line);
}

int NetworkPlay::SpotPlayer(int slot) const
{
    return m_client.roster().spotPlayer(slot);
}
int NetworkPlay::MySpot() const
{
    return m_client.roster().MySpot;
}
// A spot without a board (the big field's, or one never mapped) is board 0, which no board is.
int NetworkPlay::SpotBoard(int slot) const
{
    return m_client.roster().boardOf(slot).value_or(0);
}
bool NetworkPlay::Spectating() const
{
    return m_client.roster().Spectating;
}
int NetworkPlay::LastAttacker() const
{
    return m_client.RevengeSlot();
}

void NetworkPlay::SendSpecial(int slot)
{
    m_client.SendSpecial(slot);
}

void NetworkPlay::sendPauseGame()
{
    m_client.sendPauseGame();
}
void NetworkPlay::sendResumeGame()
{
    m_client.sendResumeGame();
}
void NetworkPlay::sendPlayerLost()
{
    m_client.sendPlayerLost();
}
void NetworkPlay::addLinesToAll(int lines)
{
    m_client.addLinesToAll(lines);
}

void NetworkPlay::SendFieldUpdate()
{
    m_client.SendFieldUpdate();
}
void NetworkPlay::ResetSentField()
{
    m_client.ResetSentField();
}
void NetworkPlay::CheckLevelUp()
{
    m_client.CheckLevelUp();
}
void NetworkPlay::MarkMyPlayerDead()
{
    m_client.MarkMyPlayerDead();
}

bool NetworkPlay::remoteEffectActive(int board, RemoteEffect effect) const
{
    return OpponentBoards::isBoard(board) && (m_client.boards().*fieldsOf(effect).active)[size_t(board)];
}

int64_t NetworkPlay::remoteEffectStart(int board, RemoteEffect effect) const
{
    return OpponentBoards::isBoard(board) ? (m_client.boards().*fieldsOf(effect).start)[size_t(board)] : 0;
}

void NetworkPlay::endRemoteEffect(int board, RemoteEffect effect)
{
    if (OpponentBoards::isBoard(board))
        (m_client.boards().*fieldsOf(effect).active)[size_t(board)] = false;
}

void NetworkPlay::DrawNetPlayerField(int board)
{
    m_view.DrawNetPlayerField(board);
}
void NetworkPlay::UpdateNetBoardMarkers(int board)
{
    if (!OpponentBoards::isBoard(board))
        return;
    m_renderer.UpdateNetBoardMarkers(board);
}

} // namespace kalvon
