// The theme editor program: the application and the editor, started behind its splash window.
// The quit signals (a logout, a kill, Ctrl+C) end it without the save question.

#include "common/paths.h"
#include "common/tempdir.h"
#include "editor/editorprogram.h"
#include "platform/quitsignals.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KalvonThemeMaker"));

    const std::filesystem::path programDir = kalvon::paths::programDir();
    QDir::setCurrent(QString::fromStdString(programDir.string()));
    kalvon::editor::EditorProgram program(programDir, kalvon::GetTempDir());
    kalvon::QuitSignals quitSignals;
    QObject::connect(
        &quitSignals, &kalvon::QuitSignals::quitRequested, [&program] { program.endWithoutQuestion(); });
    program.start();
    return QApplication::exec();
}
