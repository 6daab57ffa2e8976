#pragma once
// The pages of the main window (CurrentScreen).

namespace kalvon {

enum class Screen { Fields = 1, Options = 2, Server = 3, Connect = 4, Themes = 5, Chat = 6 };

} // namespace kalvon
