#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

// The reference for the start-up benchmark: a bare main window with a table
// and a chart view, and the high-DPI settings of the program. With --raster
// it also draws with the raster engine only, as the program does.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--raster") == 0)
            QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
    }
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
