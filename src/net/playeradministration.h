#pragma once
// The administration items of the player, spectator and server-page menus as plain operations.
// Every item is offered to every client; the role decides when an item is chosen: an
// administrator of an outside server sends a request naming the player in lower case, the host
// acts on its own server's records (ban, kick, move as if the player had asked), and a client
// that is neither finds no records and does nothing. A failed selection test shows the item's
// message and sends nothing.
//
// The player list has six lines, row r showing playing slot r + 1; the spectator list's
// selection is the spectator's name.

#include "common/bytes.h"

#include <array>
#include <functional>

namespace kalvon {

class ClientRoster;
class ServerRoom;

class PlayerAdministration {
public:
    struct Parts {
        const ClientRoster& roster;
        // The host's running server; null while this program hosts none.
        std::function<ServerRoom*()> hostedRoom;
        std::function<bool()> isAdmin;
        std::function<void(BytesView line)> sendToServer;
        // A critical box titled "Error".
        std::function<void(BytesView text)> showError;
        // The host banned a client: the ban list holds one more address.
        std::function<void()> bansChanged;
    };
    // The host's waits between the ban or kick message and the disconnection.
    static constexpr int kPlayerBanWaitMs = 100;
    static constexpr int kSpectatorBanWaitMs = 1000;

    explicit PlayerAdministration(Parts parts);

    // "Join Game" is available on a free slot while connected.
    bool joinGameAvailable(int row, bool connected) const;
    // The "Move Player" submenu: slots 1..6 (index 0 unused), the selected player's own slot
    // unavailable.
    std::array<bool, 7> moveTargets(int row) const;

    void banPlayer(int row);
    void banSpectator(BytesView name);
    void kickPlayer(int row);
    void kickSpectator(BytesView name);
    // To slot 1..6, or 0 for the spectators (players only).
    void movePlayer(int row, int slot);
    void moveSpectator(BytesView name, int slot);

    // The server page's user box (host only): ban the first record of that name, kick every one.
    void banUser(BytesView name);
    void kickUser(BytesView name);

private:
    enum class Item { Ban, Kick, Move };
    // The holder's name of the slot on the list's row; empty when the row holds nobody.
    Bytes playerName(int row) const;
    void act(Item item, BytesView name, bool spectator, int slot);
    void ban(ServerRoom& room, int client, int waitMs);
    // The server page's buttons: ban or kick the record of that name.
    void userItem(BytesView name, BytesView emptyMessage, Item item);

    Parts m;
};

} // namespace kalvon
