// The game program: the application, the program object that makes and wires every subsystem,
// and the main window's load handler run from the event loop.

#include "common/paths.h"
#include "common/tempdir.h"
#include "window/gameprogram.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvon"));
    // Texts stored with the design's font name show in a font this system has.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));

    const std::filesystem::path programDir = kalvon::paths::programDir();
    QDir::setCurrent(QString::fromStdString(programDir.string()));
    kalvon::GameProgram program(programDir, kalvon::GetTempDir());
    QTimer::singleShot(0, [&program] { program.start(); });
    return QApplication::exec();
}
