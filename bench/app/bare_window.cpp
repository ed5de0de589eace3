#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

// The reference for the start-up benchmark: a bare main window with a table
// and a chart view, and the same start-up settings as the program.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QApplication app(argc, argv);
    QMainWindow window;
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(new QTableWidget(0, 7, central));
    layout->addWidget(new QtCharts::QChartView(central));
    window.setCentralWidget(central);
    window.resize(1024, 555);
    window.show();
    return QApplication::exec();
}
