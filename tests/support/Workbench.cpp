#include "Workbench.h"

#include "app/GlobalState.h"

#include <QtTest>

Workbench::Workbench(const QStringList &extraPorts)
    : m_link(m_folder.filePath(QStringLiteral("ttyRT58"))),
      m_messages({QStringLiteral("忽略测量回复"), QStringLiteral("串口已丢失")})
{
    qputenv("RT58_EXTRA_PORTS", QFile::encodeName((QStringList{m_link} + extraPorts).join(':')));
    reopenWindow();
}

void Workbench::reopenWindow()
{
    // The window's globals go with the old window before the new one sets
    // them up.
    if (m_window)
        m_window->close();
    m_window.reset();
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    drive(m_window.get());
}

Workbench::~Workbench() = default;

Workbench::Calibrator Workbench::simulator(const QStringList &options)
{
    return [options](Workbench &bench, const QString &link) {
        return bench.m_sim.start(link, options);
    };
}

Workbench::Calibrator Workbench::script(const ScriptedCalibrator::Script &script,
                                        const std::function<void(ScriptedCalibrator &)> &prepare)
{
    return [script, prepare](Workbench &bench, const QString &link) {
        if (!bench.m_scripted) {
            bench.m_scripted = std::make_unique<ScriptedCalibrator>(script);
            if (prepare)
                prepare(*bench.m_scripted);
        }
        return bench.m_scripted->start(link);
    };
}

ScriptedCalibrator::Script Workbench::answerAfter(int delayMs)
{
    return [delayMs](const QByteArray &command, int) {
        return QList<ScriptedCalibrator::Write>{
            {delayMs, ScriptedCalibrator::answer(command, 400)}};
    };
}

bool Workbench::start(const Calibrator &calibrator)
{
    return launch(calibrator) && connectTo(m_link);
}

bool Workbench::launch(const Calibrator &calibrator)
{
    m_calibrator = calibrator;
    return m_calibrator(*this, m_link);
}

void Workbench::loseLine()
{
    if (m_scripted)
        m_scripted->stop();
    else
        m_sim.kill();
}

bool Workbench::reconnect()
{
    return QTest::qWaitFor([] { return !serialPort; }, 5000) && connectTo(m_link);
}

bool Workbench::restart()
{
    return m_calibrator(*this, m_link) && reconnect();
}

QStringList Workbench::frames(const QString &prefix)
{
    const QStringList all = m_scripted ? m_scripted->receivedFrames() : m_sim.receivedFrames();
    return all.filter(QRegularExpression(QLatin1Char('^') + prefix));
}

void Workbench::whenVibrateFrames(int count, const std::function<void()> &action)
{
    auto *poll = new QTimer(m_window.get());
    QObject::connect(poll, &QTimer::timeout, [this, poll, count, action] {
        if (frames(QStringLiteral("21 56")).size() < count)
            return;
        poll->deleteLater();
        poll->stop();
        action();
    });
    poll->start(10);
}

void Workbench::addPoints(const QList<double> &amplitudes)
{
    for (const double amplitude : amplitudes)
        addPoint(QString::number(amplitude), QStringLiteral("160"));
}

void Workbench::run(int stopAfterMs)
{
    auto *start = widget<QPushButton>("startBtn");
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [start] {
        if (start->isChecked())
            QTest::mouseClick(start, Qt::LeftButton);
    });
    guard.start(stopAfterMs);
    click("startBtn");
}

void Workbench::settle()
{
    QTest::qWait(250);
}

QStringList amplitudeTexts(const QList<double> &amplitudes)
{
    QStringList texts;
    for (const double amplitude : amplitudes)
        texts << QString::number(amplitude, 'f', 2) + QStringLiteral(" ms^-2");
    return texts;
}
