#pragma once
// The default theme as a whole: the members of default.zip, the default.kvx text naming them,
// and the pictures the programs load themselves (icons, loading window, holder icons).

#include "archive.h"
#include "common/bytes.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace kalvon::themegen {

struct NamedFile {
    QString name; // relative to the data folder
    QByteArray bytes;
};

std::vector<ArchiveMember> themeArchiveMembers();
Bytes defaultThemeFile();
std::vector<NamedFile> builtinImages();

} // namespace kalvon::themegen
