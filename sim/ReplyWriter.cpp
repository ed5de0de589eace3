#include "sim/ReplyWriter.h"

#include "device/Frame.h"

ReplyWriter::ReplyWriter(const SimOptions &options, Sink sink, QObject *parent)
    : QObject(parent), m_delayMs(options.delayMs), m_splitBytes(options.splitBytes),
      m_splitGapMs(options.splitGapMs), m_noiseBytes(options.noiseBytes),
      m_falseStart(options.falseStart), m_sink(std::move(sink)), m_random(options.seed + 1)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ReplyWriter::writeDueChunks);
}

// Replies never overtake each other: each one is due no earlier than the last
// piece of the one before.
void ReplyWriter::send(const QByteArray &reply)
{
    const QByteArray bytes = lineNoise() + reply;
    const int pieceSize = m_splitBytes > 0 ? m_splitBytes : bytes.size();
    qint64 due = qMax(m_clock.elapsed() + m_delayMs, m_lastDueMs);
    for (int offset = 0; offset < bytes.size(); offset += pieceSize) {
        m_queue.append({due, bytes.mid(offset, pieceSize)});
        m_lastDueMs = due;
        due += m_splitGapMs;
    }
    scheduleNext();
}

// Random bytes, never the start byte, so that noise alone cannot open a frame;
// with false starts, a header that announces a frame which never completes
// validly, followed by random bytes of any value.
QByteArray ReplyWriter::lineNoise()
{
    QByteArray noise;
    if (m_falseStart) {
        const QByteArray letters("LSRCV");
        noise.append(Frame::startByte);
        noise.append(letters.at(m_random.bounded(letters.size())));
        noise.append(static_cast<char>(m_random.bounded(Frame::minimumLength, 256)));
    }
    for (int count = 0; count < m_noiseBytes; ++count) {
        char byte = 0;
        do {
            byte = static_cast<char>(m_random.bounded(256));
        } while (byte == Frame::startByte && !m_falseStart);
        noise.append(byte);
    }
    return noise;
}

void ReplyWriter::writeDueChunks()
{
    const qint64 now = m_clock.elapsed();
    while (!m_queue.isEmpty() && m_queue.first().dueMs <= now)
        m_sink(m_queue.takeFirst().bytes);
    scheduleNext();
}

void ReplyWriter::scheduleNext()
{
    if (m_queue.isEmpty())
        return;
    const qint64 wait = qMax<qint64>(0, m_queue.first().dueMs - m_clock.elapsed());
    m_timer.start(static_cast<int>(wait));
}
