#pragma once
// Writing the theme's resource archive so that the same members always give the same bytes:
// members in the given order, one fixed modification time, fixed attributes.

#include <QByteArray>
#include <QString>
#include <vector>

namespace kalvon::themegen {

struct ArchiveMember {
    QString name;
    QByteArray bytes;
    bool compress; // deflate; already compressed data (PNG, Ogg) is stored
};

// Writes the archive to `path` (through a temporary file renamed over it). False with a
// message in `error` when it cannot be written.
bool writeArchive(const QString& path, const std::vector<ArchiveMember>& members, QString& error);

} // namespace kalvon::themegen
