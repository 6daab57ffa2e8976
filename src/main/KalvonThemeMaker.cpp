// The theme editor program.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KalvonThemeMaker"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kalvon Theme Maker"));
    window.show();
    return QApplication::exec();
}
