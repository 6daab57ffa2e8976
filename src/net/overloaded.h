#pragma once
// A visitor made of lambdas, one per alternative: the dispatchers hand each decoded message to
// its handler with it. A message type without a lambda does not compile.

namespace kalvon {

template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Not every compiler deduces an aggregate's arguments by itself yet.
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace kalvon
