// The program's window driven through one run, for tst_run_journal_e2e,
// which kills this process while the run goes on. Arguments: the port and
// the number of points.
#include "WorkbenchDriver.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc != 3)
        return 2;
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    if (!driver.connectTo(QString::fromLocal8Bit(argv[1])))
        return 1;
    const int points = QByteArray(argv[2]).toInt();
    for (int point = 0; point < points; ++point)
        driver.addPoint(QStringLiteral("10"), QString::number(100 + 10 * point));
    driver.click("startBtn");
    return 0;
}
