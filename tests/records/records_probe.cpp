// The program's window driven through one run in a process of its own, for
// the records tests, which kill it mid-run or run two of it at once against
// one database. Arguments: the port and the number of points. The records of
// the working folder's config.ini are used; the probe waits until they have
// caught up before it exits.
#include "WorkbenchDriver.h"
#include "records/LabRecords.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {
constexpr int catchUpMs = 60000;
}

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    // The simulated calibrator's link is offered as a port.
    qputenv("RT58_EXTRA_PORTS", argv[1]);
    QApplication application(argc, argv);
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    if (!driver.connectTo(QString::fromLocal8Bit(argv[1])))
        return 1;
    const int points = QByteArray(argv[2]).toInt();
    for (int point = 0; point < points; ++point)
        driver.addPoint(QStringLiteral("10"), QString::number(100 + 10 * point));
    driver.click("startBtn");
    const auto *records = window.findChild<LabRecords *>();
    QElapsedTimer clock;
    clock.start();
    while (records->recordsBehind() > 0 && clock.elapsed() < catchUpMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return records->recordsBehind() > 0 ? 3 : 0;
}
