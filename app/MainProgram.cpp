#include "app/MainProgram.h"

#include "app/ShutdownSignals.h"
#include "app/SingleInstanceGuard.h"
#include "log/LogSaveTxt.h"
#include "ui/MainWindow.h"

#include <QApplication>

int MainProgram::exec()
{
    LogSaveTxt::instance();
    SingleInstanceGuard guard(QCoreApplication::applicationName());
    if (guard.alreadyRunning()) {
        SingleInstanceGuard::warnAlreadyRunning();
        return -1;
    }

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
