// The device folder: command frames byte for byte, the reply parser on a
// hostile line, the worker that turns the shared buffer into signals, the
// ledger of point numbers, the port list, and the link through the real
// window against the simulated calibrator on a faulty line.
#include "SimProcess.h"
#include "Workbench.h"
#include "app/GlobalState.h"
#include "device/CommandFrames.h"
#include "device/Frame.h"
#include "device/HandleThread.h"
#include "device/PointLedger.h"
#include "device/PortLister.h"
#include "device/ReplyParser.h"

#include <QtTest>

#include <QLabel>
#include <QSerialPort>
#include <QTemporaryDir>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// Replies as text: each letter, a point reply with its counts ("L V800,400").
QString describe(const QList<Reply> &replies)
{
    QStringList texts;
    for (const Reply &reply : replies) {
        texts << QString(QLatin1Char(reply.letter));
        if (reply.letter == 'V')
            texts.last() += QString::asprintf("%d,%d", reply.amplitudeRaw, reply.outputRaw);
    }
    return texts.join(' ');
}

QByteArray vibrate(int row, float amplitude, int sensorType, double frequency)
{
    return CommandFrames::vibrate(row, *CommandFrames::amplitudeCode(amplitude, sensorType),
                                  CommandFrames::frequencyCode(frequency));
}

const QByteArray pointReply = hex("21560B 0100 E803 1027 A50D");

void runWorker(const std::function<void(HandleThread &)> &body)
{
    HandleThread worker;
    body(worker);
    worker.requestInterruption();
    QVERIFY(worker.wait(5000));
}

QByteArray buffered()
{
    QMutexLocker locker(&rxMutex);
    return rxBuffer;
}

void append(const QByteArray &bytes)
{
    QMutexLocker locker(&rxMutex);
    rxBuffer += bytes;
}

// The status text, then whether Connect and Disconnect are enabled.
QString linkState(WorkbenchDriver &driver)
{
    return driver.widget<QLabel>("connectStatusLabel")->text() +
           (driver.widget("connectBtn")->isEnabled() ? " connect" : "") +
           (driver.widget("disconnectBtn")->isEnabled() ? " disconnect" : "");
}
} // namespace

class TestDevice : public QObject
{
    Q_OBJECT

private slots:
    void commandFrames_data();
    void commandFrames();
    void garbageNeverHoldsBackAReply_data();
    void garbageNeverHoldsBackAReply();
    void workerDropsAStalledFrame();
    void workerSignalsEveryReplyWithItsValues();
    void pointLedger_data();
    void pointLedger();
    void portList();
    void link();

private:
    QTemporaryDir m_dir;
};

void TestDevice::commandFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char *name, const QByteArray &frame, const char *expected) {
        QTest::newRow(name) << frame << hex(expected);
    };
    row("velocity, 4~20mA", CommandFrames::configure(1, 3), "2143070103 6F0D");
    row("no selection", CommandFrames::configure(-1, -1), "214307FFFF 690D");
    row("truncated toward zero", vibrate(0, 10.01f, 0, 160.99), "21560A 01 9001 A000 B30D");
    // 2.3f × 40 is 91.9999981; rounded to single precision it is 92.
    row("single precision product", vibrate(0, 2.3f, 0, 160), "21560A 01 5C00 A000 7E0D");
    row("50 mms^-1, row 255 is point 0", vibrate(255, 50, 1, 100), "21560A 00 C800 6400 AD0D");
}

void TestDevice::commandFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestDevice::garbageNeverHoldsBackAReply_data()
{
    QTest::addColumn<QByteArray>("garbage");
    const auto row = [](const char *name, const QByteArray &garbage) {
        QTest::newRow(name) << garbage;
    };
    row("two replies in one read", hex("214C05720D 215207 0201 7D0D"));
    row("noise byte", hex("FF"));
    row("lone start byte", hex("21"));
    row("wrong terminator", hex("214C05720A"));
    row("wrong checksum", hex("215207 0102 7E0D"));
    row("unknown letter", Frame::build('X', hex("0102")));
    row("L with a payload", Frame::build('L', hex("00")));
    row("length below 5", hex("215603 7A0D"));
    row("V too short", Frame::build('V', hex("0100E80310")));
    row("damaged length byte 1B", hex("21561B 0100 E803 1027 A50D"));
    row("false header 21 43 FF", hex("2143FF"));
    row("false header of 200 bytes with noise", hex("2156C8 0102 21 5207"));
    row("truncated reply", hex("21560B 0100 E8"));
}

