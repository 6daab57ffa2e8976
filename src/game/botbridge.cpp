#include "game/botbridge.h"

#include "common/dialogs.h"
#include "engine/state.h"

#include <QString>
#include <algorithm>
#include <cctype>

namespace kalvon {

namespace {

constexpr int kMovementBits[] = {
    KALVONBOT_ROTATE2,
    KALVONBOT_ROTATE,
    KALVONBOT_LEFT,
    KALVONBOT_RIGHT,
    KALVONBOT_DROP,
    KALVONBOT_DOWN,
};
static_assert(std::size(kMovementBits) == std::size(kMovementActions));

bool endsWithDll(BytesView name)
{
    if (name.size() < 4)
        return false;
    Bytes tail(name.substr(name.size() - 4));
    std::transform(
        tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return tail == ".dll";
}

bool onField(int32_t column, int32_t row)
{
    return column >= 0 && column < kFieldColumns && row >= 0 && row < kFieldRows;
}

} // namespace

std::optional<std::filesystem::path> botPluginPath(
    const std::filesystem::path& programFolder, BytesView fileName)
{
    if (fileName.empty() || fileName == "." || fileName == ".."
        || fileName.find_first_of("/\\:") != BytesView::npos || fileName.find('\0') != BytesView::npos)
        return std::nullopt;
    Bytes name(fileName);
    if (endsWithDll(name))
        name.replace(name.size() - 4, 4, ".so");
    return programFolder / std::filesystem::path(name);
}

void ApplyBotKeys(int16_t mask, int p, HeldKeys& keys)
{
    if (mask <= 0) {
        for (KeyAction action : kMovementActions)
            keys.held(p, action) = false;
        return;
    }
    for (size_t i = 0; i < std::size(kMovementActions); ++i) {
        keys.held(p, kMovementActions[i]) = (mask & kMovementBits[i]) != 0;
        keys.lastTime(p, kMovementActions[i]) = 0;
    }
}

BotBridge::BotBridge(std::filesystem::path programFolder, const EngineState& state, HeldKeys& keys)
    : m_programFolder(std::move(programFolder))
    , m_state(state)
    , m_keys(keys)
{
    m_host.abi_version = KALVONBOT_ABI_VERSION;
    m_host.context = this;
    m_host.cell_occupied = &BotBridge::cellOccupied;
    m_host.cell_code = &BotBridge::cellCode;
}

BotBridge::~BotBridge()
{
    BotUnlink();
}

bool BotBridge::BotLink(BytesView fileName)
{
    BotUnlink();
    const auto path = botPluginPath(m_programFolder, fileName);
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error))
        return false;
    m_library.setFileName(QString::fromStdString(path->string()));
    // Every symbol bound at load, none of them visible to libraries loaded later.
    m_library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!m_library.load())
        return false;
    const auto version
        = reinterpret_cast<kalvonbot_abi_version_fn>(m_library.resolve("kalvonbot_abi_version"));
    const auto attach = reinterpret_cast<kalvonbot_attach_fn>(m_library.resolve("kalvonbot_attach"));
    m_event = reinterpret_cast<kalvonbot_event_fn>(m_library.resolve("kalvonbot_event"));
    m_blockUpdate = reinterpret_cast<kalvonbot_block_update_fn>(m_library.resolve("kalvonbot_block_update"));
    m_pieceUpdate = reinterpret_cast<kalvonbot_piece_update_fn>(m_library.resolve("kalvonbot_piece_update"));
    m_detach = reinterpret_cast<kalvonbot_detach_fn>(m_library.resolve("kalvonbot_detach"));
    if (!version || !attach || !m_event || !m_blockUpdate || !m_pieceUpdate || !m_detach
        || version() != KALVONBOT_ABI_VERSION) {
        m_detach = nullptr; // never attached
        BotUnlink();
        return false;
    }
    attach(&m_host);
    m_linked = true;
    return true;
}

void BotBridge::BotUnlink()
{
    if (m_linked && m_detach)
        m_detach();
    m_linked = false;
    m_event = nullptr;
    m_blockUpdate = nullptr;
    m_pieceUpdate = nullptr;
    m_detach = nullptr;
    if (m_library.isLoaded())
        m_library.unload();
}

void BotBridge::BotThink(int p)
{
    if (!m_linked || (p != 1 && p != 2))
        return;
    const FallingPieceRecord& piece = m_state.FallingPiece[size_t(p)];
    ApplyBotKeys(m_event(piece.Column, piece.Row, piece.Orientation), p, m_keys);
}

void BotBridge::BotBlockUpdate()
{
    if (m_linked)
        m_blockUpdate();
}

void BotBridge::BotPieceUpdate(int p)
{
    // The bot plays player 1; the other player's pieces are not its business.
    if (!m_linked || p != 1)
        return;
    m_pieceUpdate(m_state.FallingPiece[1].Type, m_state.NextPiece[1]);
}

void BotBridge::iconPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Dialogs& dialogs)
{
    const Qt::KeyboardModifiers held
        = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (button != Qt::RightButton || held != Qt::ShiftModifier)
        return;
    if (!m_linked) {
        if (BotLink("kalvonbot.dll"))
            dialogs.messageBox("Kalvon Bot Linked!", "", MessageIcon::Information);
    } else {
        BotUnlink();
        dialogs.messageBox("Kalvon Bot Unlinked!", "", MessageIcon::Information);
    }
}

int32_t BotBridge::cellOccupied(void* context, int32_t column, int32_t row)
{
    const auto* bridge = static_cast<const BotBridge*>(context);
    if (!onField(column, row))
        return 0;
    return bridge->m_state.FieldOccupied[1][size_t(column)][size_t(row)] != kCellEmpty ? 1 : 0;
}

int32_t BotBridge::cellCode(void* context, int32_t column, int32_t row)
{
    const auto* bridge = static_cast<const BotBridge*>(context);
    if (!onField(column, row))
        return 0;
    return bridge->m_state.FieldColor[1][size_t(column)][size_t(row)];
}

} // namespace kalvon
