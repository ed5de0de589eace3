// The program as main runs it, under this probe's name, with a technician's
// hand on it, for tst_program, which signals or kills it. Arguments: the port
// to connect to and the number of points to run (none: only connect), or
// to add before Export is pressed when a third argument says "export"; with
// no arguments the window is left alone. It prints "shown" once the window
// is, and "dialog" while the save dialog of an export is open, which is left
// open; every box is answered, and its title and text are printed when the
// program ends.
#include "ModalAnswerer.h"
#include "WorkbenchDriver.h"
#include "app/ApplicationAttributes.h"
#include "app/MainProgram.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>

namespace {
void say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char *argv[])
{
    ApplicationAttributes::apply();
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    const bool exporting = arguments.value(2) == QLatin1String("export");
    ModalAnswerer answerer;
    if (exporting) {
        answerer.leaveFileDialogsOpen();
        QObject::connect(&answerer, &ModalAnswerer::answering, [] { say("dialog"); });
    }
    if (!arguments.isEmpty())
        qputenv("RT58_EXTRA_PORTS", QFile::encodeName(arguments.at(0)));
    QTimer::singleShot(0, [&arguments, exporting] {
        MainWindow *window = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            window = window ? window : qobject_cast<MainWindow *>(widget);
        if (!window)
            return;
        say("shown");
        if (arguments.isEmpty())
            return;
        WorkbenchDriver driver(*window);
        if (!driver.connectTo(arguments.at(0)))
            return;
        for (int point = 0; point < arguments.value(1).toInt(); ++point)
            driver.addPoint(QStringLiteral("10"), QString::number(100 + 10 * point));
        if (exporting)
            driver.click("exportBtn");
        else if (arguments.value(1).toInt() > 0)
            driver.click("startBtn");
    });
    const int code = MainProgram::exec();
    for (const QString &box : answerer.seen())
        say(qPrintable(box));
    return code;
}
