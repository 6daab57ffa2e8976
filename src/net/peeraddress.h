#pragma once
// Addresses as the ban list and the server page show them: dotted IPv4, with the IPv4-mapped
// IPv6 form a dual-stack listener reports ("::ffff:1.2.3.4") turned back into "1.2.3.4".

#include "common/bytes.h"

#include <QHostAddress>

namespace kalvon {

Bytes dottedAddress(const QHostAddress& address);

// The first IPv4 address of this machine that is not a loopback one, or "127.0.0.1".
Bytes localIPv4Address();

} // namespace kalvon
