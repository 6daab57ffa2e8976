#include "engine/store/defaultsettings.h"

#include "engine/store/settingsfile.h"

#include <system_error>

namespace kalvon {

namespace {
// Windows virtual-key codes.
namespace vk {
constexpr int16_t Enter = 13, Space = 32, Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46;
constexpr int16_t Quote = 222, Slash = 191;
constexpr int16_t digit(char d) { return static_cast<int16_t>(d); }  // '0'..'9' = 48..57
constexpr int16_t letter(char l) { return static_cast<int16_t>(l); } // 'A'..'Z' = 65..90
} // namespace vk

// Rows in KeyAction order: rotate, rotate2, left, right, down, drop, useself, useother, discard,
// Irevenge, Ispec1..Ispec6, Italk, Italkteam.
constexpr KeyBindingRow kPlayer1{vk::Up, vk::Slash, vk::Left, vk::Right, vk::Down, vk::Space,
                                 vk::Quote, vk::Enter, vk::Delete, vk::letter('R'), vk::digit('1'),
                                 vk::digit('2'), vk::digit('3'), vk::digit('4'), vk::digit('5'),
                                 vk::digit('6'), vk::letter('T'), vk::letter('Y')};
constexpr KeyBindingRow kPlayer2{vk::letter('W'), vk::letter('Q'), vk::letter('A'), vk::letter('D'),
                                 vk::letter('S'), vk::letter('E'), vk::letter('Z'), vk::letter('X'),
                                 vk::letter('C'), kKeyNotSet, kKeyNotSet, kKeyNotSet, kKeyNotSet,
                                 kKeyNotSet, kKeyNotSet, kKeyNotSet, kKeyNotSet, kKeyNotSet};
} // namespace

ControlSettings defaultControls()
{
    ControlSettings controls;
    controls.keyBindings = {kPlayer1, kPlayer2};
    return controls;
}

Options defaultInstallOptions()
{
    Options options;
    options.controls = defaultControls();
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
