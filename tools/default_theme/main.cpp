// make_default_theme: draws, synthesises and writes the game's default theme.
//
//   make_default_theme <data folder> [--preview <folder>]
//   make_default_theme --layout-tables     prints the control tables of docs/layout.md
//
// Writes <data>/default.kvx, <data>/default.zip and <data>/images/*.png. The output depends
// only on this program and the DejaVu fonts, so a run gives the same bytes every time.

#include "defaulttheme.h"
#include "pages.h"
#include "paint.h"
#include "preview.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <ctime>

using namespace kalvon::themegen;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%8lld  %s\n", static_cast<long long>(bytes.size()), qPrintable(QDir::cleanPath(path)));
    return true;
}

int usage()
{
    std::fprintf(stderr,
        "usage: make_default_theme <data folder> [--preview <folder>]\n"
        "       make_default_theme --layout-tables\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // The archive's member times are written in local time: fix the zone so every machine
    // writes the same bytes.
    qputenv("TZ", "UTC");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args == QStringList{ QStringLiteral("--layout-tables") }) {
        std::fputs(qPrintable(layoutTables()), stdout);
        return 0;
    }
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--")) || args.size() == 2 || args.size() > 3
        || (args.size() == 3 && args[1] != QLatin1String("--preview")))
        return usage();
    if (!loadFonts()) {
        std::fprintf(stderr, "the DejaVu fonts (fonts-dejavu-core) are missing\n");
        return 1;
    }
    const QString data = args[0];
    QDir().mkpath(data);

    const std::vector<ArchiveMember> members = themeArchiveMembers();
    for (const ArchiveMember& m : members)
        if (m.bytes.isEmpty()) {
            std::fprintf(stderr, "could not make %s\n", qPrintable(m.name));
            return 1;
        }
    QString error;
    const QString archive = data + QStringLiteral("/default.zip");
    if (!writeArchive(archive, members, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%8lld  %s (%zu members)\n", static_cast<long long>(QFileInfo(archive).size()),
        qPrintable(QDir::cleanPath(archive)), members.size());
    const kalvon::Bytes kvx = defaultThemeFile();
    bool ok = writeFile(data + QStringLiteral("/default.kvx"), QByteArray(kvx.data(), qsizetype(kvx.size())));
    for (const NamedFile& f : builtinImages())
        ok = writeFile(data + QLatin1Char('/') + f.name, f.bytes) && ok;
    if (args.size() == 3 && !writePreviews(args[2])) {
        std::fprintf(stderr, "cannot write the previews into %s\n", qPrintable(args[2]));
        ok = false;
    }
    return ok ? 0 : 1;
}
