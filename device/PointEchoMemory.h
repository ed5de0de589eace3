#pragma once

#include "device/PointLedger.h"

#include <QString>

// What the calibrator on each port has shown about the point numbers of its
// replies, kept in ./config.ini (group "PointNumbers") so that a program
// start does not have to learn it again.
class PointEchoMemory
{
public:
    PointEchoMemory() = delete;

    static PointLedger::Echo_e recall(const QString &portName);
    static void remember(const QString &portName, PointLedger::Echo_e echo);
};
