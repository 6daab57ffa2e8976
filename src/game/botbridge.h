#pragma once
// The bot bridge: links the bot plug-in (kalvonbot.so, see kalvonbot.h) from the program
// folder, asks it once per tick which keys player 1 holds, and tells it of field and piece
// changes. The bot's answer becomes player 1's held keys, so it plays through the same moves
// as the keyboard.

#include "common/bytes.h"
#include "game/heldkeys.h"
#include "game/kalvonbot.h"

#include <QLibrary>
#include <filesystem>
#include <optional>

namespace kalvon {

class Dialogs;

// The plug-in file a link request names: only a bare file name, looked for in the program
// folder, with a ".dll" ending read as ".so". Nothing for a name with a folder in it.
std::optional<std::filesystem::path> botPluginPath(
    const std::filesystem::path& programFolder, BytesView fileName);

// The bot's mask as held keys of player p: a mask of 0 or less releases the six movement keys
// and keeps their repeat times; otherwise each key follows its bit and all six repeat times
// become 0, so the set ones act in this same tick.
void ApplyBotKeys(int16_t mask, int p, HeldKeys& keys);

class BotBridge {
public:
    BotBridge(std::filesystem::path programFolder, const EngineState& state, HeldKeys& keys);
    ~BotBridge();
    BotBridge(const BotBridge&) = delete;
    BotBridge& operator=(const BotBridge&) = delete;

    // Loads and links the plug-in; true when it is linked (an earlier one is unlinked first).
    bool BotLink(BytesView fileName);
    // Safe when nothing is linked.
    void BotUnlink();
    bool BotLinked() const { return m_linked; }

    // Asks the bot with player p's falling piece and applies its mask.
    void BotThink(int p);
    // After player 1's field was redrawn.
    void BotBlockUpdate();
    // After a next piece was set: nothing unless a bot is linked.
    void BotPieceUpdate(int p);

    // Shift + right button on the window's icon links or unlinks the bot and says so.
    void iconPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Dialogs& dialogs);

private:
    static int32_t cellOccupied(void* context, int32_t column, int32_t row);
    static int32_t cellCode(void* context, int32_t column, int32_t row);

    std::filesystem::path m_programFolder;
    const EngineState& m_state;
    HeldKeys& m_keys;
    QLibrary m_library;
    KalvonBotHost m_host{};
    bool m_linked = false;
    kalvonbot_event_fn m_event = nullptr;
    kalvonbot_block_update_fn m_blockUpdate = nullptr;
    kalvonbot_piece_update_fn m_pieceUpdate = nullptr;
    kalvonbot_detach_fn m_detach = nullptr;
};

} // namespace kalvon
