#pragma once
// What the built-in server reads of the hosting program's server page: the port and client
// limit as typed, and the rule controls the game-options string is built from. The window
// keeps it in step with its controls; the server reads it when it needs a value, so it runs
// without widgets.

#include "common/bytes.h"
#include "net/wire/gameoptions.h"

#include <optional>

namespace kalvon {

struct HostOptions {
    Bytes port = "90";
    Bytes maxClients = "6";
    wire::HostRules rules;
};

// A port text as the server accepts it: a whole number 1..65535, blanks around it allowed.
std::optional<int> parsePortText(BytesView text);

} // namespace kalvon
