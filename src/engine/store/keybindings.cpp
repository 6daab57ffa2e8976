#include "engine/store/keybindings.h"

#include "common/vbconv.h"

#include <array>
#include <vector>

namespace kalvon {

namespace {

struct KeyName {
    int code;
    Bytes name;
};

// The name tests in their order; where two tests named one code, the later would win.
const std::vector<KeyName>& keyNames()
{
    static const std::vector<KeyName> names = [] {
        std::vector<KeyName> list;
        for (char c = 'A'; c <= 'Z'; ++c)
            list.push_back({ c, Bytes(1, c) });
        for (char c = '0'; c <= '9'; ++c)
            list.push_back({ c, Bytes(1, c) });
        for (int n = 0; n <= 9; ++n)
            list.push_back({ 96 + n, "Keypad " + vb::formatInt(n) });
        for (int n = 1; n <= 12; ++n)
            list.push_back({ 111 + n, "F" + vb::formatInt(n) });
        const KeyName others[]
            = { { 9, "Tab" }, { 13, "[Enter]" }, { 16, "Shift" }, { 17, "Control" }, { 32, "[Space Bar]" },
                  { 33, "Page Up" }, { 34, "Page Down" }, { 35, "End" }, { 36, "Home" }, { 37, "Arrow Left" },
                  { 38, "Arrow Up" }, { 39, "Arrow Right" }, { 40, "Arrow Down" }, { 45, "Insert" },
                  { 46, "Delete" }, { 110, "Keypad Del" }, { 186, ";" }, { 188, "Comma" }, { 190, "Period" },
                  { 191, "/" }, { 219, "[" }, { 221, "]" }, { 222, "'" }, { kKeyNotSet, "[None]" } };
        list.insert(list.end(), std::begin(others), std::end(others));
        return list;
    }();
    return names;
}

// Capture code - 1 -> action.
constexpr std::array<KeyAction, kLastCapture> kCaptureActions{ KeyAction::Rotate, KeyAction::Left,
    KeyAction::Right, KeyAction::Down, KeyAction::Drop, KeyAction::UseSelf, KeyAction::UseOther,
    KeyAction::Rotate2, KeyAction::Discard, KeyAction::Irevenge, KeyAction::Ispec1, KeyAction::Ispec2,
    KeyAction::Ispec3, KeyAction::Ispec4, KeyAction::Ispec5, KeyAction::Ispec6, KeyAction::Italk,
    KeyAction::Italkteam };

constexpr const char* kLocalLabels[] = { "Rotate Right: ", "Left: ", "Right: ", "Piece Down: ", "Drop: ",
    "Self Special: ", "Enemy Special: ", "Rotate Left: ", "Discard Special: " };

// The order in which a captured key is looked for among a player's own actions.
constexpr KeyAction kStealOrder[] = { KeyAction::Down, KeyAction::Drop, KeyAction::Left, KeyAction::Right,
    KeyAction::Rotate, KeyAction::Rotate2, KeyAction::UseOther, KeyAction::UseSelf, KeyAction::Discard };

constexpr int kLocalActions = 9;

} // namespace

Bytes keyname(int keyCode)
{
    Bytes name;
    for (const KeyName& entry : keyNames()) {
        if (entry.code == keyCode)
            name = entry.name;
    }
    return name;
}

std::optional<KeyAction> captureAction(int captureCode)
{
    if (captureCode < 1 || captureCode > kLastCapture)
        return std::nullopt;
    return kCaptureActions[size_t(captureCode - 1)];
}

int captureCode(KeyAction action)
{
    for (size_t i = 0; i < kCaptureActions.size(); ++i) {
        if (kCaptureActions[i] == action)
            return int(i) + 1;
    }
    return 0;
}

Bytes keyButtonLabel(int captureCode)
{
    if (captureCode >= 1 && captureCode < kFirstInternetCapture)
        return kLocalLabels[captureCode - 1];
    if (captureCode == kFirstInternetCapture)
        return "Revenge Special: ";
    if (captureCode > kFirstInternetCapture && captureCode <= kFirstInternetCapture + 6)
        return "Use Special On Player " + vb::formatInt(captureCode - kFirstInternetCapture) + ": ";
    if (captureCode == kLastCapture - 1)
        return "Talk: ";
    if (captureCode == kLastCapture)
        return "Team Talk: ";
    return {};
}

Bytes keyButtonCaption(int captureCode, int16_t keyCode)
{
    return keyButtonLabel(captureCode) + keyname(keyCode);
}

void KeyCapture::start(int captureCode, int player)
{
    KeyCaptureAction = static_cast<int16_t>(captureCode);
    KeyCapturePlayer = static_cast<int16_t>(captureCode >= kFirstInternetCapture ? 1 : player);
    KeyCaptureActive = true;
}

bool KeyCapture::bindKey(ControlSettings& controls, int keyCode)
{
    if (!KeyCaptureActive)
        return false;
    const int16_t code = keyCode == kKeyBackSpace ? kKeyNotSet : static_cast<int16_t>(keyCode);
    if (code != kKeyNotSet) {
        for (int player = 1; player <= 2; ++player) {
            for (KeyAction action : kStealOrder) {
                if (controls.binding(player, action) == code) {
                    controls.binding(player, action) = kKeyNotSet;
                    break;
                }
            }
        }
        for (int action = kLocalActions; action < kKeyActions; ++action) {
            if (controls.binding(1, KeyAction(action)) == code)
                controls.binding(1, KeyAction(action)) = kKeyNotSet;
        }
    }
    if (const std::optional<KeyAction> action = captureAction(KeyCaptureAction)) {
        const int row = KeyCaptureAction >= kFirstInternetCapture ? 1 : KeyCapturePlayer;
        if (row == 1 || row == 2)
            controls.binding(row, *action) = code;
    }
    KeyCaptureActive = false;
    return true;
}

void SwapPlayerControls(ControlSettings& controls)
{
    for (int action = 0; action < kLocalActions; ++action)
        std::swap(controls.binding(1, KeyAction(action)), controls.binding(2, KeyAction(action)));
}

void ClearAllControls(ControlSettings& controls)
{
    for (int action = 0; action < kKeyActions; ++action) {
        controls.binding(1, KeyAction(action)) = kKeyNotSet;
        if (action < kLocalActions)
            controls.binding(2, KeyAction(action)) = kKeyNotSet;
    }
}

} // namespace kalvon
