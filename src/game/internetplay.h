#pragma once
// What the game's start and stop, its keys, its engine host and its tick ask of internet play:
// the built-in server's game procedures, the client's connection and records, its in-game
// messages, and the opponents' five boards. The internet client (with the server) implements
// it; tests plug in a fake. Playing slots are 1..6, boards 1..5, client index -1 the host.

#include "common/bytes.h"

#include <cstdint>

namespace kalvon {

// The timed specials shown on an opponent's board (NetFlashActive/Start and so on), in the
// order the tick ends them.
enum class RemoteEffect { Flash, Tremor, Shield };
inline constexpr RemoteEffect kRemoteEffects[]
    = { RemoteEffect::Flash, RemoteEffect::Tremor, RemoteEffect::Shield };

class InternetPlay {
public:
    virtual ~InternetPlay() = default;

    // --- the built-in server and the connection ---
    // This program hosts the server (the server button reads "Stop Server").
    virtual bool IsHostingServer() const = 0;
    virtual bool Connected() const = 0;
    virtual void ServerStartGame(int client) = 0;
    virtual void ServerStopGame() = 0;
    virtual void ServerMsgPause(int client) = 0;
    virtual void ServerMsgResume(int client) = 0;
    // A client that does not host asks the server to start or stop the game.
    virtual void requestStartGame() = 0;
    virtual void requestStopGame() = 0;
    // One line to the server (the quit the program sends as it ends); CR LF is appended,
    // failures are ignored.
    virtual void SendToServer(BytesView line) = 0;

    // --- client records ---
    // The player index in a playing slot, -1 when free.
    virtual int SpotPlayer(int slot) const = 0;
    virtual int MySpot() const = 0;
    // The opponent board showing a slot.
    virtual int SpotBoard(int slot) const = 0;
    virtual bool Spectating() const = 0;
    // The slot of the player who last used a special on this client.
    virtual int LastAttacker() const = 0;

    // --- in-game messages ---
    // The special at hand goes to the player in a slot.
    virtual void SendSpecial(int slot) = 0;
    // The engine host's network calls (engine/enginehost.h).
    virtual void sendPauseGame() = 0;
    virtual void sendResumeGame() = 0;
    virtual void sendPlayerLost() = 0;
    virtual void addLinesToAll(int lines) = 0;
    virtual void SendFieldUpdate() = 0;
    virtual void ResetSentField() = 0;
    virtual void CheckLevelUp() = 0;
    // This client's entry in the player list is marked dead (its own game was lost).
    virtual void MarkMyPlayerDead() = 0;

    // --- the opponents' boards ---
    virtual bool remoteEffectActive(int board, RemoteEffect effect) const = 0;
    virtual int64_t remoteEffectStart(int board, RemoteEffect effect) const = 0;
    virtual void endRemoteEffect(int board, RemoteEffect effect) = 0;
    virtual void DrawNetPlayerField(int board) = 0;
    virtual void UpdateNetBoardMarkers(int board) = 0;
};

} // namespace kalvon
