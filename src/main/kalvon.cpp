// The game program: builds the program's state objects and wires the subsystems together.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvon"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kalvon v1.91"));
    window.setFixedSize(640, 520);
    window.show();
    return QApplication::exec();
}
