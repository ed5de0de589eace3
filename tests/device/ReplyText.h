#pragma once

#include "device/ReplyParser.h"

#include <QStringList>

// Replies as text: each letter with the values it carries, as in
// "L R-1,-1 C V1000,10000".
inline QString describe(const QList<Reply> &replies)
{
    QStringList texts;
    for (const Reply &reply : replies) {
        texts << QString(QLatin1Char(reply.letter));
        if (reply.letter == 'R')
            texts.last() += QString::asprintf("%d,%d", reply.sensorType, reply.inputType);
        if (reply.letter == 'V')
            texts.last() += QString::asprintf("%d,%d", reply.amplitudeRaw, reply.outputRaw);
    }
    return texts.join(QLatin1Char(' '));
}
