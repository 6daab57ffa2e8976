// The theme editor program: the application and the editor, started behind its splash window.

#include "common/paths.h"
#include "common/tempdir.h"
#include "editor/editorprogram.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KalvonThemeMaker"));

    const std::filesystem::path programDir = kalvon::paths::programDir();
    QDir::setCurrent(QString::fromStdString(programDir.string()));
    kalvon::editor::EditorProgram program(programDir, kalvon::GetTempDir());
    program.start();
    return QApplication::exec();
}
