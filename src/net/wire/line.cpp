#include "net/wire/line.h"

namespace kalvon::wire {

std::optional<RawLine> parseLine(BytesView line)
{
    if (line.empty())
        return std::nullopt;
    RawLine message;
    message.code = line.front();
    const auto separator = line.find(';');
    if (separator != BytesView::npos) {
        message.payload = line.substr(separator + 1);
        message.hasPayload = true;
    }
    return message;
}

Bytes makeLine(char code)
{
    return Bytes(1, code);
}

Bytes makeLine(char code, BytesView payload)
{
    Bytes line;
    line.reserve(payload.size() + 2);
    line += code;
    line += ';';
    line += payload;
    return line;
}

Bytes framed(BytesView line)
{
    Bytes out;
    out.reserve(line.size() + kLineEnd.size());
    out += line;
    out += kLineEnd;
    return out;
}

} // namespace kalvon::wire
