#include "app/ApplicationAttributes.h"
#include "app/MainProgram.h"
#include "device/PortLister.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ApplicationAttributes::apply();
    // The window's Init lists the serial ports; the slow part starts now.
    PortLister::prepareSystemPorts();
    QApplication app(argc, argv);
    return MainProgram::exec();
}
