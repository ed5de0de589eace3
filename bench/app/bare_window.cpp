#include <QApplication>
#include <QMainWindow>

// The reference for the start-up benchmark: a bare main window with the same
// start-up settings as the program.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1024, 555);
    window.show();
    return QApplication::exec();
}
