#include "engine/store/defaultsettings.h"

#include "engine/store/settingsfile.h"

#include <system_error>

namespace kalvon {

namespace {
// Windows virtual-key codes.
namespace vk {
constexpr int16_t Enter = 13, Space = 32, Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46;
constexpr int16_t Quote = 222, Slash = 191;
// Digits and capital letters have their character codes: '0' = 48, 'A' = 65.
constexpr int16_t key(char c)
{
    return static_cast<int16_t>(c);
}
} // namespace vk

// Rows in KeyAction order: rotate, rotate2, left, right, down, drop, useself, useother, discard,
// Irevenge, Ispec1..Ispec6, Italk, Italkteam.
constexpr KeyBindingRow kPlayer1{ vk::Up, vk::Slash, vk::Left, vk::Right, vk::Down, vk::Space, vk::Quote,
    vk::Enter, vk::Delete, vk::key('R'), vk::key('1'), vk::key('2'), vk::key('3'), vk::key('4'), vk::key('5'),
    vk::key('6'), vk::key('T'), vk::key('Y') };
constexpr KeyBindingRow kPlayer2{ vk::key('W'), vk::key('Q'), vk::key('A'), vk::key('D'), vk::key('S'),
    vk::key('E'), vk::key('Z'), vk::key('X'), vk::key('C'), kKeyNotSet, kKeyNotSet, kKeyNotSet, kKeyNotSet,
    kKeyNotSet, kKeyNotSet, kKeyNotSet, kKeyNotSet, kKeyNotSet };
} // namespace

ControlSettings defaultControls()
{
    ControlSettings controls;
    controls.keyBindings = { kPlayer1, kPlayer2 };
    return controls;
}

Options defaultInstallOptions()
{
    Options options;
    options.controls = defaultControls();
    // A fresh install opens on a game that can be started at once; internet play needs a
    // server first.
    options.general.gameMode = GameMode::OnePlayer;
    // The server takes 2 to 6 clients: the missing key's 10 would refuse the first start.
    options.network.maxClients = Bytes("6");
    return options;
}

bool installDefaultSettings(const std::filesystem::path& file)
{
    // Only a name that certainly holds nothing; a folder we cannot look into counts as taken.
    std::error_code error;
    if (std::filesystem::symlink_status(file, error).type() != std::filesystem::file_type::not_found)
        return false;
    return SaveSettings(file, defaultInstallOptions());
}

} // namespace kalvon
