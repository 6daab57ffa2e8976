#pragma once
// The handler a signal has in this process now, for tests that check who handles it.

#include <csignal>

namespace kalvon::testing {

using SignalHandler = void (*)(int);

inline SignalHandler currentSignalHandler(int number)
{
    struct sigaction action = {};
    sigaction(number, nullptr, &action);
    return action.sa_handler;
}

} // namespace kalvon::testing
