#include "app/ApplicationAttributes.h"
#include "app/ShutdownSignals.h"
#include "app/SingleInstanceGuard.h"
#include "device/PortLister.h"
#include "log/LogSaveTxt.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ApplicationAttributes::apply();
    // The window's Init lists the serial ports; the slow part starts now.
    PortLister::prepareSystemPorts();
    QApplication app(argc, argv);
    LogSaveTxt::instance();

    SingleInstanceGuard guard(QCoreApplication::applicationName());
    if (guard.alreadyRunning()) {
        SingleInstanceGuard::warnAlreadyRunning();
        return -1;
    }

    // A termination signal closes the window as an accepted close would.
    ShutdownSignals shutdownSignals;
    MainWindow window;
    QObject::connect(&shutdownSignals, &ShutdownSignals::received, &window,
                     &MainWindow::terminationSignalHandle);
    window.show();
    QApplication::exec();
    // Records still queued for the log writer, such as why the program ends.
    QCoreApplication::sendPostedEvents(LogSaveTxt::instance(), QEvent::MetaCall);
    guard.close();
    return 0;
}