// Whatever comes first, the reply behind it comes out of the very pass that
// gets its last byte, whether the stream arrives at once or a byte at a
// time, and nothing is left behind.
void TestDevice::garbageNeverHoldsBackAReply()
{
    QFETCH(QByteArray, garbage);
    QByteArray whole = garbage + pointReply;
    QVERIFY(describe(ReplyParser::parse(whole)).endsWith("V1000,10000"));
    QVERIFY(whole.isEmpty());
    QByteArray buffer;
    QStringList replies;
    for (const char byte : garbage + pointReply) {
        QVERIFY(!replies.join(' ').contains('V'));
        buffer += byte;
        const QString parsed = describe(ReplyParser::parse(buffer));
        if (!parsed.isEmpty())
            replies << parsed;
    }
    QVERIFY(replies.join(' ').endsWith("V1000,10000"));
    QVERIFY(buffer.isEmpty());
}

// A reply split across reads with a pause is taken; an incomplete frame that
// gets no further byte for seconds is dropped, so that a false header does not
// sit in the buffer in front of the next reply.
void TestDevice::workerDropsAStalledFrame()
{
    rxBuffer = pointReply.left(6);
    QStringList seen;
    runWorker([this, &seen](HandleThread &worker) {
        connect(&worker, &HandleThread::pointReplySignal, this,
                [&seen](int number) { seen << QString::number(number); });
        worker.start();
        QTest::qWait(700);
        append(pointReply.mid(6));
        QTRY_COMPARE(seen, QStringList{"1"});
        append(hex("2156FF 0102 21"));
        QTRY_VERIFY_WITH_TIMEOUT(buffered().isEmpty(), 5000);
        append(pointReply);
        QTRY_COMPARE(seen, (QStringList{"1", "1"}));
    });
}

// Every reply reaches the window through a queued signal that carries its
// values, so two replies of one pass keep their own: the worker writes no
// shared value.
void TestDevice::workerSignalsEveryReplyWithItsValues()
{
    rxBuffer = hex("214C05720D 215207 0201 7D0D 214307 0103 6F0D") + pointReply +
               Frame::build('R', hex("0003")) + Frame::build('V', hex("0200 2003 9001"));
    QStringList seen;
    runWorker([this, &seen](HandleThread &worker) {
        connect(&worker, &HandleThread::updateSignal, this,
                [&seen](InterfaceType_e type) { seen << QString::number(type); });
        connect(&worker, &HandleThread::typesReplySignal, this, [&seen](int sensor, int input) {
            seen << QString::asprintf("R%d,%d", sensor, input);
        });
        connect(&worker, &HandleThread::configReplySignal, this, [&seen] { seen << "C"; });
        connect(&worker, &HandleThread::pointReplySignal, this,
                [&seen](int number, int amplitude, int output) {
                    seen << QString::asprintf("V%d:%d,%d", number, amplitude, output);
                });
        worker.start();
        QTRY_COMPARE(seen, (QStringList{"2", "R2,1", "C", "V1:1000,10000", "R0,3", "V2:800,400"}));
    });
}

