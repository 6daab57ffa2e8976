#pragma once
// Internet play as the running game reaches it: the built-in server's game procedures, the
// internet client's connection, records and in-game messages, its opponent boards' effects,
// the window's board drawing and the renderer's board markers. The client keeps the effect
// flags; the renderer draws markers from its own view of them, which is brought up to date
// before each marker update.

#include "game/internetplay.h"

namespace kalvon {

class ClientView;
class GameRenderer;
class GameServer;
class InternetClient;

class NetworkPlay final : public InternetPlay {
public:
    NetworkPlay(GameServer& server, InternetClient& client, ClientView& view, GameRenderer& renderer);

    bool IsHostingServer() const override;
    bool Connected() const override;
    void ServerStartGame(int client) override;
    void ServerStopGame() override;
    void ServerMsgPause(int client) override;
    void ServerMsgResume(int client) override;
    void requestStartGame() override;
    void requestStopGame() override;
    void SendToServer(BytesView line) override;

    int SpotPlayer(int slot) const override;
    int MySpot() const override;
    int SpotBoard(int slot) const override;
    bool Spectating() const override;
    int LastAttacker() const override;

    void SendSpecial(int slot) override;
    void sendPauseGame() override;
    void sendResumeGame() override;
    void sendPlayerLost() override;
    void addLinesToAll(int lines) override;
    void SendFieldUpdate() override;
    void ResetSentField() override;
    void CheckLevelUp() override;
    void MarkMyPlayerDead() override;

    bool remoteEffectActive(int board, RemoteEffect effect) const override;
    int64_t remoteEffectStart(int board, RemoteEffect effect) const override;
    void endRemoteEffect(int board, RemoteEffect effect) override;
    void DrawNetPlayerField(int board) override;
    void UpdateNetBoardMarkers(int board) override;

private:
    GameServer& m_server;
    InternetClient& m_client;
    ClientView& m_view;
    GameRenderer& m_renderer;
};

} // namespace kalvon
