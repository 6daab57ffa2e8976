#include "archive.h"

#include <QFile>
#include <zip.h>

namespace kalvon::themegen {

namespace {

// 14 January 2003, noon (local time is not involved: the DOS fields are written as given).
constexpr time_t kMemberTime = 1042545600;

} // namespace

bool writeArchive(const QString& path, const std::vector<ArchiveMember>& members, QString& error)
{
    const QString temporary = path + QStringLiteral(".part");
    QFile::remove(temporary);
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        error = QStringLiteral("cannot create %1 (libzip error %2)").arg(temporary).arg(code);
        return false;
    }
    for (const ArchiveMember& m : members) {
        zip_source_t* source
            = zip_source_buffer(archive, m.bytes.constData(), zip_uint64_t(m.bytes.size()), 0);
        const zip_int64_t index
            = source ? zip_file_add(archive, m.name.toLatin1().constData(), source, ZIP_FL_ENC_CP437) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            error = QStringLiteral("cannot add %1: %2").arg(m.name, QString::fromUtf8(zip_strerror(archive)));
            zip_discard(archive);
            return false;
        }
        zip_set_file_compression(
            archive, zip_uint64_t(index), m.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, m.compress ? 9 : 0);
        zip_file_set_mtime(archive, zip_uint64_t(index), kMemberTime, 0);
        zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, 0100644u << 16);
    }
    if (zip_close(archive) != 0) {
        error
            = QStringLiteral("cannot write %1: %2").arg(temporary, QString::fromUtf8(zip_strerror(archive)));
        zip_discard(archive);
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(temporary, path)) {
        error = QStringLiteral("cannot rename %1 to %2").arg(temporary, path);
        return false;
    }
    return true;
}

} // namespace kalvon::themegen
