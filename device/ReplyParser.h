#pragma once

#include <QByteArray>
#include <QList>

// One reply of the calibrator, decoded. Only the fields of its letter are set.
// A 'V' reply echoes the point number of its vibrate frame in byte 3.
struct Reply
{
    char letter = 0;
    quint8 pointNumber = 0;
    qint32 sensorType = 0;
    qint32 inputType = 0;
    qint32 amplitudeRaw = 0;
    qint32 outputRaw = 0;
};

// One parsing pass over the receive buffer: takes every complete reply off
// its front, in arrival order, and drops whatever cannot be a reply.
// Accepted replies: L and S exactly as the fixed frames, R with at least
// 7 bytes, C of any length, V with at least 11 bytes.
class ReplyParser
{
public:
    static QList<Reply> parse(QByteArray &buffer);

private:
    static Reply decode(const QByteArray &frame);
    static qint32 unsignedWord(const QByteArray &frame, int offset);
};