// Operations on the ledger ("begin U|E|N" for a link to a calibrator known
// as unknown, echoing or not echoing; "await n", "release", "timeout",
// "take n", "held" for taking the held reply), the verdicts of the takes
// (A accepted, N not awaited, M mismatched, H held) and what is known of the
// calibrator at the end.
void TestDevice::pointLedger_data()
{
    QTest::addColumn<QString>("operations");
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<QString>("echo");
    const auto row = [](const char *name, const QString &operations, const QString &verdicts,
                        const char *echo) {
        QTest::newRow(name) << operations << verdicts << QString(echo);
    };
    row("nothing awaited", "take 1", "N", "U");
    row("second copy of the answer", "await 1, take 1, take 1", "A N", "U");
    row("wait over", "await 1, release, take 1", "N", "U");
    row("two points echoed", "await 1, take 1, await 2, take 2", "A A", "E");
    row("unknown: awaited number beats a held one", "await 2, take 1, take 7, take 2", "H M A",
        "U");
    row("always 1",
        "await 1, take 1, await 2, take 1, held, await 3, take 1, held, await 4, take 1", "A H H A",
        "N");
    row("point 1 twice (stop, start) proves nothing", "await 1, take 1, release, await 1, take 1",
        "A A", "U");
    row("echoing: stray and earlier numbers refused", "begin E, await 3, take 99, take 2, take 3",
        "M M A", "E");
    row("echoing: silent timeout keeps it", "begin E, await 1, timeout", "", "E");
    row("echoing replaced by one that does not echo",
        "begin E, await 1, take 0, timeout, await 2, take 0", "M H", "U");
    row("not echoing: any number", "begin N, await 5, take 9", "A", "N");
    row("not echoing, then two points echoed", "begin N, await 1, take 1, await 2, take 2", "A A",
        "E");
    QString zeros = "await 1, take 0, held, await 2, take 0, held";
    for (int point = 3; point <= 260; ++point)
        zeros += QStringLiteral(", await %1, take 0").arg(point % 256);
    row("always 0 over 260 points", zeros, "H H" + QString(" A").repeated(258), "N");
}

void TestDevice::pointLedger()
{
    QFETCH(QString, operations);
    PointLedger ledger;
    QStringList verdicts;
    for (const QString &operation : operations.split(QStringLiteral(", "))) {
        const QString word = operation.section(' ', 0, 0);
        const QString argument = operation.section(' ', 1);
        const auto number = static_cast<quint8>(argument.toInt());
        if (word == "begin")
            ledger.begin(static_cast<PointLedger::Echo_e>(QString("UEN").indexOf(argument)));
        else if (word == "await")
            ledger.await(number);
        else if (word == "release")
            ledger.release();
        else if (word == "timeout")
            ledger.timedOut();
        else if (word == "held")
            ledger.takeHeld();
        else
            verdicts << QString("ANMH").at(ledger.take(number));
    }
    QTEST(verdicts.join(' '), "verdicts");
    QTEST(QString(QString("UEN").at(ledger.echo())), "echo");
}

// The ports named in RT58_EXTRA_PORTS come first, in their order; a port
// that does not open right now is not listed. (Every connect of the tests
// lists the ports again by a left press on the selector.)
void TestDevice::portList()
{
    SimProcess simA, simB;
    const QString a = m_dir.filePath("ttyA"), b = m_dir.filePath("ttyB");
    QVERIFY(simA.start(a) && simB.start(b));
    qputenv("RT58_EXTRA_PORTS", QFile::encodeName(b + "::" + m_dir.filePath("missing") + ":" + a));
    QCOMPARE(PortLister::openablePorts().mid(0, 2), (QStringList{b, a}));
    QSerialPort holder(b);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    QCOMPARE(PortLister::openablePorts().value(0), a);
}

// On a faulty line, where replies come late, in pieces and after noise (the
// receive log shows the whole buffer gathered so far), an impatient operator
// presses Connect again before the reply: the unanswered port is given up,
// so the second press connects, with the port's settings.
void TestDevice::link()
{
    Workbench bench;
    QVERIFY(bench.launch(Workbench::simulator(
        {"--delay", "300", "--noise", "7", "--split", "1", "--split-gap", "15"})));
    auto *ports = bench.widget<QComboBox>("serialPortComboBox");
    QTest::mouseClick(ports, Qt::LeftButton);
    ports->hidePopup();
    ports->setCurrentText(bench.link());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^接受指令:.*21 4C 05 72 0D$"));
    bench.click("connectBtn");
    QTRY_COMPARE(bench.frames("21"), QStringList{"21 4C 05 72 0D"});
    bench.click("connectBtn");
    QTRY_VERIFY(connectAcked && readAcked);
    QCOMPARE(linkState(bench), QString("已连接 disconnect"));
    const QSerialPort &port = *serialPort;
    QCOMPARE((QList<qint64>{port.baudRate(), port.dataBits(), port.parity(), port.stopBits(),
                            port.flowControl(), port.readBufferSize()}),
             (QList<qint64>{9600, 8, 0, 1, 0, 1024}));
}

QTEST_MAIN(TestDevice)
#include "tst_device.moc"
