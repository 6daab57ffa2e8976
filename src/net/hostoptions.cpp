#include "net/hostoptions.h"

namespace kalvon {

std::optional<int> parsePortText(BytesView text)
{
    text = trimBlanks(text);
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

} // namespace kalvon
