#pragma once

#include <QMetaType>

// Operation codes of MainWindow::changeInterface and the events that the device
// link and the reply parser report to the window.
enum InterfaceType_e : qint32
{
    Init = 0,
    Connected = 2,
    Disconnected = 3,
    DeviceTypes = 4,
    SensorTypeChanged = 5,
    RefreshHeaders = 6,
    InputTypeChanged = 7,
    AddRow = 8,
    ModifyRow = 9,
    DeleteRow = 10,
    Exported = 11,
    PointFailed = 12,
    PointResult = 13,
    TestStart = 14,
    TestFinished = 15,
};

Q_DECLARE_METATYPE(InterfaceType_e)

// Registers the type under its own name so that it passes queued connections.
void registerInterfaceType();
