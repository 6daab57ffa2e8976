#pragma once
// Ending a connection without losing the last line sent on it: the socket writes what it
// holds, closes, and deletes itself. A peer that never takes the bytes is cut off after a
// short linger. A socket without a parent is given the application as its parent meanwhile.

class QTcpSocket;

namespace kalvon {

inline constexpr int kCloseLingerMs = 5000;

void closeGracefully(QTcpSocket* socket);

} // namespace kalvon
