#include "net/wire/names.h"

namespace kalvon::wire {

Bytes teamOnWire(BytesView team)
{
    return Bytes(team.empty() ? kNoTeam : team);
}

bool isNoTeam(BytesView team)
{
    return team.empty() || team == kNoTeam;
}

bool isAcceptableName(BytesView name)
{
    if (name.empty())
        return false;
    for (char c : name) {
        if (byteCode(c) < 32 || c == ',' || c == ';')
            return false;
    }
    return true;
}

} // namespace kalvon::wire
