#include "app/SingleInstanceGuard.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);

    SingleInstanceGuard guard(QCoreApplication::applicationName());
    if (guard.alreadyRunning()) {
        QMessageBox::warning(nullptr, QStringLiteral("警告"), QStringLiteral("应用程序已经在运行中！"),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return -1;
    }

    MainWindow window;
    window.show();
    QApplication::exec();
    guard.close();
    return 0;
}
