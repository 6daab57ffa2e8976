#pragma once
// A visitor made of lambdas, one per alternative: the dispatchers hand each decoded message to
// its handler with it. A message type without a lambda does not compile.

namespace kalvon {

template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

} // namespace kalvon
