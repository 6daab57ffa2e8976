#include "net/hostoptions.h"

#include "net/wire/browserdatagrams.h"

namespace kalvon {

std::optional<int> parsePortText(BytesView text)
{
    const std::optional<uint16_t> port = wire::parsePort(trimBlanks(text));
    if (!port)
        return std::nullopt;
    return *port;
}

} // namespace kalvon
