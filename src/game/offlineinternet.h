#pragma once
// Internet play as the game sees it while the program has neither its server nor a client
// wired in: no connection, no server, every playing slot free. Starting an internet game then
// says that no players are available; nothing is ever sent.

#include "game/internetplay.h"

namespace kalvon {

class OfflineInternet final : public InternetPlay {
public:
    bool IsHostingServer() const override { return false; }
    bool Connected() const override { return false; }
    void ServerStartGame(int) override { }
    void ServerStopGame() override { }
    void ServerMsgPause(int) override { }
    void ServerMsgResume(int) override { }
    void requestStartGame() override { }
    void requestStopGame() override { }
    void SendToServer(BytesView) override { }

    int SpotPlayer(int) const override { return -1; }
    int MySpot() const override { return -1; }
    int SpotBoard(int) const override { return 0; }
    bool Spectating() const override { return true; }
    int LastAttacker() const override { return 0; }

    void SendSpecial(int) override { }
    void sendPauseGame() override { }
    void sendResumeGame() override { }
    void sendPlayerLost() override { }
    void addLinesToAll(int) override { }
    void SendFieldUpdate() override { }
    void ResetSentField() override { }
    void CheckLevelUp() override { }
    void MarkMyPlayerDead() override { }

    bool remoteEffectActive(int, RemoteEffect) const override { return false; }
    int64_t remoteEffectStart(int, RemoteEffect) const override { return 0; }
    void endRemoteEffect(int, RemoteEffect) override { }
    void DrawNetPlayerField(int) override { }
    void UpdateNetBoardMarkers(int) override { }
};

} // namespace kalvon
