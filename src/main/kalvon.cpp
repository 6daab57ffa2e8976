// The game program: the application, the program object that makes and wires every subsystem,
// the main window's load handler run from the event loop, and the quit signals (a logout, a
// kill, Ctrl+C), which end the program through the main window's unload, as File > Exit does.

#include "common/paths.h"
#include "common/tempdir.h"
#include "platform/quitsignals.h"
#include "window/gameprogram.h"
#include "window/mainform.h"

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
    kalvon::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &kalvon::QuitSignals::quitRequested,
        [&program] { program.form().unloadFromOutside(); });
    QTimer::singleShot(0, [&program] { program.start(); });
    return QApplication::exec();
}
