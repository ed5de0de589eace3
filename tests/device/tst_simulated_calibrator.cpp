// The simulated calibrator's answers, read back with the program's own reply
// parser: stored types, counts that give back the commanded amplitude and the
// modelled sensitivity, and the fault options.
#include "device/CommandFrames.h"
#include "device/ReplyParser.h"
#include "sim/Calibrator.h"

#include <QtTest>

namespace {
SimOptions flatSensor()
{
    SimOptions options;
    options.resonanceHz = 0;
    return options;
}

// Sends one command and parses the single reply it gets.
Reply exchange(Calibrator &calibrator, const QByteArray &command)
{
    const QList<Calibrator::Exchange> exchanges = calibrator.receive(command);
    if (exchanges.size() != 1)
        return {};
    QByteArray reply = exchanges.first().reply;
    const QList<Reply> replies = ReplyParser::parse(reply);
    return replies.size() == 1 ? replies.first() : Reply{};
}

QByteArray vibrate(int row, float amplitude, int sensorType, double frequency)
{
    return CommandFrames::vibrate(row, *CommandFrames::amplitudeCode(amplitude, sensorType),
                                  CommandFrames::frequencyCode(frequency));
}
} // namespace

class TestSimulatedCalibrator : public QObject
{
    Q_OBJECT

private slots:
    void answersLinkUnlinkAndStoredTypes();
    void countsGiveCommandedAmplitudeAndSensitivity_data();
    void countsGiveCommandedAmplitudeAndSensitivity();
    void sensitivityRisesTowardsResonance();
    void faultOptions();
    void badOptionsRejected_data();
    void badOptionsRejected();
};

void TestSimulatedCalibrator::answersLinkUnlinkAndStoredTypes()
{
    SimOptions options = flatSensor();
    options.sensorType = 1;
    options.inputType = 2;
    Calibrator calibrator(options);
    QCOMPARE(exchange(calibrator, CommandFrames::link()).letter, 'L');
    const Reply stored = exchange(calibrator, CommandFrames::readTypes());
    QCOMPARE(stored.letter, 'R');
    QCOMPARE(stored.sensorType, 1);
    QCOMPARE(stored.inputType, 2);
    QCOMPARE(exchange(calibrator, CommandFrames::configure(2, 3)).letter, 'C');
    const Reply changed = exchange(calibrator, CommandFrames::readTypes());
    QCOMPARE(changed.sensorType, 2);
    QCOMPARE(changed.inputType, 3);
    QCOMPARE(exchange(calibrator, CommandFrames::unlink()).letter, 'S');
}

void TestSimulatedCalibrator::countsGiveCommandedAmplitudeAndSensitivity_data()
{
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<float>("amplitude");
    QTest::addColumn<double>("scale");
    QTest::newRow("10 ms^-2") << 0 << 10.0f << 0.0125;
    QTest::newRow("50 ms^-2") << 0 << 50.0f << 0.0125;
    QTest::newRow("12.5 mms^-1") << 1 << 12.5f << 0.125;
    QTest::newRow("80 um") << 2 << 80.0f << 0.125;
}

// The window computes count × 0.0125 (or × 0.125) and the sensitivity as
// output × 0.025 / amplitude: both must come back as commanded and modelled.
void TestSimulatedCalibrator::countsGiveCommandedAmplitudeAndSensitivity()
{
    QFETCH(int, sensorType);
    QFETCH(float, amplitude);
    QFETCH(double, scale);
    SimOptions options = flatSensor();
    options.sensitivity = 2.5;
    Calibrator calibrator(options);
    exchange(calibrator, CommandFrames::configure(sensorType, 0));
    const Reply reply = exchange(calibrator, vibrate(0, amplitude, sensorType, 160));
    QCOMPARE(reply.letter, 'V');
    const double controlAmplitude = reply.amplitudeRaw * scale;
    QCOMPARE(controlAmplitude, double(amplitude));
    QCOMPARE(reply.outputRaw * 0.025 / controlAmplitude, 2.5);
}

void TestSimulatedCalibrator::sensitivityRisesTowardsResonance()
{
    const SensorModel resonant(1.0, 30000, 0, 1);
    QVERIFY(qAbs(resonant.sensitivityAt(160) - 1.0) < 1e-4);
    QVERIFY(resonant.sensitivityAt(10000) > resonant.sensitivityAt(5000));
    QVERIFY(resonant.sensitivityAt(5000) > resonant.sensitivityAt(1000));
}

void TestSimulatedCalibrator::faultOptions()
{
    SimOptions options;
    QString message;
    QCOMPARE(SimOptions::parse({"rt58-sim", "--unanswered", "2,5", "--fixed-counts", "800,400"},
                               options, message),
             SimOptions::Run);
    Calibrator calibrator(options);
    const Reply fixed = exchange(calibrator, vibrate(0, 33.0f, 0, 500));
    QCOMPARE(fixed.amplitudeRaw, 800);
    QCOMPARE(fixed.outputRaw, 400);
    const QList<Calibrator::Exchange> unanswered = calibrator.receive(vibrate(4, 10.0f, 0, 160));
    QCOMPARE(unanswered.size(), 1);
    QVERIFY(unanswered.first().reply.isEmpty());
}

void TestSimulatedCalibrator::badOptionsRejected_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("sensor type") << QStringList{"--sensor-type", "3"};
    QTest::newRow("negative delay") << QStringList{"--delay", "-5"};
    QTest::newRow("fraction") << QStringList{"--split", "2.5"};
    QTest::newRow("one count") << QStringList{"--fixed-counts", "800"};
    QTest::newRow("count range") << QStringList{"--fixed-counts", "800,70000"};
    QTest::newRow("points") << QStringList{"--unanswered", "1,x"};
    QTest::newRow("stray argument") << QStringList{"now"};
}

void TestSimulatedCalibrator::badOptionsRejected()
{
    QFETCH(QStringList, arguments);
    SimOptions options;
    QString message;
    QCOMPARE(SimOptions::parse(QStringList{"rt58-sim"} + arguments, options, message),
             SimOptions::Invalid);
    QVERIFY(!message.isEmpty());
}

QTEST_GUILESS_MAIN(TestSimulatedCalibrator)
#include "tst_simulated_calibrator.moc"
