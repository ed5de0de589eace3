#include "ScriptedCalibrator.h"

#include "device/Frame.h"
#include "sim/PseudoTerminal.h"

#include <QDebug>
#include <QTimer>

namespace {
// How often the calibrator's thread looks for work handed to it.
constexpr int taskPollMs = 2;

const QVector<FrameShape> commandShapes{
    {'L', 5, 5}, {'S', 5, 5}, {'R', 5, 5}, {'C', 7, 7}, {'V', 10, 10}};

int word(const QByteArray &frame, int offset)
{
    return static_cast<quint8>(frame.at(offset)) + 256 * static_cast<quint8>(frame.at(offset + 1));
}
} // namespace

ScriptedCalibrator::ScriptedCalibrator(Script script)
    : m_script(std::move(script)), m_context(new QObject), m_cutter(commandShapes)
{
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::started, m_context, [this] {
        m_taskPoll = new QTimer(m_context);
        QObject::connect(m_taskPoll, &QTimer::timeout, m_context, [this] { runTasks(); });
        m_taskPoll->start(taskPollMs);
    });
    m_thread.start();
}

// Nothing runs on the calibrator's thread after the last task: its timers
// stop there.
ScriptedCalibrator::~ScriptedCalibrator()
{
    stop();
    runOnThread(
        [this] {
            if (m_timer)
                m_timer->stop();
            m_taskPoll->stop();
        },
        true);
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

bool ScriptedCalibrator::start(const QString &linkPath)
{
    bool opened = false;
    runOnThread([&] { openOnThread(linkPath, opened); }, true);
    return opened;
}

void ScriptedCalibrator::stop()
{
    runOnThread(
        [this] {
            delete m_terminal;
            m_terminal = nullptr;
            m_queue.clear();
        },
        true);
}

void ScriptedCalibrator::writeLater(int delayMs, const QByteArray &bytes)
{
    runOnThread([=] { schedule(delayMs, bytes); }, false);
}

void ScriptedCalibrator::setTypes(int sensorType, int inputType, int delayMs)
{
    runOnThread(
        [=] {
            m_typesPayload =
                QByteArray(1, static_cast<char>(sensorType)) + static_cast<char>(inputType);
            m_typesDelayMs = delayMs;
        },
        true);
}

void ScriptedCalibrator::runOnThread(std::function<void()> task, bool wait)
{
    std::unique_lock<std::mutex> locker(m_lock);
    m_tasks.push_back(std::move(task));
    const int done = m_tasksRun + static_cast<int>(m_tasks.size());
    if (wait)
        m_taskDone.wait(locker, [&] { return m_tasksRun >= done; });
}

void ScriptedCalibrator::runTasks()
{
    std::unique_lock<std::mutex> locker(m_lock);
    while (!m_tasks.empty()) {
        const std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        locker.unlock();
        task();
        locker.lock();
        ++m_tasksRun;
    }
    m_taskDone.notify_all();
}

QStringList ScriptedCalibrator::receivedFrames() const
{
    const std::lock_guard<std::mutex> locker(m_lock);
    return m_frames;
}

QByteArray ScriptedCalibrator::pointReply(int pointNumber, int amplitudeCount, int outputCount)
{
    QByteArray payload;
    for (const int value : {pointNumber, 0, amplitudeCount & 0xFF, amplitudeCount >> 8,
                            outputCount & 0xFF, outputCount >> 8})
        payload.append(static_cast<char>(value));
    return Frame::build('V', payload);
}

QByteArray ScriptedCalibrator::answer(const QByteArray &command, int outputCount)
{
    return pointReply(pointNumber(command), 2 * amplitudeCode(command), outputCount);
}

int ScriptedCalibrator::pointNumber(const QByteArray &command)
{
    return static_cast<quint8>(command.at(3));
}

int ScriptedCalibrator::amplitudeCode(const QByteArray &command)
{
    return word(command, 4);
}

void ScriptedCalibrator::openOnThread(const QString &linkPath, bool &opened)
{
    auto *terminal = new PseudoTerminal(m_context);
    QString error;
    if (!terminal->open(linkPath, error)) {
        qWarning().noquote() << "scripted calibrator:" << error;
        delete terminal;
        return;
    }
    m_terminal = terminal;
    QObject::connect(m_terminal, &PseudoTerminal::received, m_context,
                     [this](const QByteArray &bytes) { receive(bytes); });
    if (!m_timer) {
        m_timer = new QTimer(m_context);
        m_timer->setSingleShot(true);
        QObject::connect(m_timer, &QTimer::timeout, m_context, [this] { writeDue(); });
        m_clock.start();
    }
    m_pending.clear();
    opened = true;
}

void ScriptedCalibrator::receive(const QByteArray &bytes)
{
    m_pending.append(bytes);
    const QList<QByteArray> commands = m_cutter.cut(m_pending);
    for (const QByteArray &command : commands) {
        {
            const std::lock_guard<std::mutex> locker(m_lock);
            m_frames << QString::fromLatin1(command.toHex(' ').toUpper());
        }
        for (const Write &write : reply(command))
            schedule(write.delayMs, write.bytes);
    }
}

QList<ScriptedCalibrator::Write> ScriptedCalibrator::reply(const QByteArray &command)
{
    switch (command.at(1)) {
    case 'L':
    case 'S':
        return {{0, command}};
    case 'R':
        return {{m_typesDelayMs, Frame::build('R', m_typesPayload)}};
    case 'C':
        return {{0, Frame::build('C', command.mid(3, 2))}};
    default:
        return m_script(command, m_vibrateFrames++);
    }
}

// Writes keep their order when they fall due at the same time.
void ScriptedCalibrator::schedule(int delayMs, const QByteArray &bytes)
{
    if (!m_terminal)
        return;
    const qint64 due = m_clock.elapsed() + delayMs;
    int index = m_queue.size();
    while (index > 0 && m_queue.at(index - 1).dueMs > due)
        --index;
    m_queue.insert(index, {due, bytes});
    writeDue();
}

void ScriptedCalibrator::writeDue()
{
    while (m_terminal && !m_queue.isEmpty() && m_queue.first().dueMs <= m_clock.elapsed())
        m_terminal->write(m_queue.takeFirst().bytes);
    if (!m_queue.isEmpty())
        m_timer->start(
            static_cast<int>(qMax<qint64>(0, m_queue.first().dueMs - m_clock.elapsed())));
}
