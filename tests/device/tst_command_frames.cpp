// The frames the program sends, byte for byte, and the codes inside them.
#include "device/CommandFrames.h"

#include <QtTest>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray vibrate(int row, float amplitude, int sensorType, double frequency)
{
    return CommandFrames::vibrate(row, *CommandFrames::amplitudeCode(amplitude, sensorType),
                                  CommandFrames::frequencyCode(frequency));
}
} // namespace

class TestCommandFrames : public QObject
{
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void amplitudeCode_data();
    void amplitudeCode();
    void frequencyCode();
};

void TestCommandFrames::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("link") << CommandFrames::link() << hex("214C05720D");
    QTest::newRow("unlink") << CommandFrames::unlink() << hex("215305790D");
    QTest::newRow("read types") << CommandFrames::readTypes() << hex("215205780D");
    QTest::newRow("configure template") << CommandFrames::configure(0, 0) << hex("2143070000 6B0D");
    QTest::newRow("velocity, 4~20mA") << CommandFrames::configure(1, 3) << hex("2143070103 6F0D");
    QTest::newRow("no selection") << CommandFrames::configure(-1, -1) << hex("214307FFFF 690D");
    QTest::newRow("10 ms^-2 at 160 Hz")
        << vibrate(0, 10, 0, 160) << hex("21560A 01 9001 A000 B30D");
    QTest::newRow("50 ms^-2 at 10000 Hz")
        << vibrate(1, 50, 0, 10000) << hex("21560A 02 D007 1027 910D");
    QTest::newRow("50 mms^-1, row 255 is point 0")
        << vibrate(255, 50, 1, 100) << hex("21560A 00 C800 6400 AD0D");
}

void TestCommandFrames::frames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestCommandFrames::amplitudeCode_data()
{
    QTest::addColumn<float>("amplitude");
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<int>("code");
    QTest::newRow("acceleration") << 50.0f << 0 << 2000;
    QTest::newRow("velocity") << 50.0f << 1 << 200;
    QTest::newRow("displacement") << 50.0f << 2 << 200;
    QTest::newRow("truncated toward zero") << 10.01f << 0 << 400;
    QTest::newRow("below the resolution") << 0.02f << 0 << 0;
    // 2.3f × 40 is 91.9999981 exactly; rounded to single precision it is 92.
    QTest::newRow("single precision product") << 2.3f << 0 << 92;
}

void TestCommandFrames::amplitudeCode()
{
    QFETCH(float, amplitude);
    QFETCH(int, sensorType);
    QFETCH(int, code);
    QCOMPARE(CommandFrames::amplitudeCode(amplitude, sensorType), std::optional<int>(code));
    QCOMPARE(CommandFrames::amplitudeCode(amplitude, 3), std::nullopt);
    QCOMPARE(CommandFrames::amplitudeCode(amplitude, -1), std::nullopt);
}

void TestCommandFrames::frequencyCode()
{
    QCOMPARE(CommandFrames::frequencyCode(10000.0), 10000);
    QCOMPARE(CommandFrames::frequencyCode(160.99), 160);
    QCOMPARE(CommandFrames::frequencyCode(qQNaN()), 0);
    QCOMPARE(CommandFrames::frequencyCode(1e12), std::numeric_limits<int>::max());
}

QTEST_APPLESS_MAIN(TestCommandFrames)
#include "tst_command_frames.moc"
