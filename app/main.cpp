#include "app/SingleInstanceGuard.h"
#include "log/LogSaveTxt.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    LogSaveTxt::instance();

    SingleInstanceGuard guard(QCoreApplication::applicationName());
    if (guard.alreadyRunning()) {
        SingleInstanceGuard::warnAlreadyRunning();
        return -1;
    }

    MainWindow window;
    window.show();
    QApplication::exec();
    guard.close();
    return 0;
}
