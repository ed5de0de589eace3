#pragma once

#include "sim/SimOptions.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <functional>

// Puts replies on the line in order, with the faults the options ask for:
// a delay before each reply, line noise in front of it (with a false frame
// header when asked), and pieces written separately with a pause between them.
class ReplyWriter : public QObject
{
    Q_OBJECT

public:
    using Sink = std::function<void(const QByteArray &)>;

    ReplyWriter(const SimOptions &options, Sink sink, QObject *parent = nullptr);

    void send(const QByteArray &reply);

private:
    struct Chunk
    {
        qint64 dueMs;
        QByteArray bytes;
    };

    QByteArray lineNoise();
    void writeDueChunks();
    void scheduleNext();

    int m_delayMs;
    int m_splitBytes;
    int m_splitGapMs;
    int m_noiseBytes;
    bool m_falseStart;
    Sink m_sink;
    QRandomGenerator m_random;
    QElapsedTimer m_clock;
    QTimer m_timer;
    QList<Chunk> m_queue;
    qint64 m_lastDueMs = 0;
};
