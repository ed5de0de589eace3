// A long run against a hostile calibrator, through the real main window. A
// fixed-seed plan delays most answers a little and some a lot, repeats some,
// drops two, puts damaged copies, line noise with start bytes, replays of
// earlier answers (late replies), answers with numbers of no point under test
// (stray replies) and link, unlink, types and configure replies nobody asked
// for in front of others, over enough points that the 8-bit point numbers
// wrap. Every row must keep its place and show its own point's result or fail,
// the scheme must go out exactly once and in order, the link must stay up with
// nothing sent but the scheme, and only a dropped point may wait for the 60 s
// timeout. Slow by nature (about four minutes, two of them the two timeouts):
// `ctest -LE slow` skips it.
#include "IgnoredReplyLog.h"
#include "ScriptedCalibrator.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"
#include "device/CommandFrames.h"
#include "device/Frame.h"
#include "ui/ResultCalculator.h"

#include <QtTest>

#include <QTemporaryDir>

#include <memory>

namespace {
constexpr int rowCount = 280;
constexpr int droppedCount = 2;
constexpr int timeoutMs = 60000;
const QString failedCells = QStringLiteral("测试失败|测试失败");

enum Damage_e
{
    NoDamage,
    LengthByte,
    Checksum,
    Truncated,
    FalseHeader,
    Noise
};

// What the calibrator does with one point.
struct PointPlan
{
    int delayMs = 0;
    bool dropped = false;
    Damage_e damage = NoDamage;
    int repeatDelayMs = -1;
    int strayRow = -1;
    int strayNumber = -1;
    QByteArray unrequested;
};

int outputCount(int row)
{
    return 100 + 7 * row;
}

int pointNumber(int row)
{
    return CommandFrames::pointNumber(row);
}

// Most answers are quick, so that the run takes little more than the polls.
int answerDelay(QRandomGenerator &random)
{
    const int draw = random.bounded(100);
    if (draw < 85)
        return random.bounded(30);
    if (draw < 97)
        return 100 + random.bounded(400);
    return 1000 + random.bounded(1500);
}

// An earlier row to replay, whose point number is neither the one under test
// nor the next one (a replay of those would be a valid answer after the wrap).
int strayRow(QRandomGenerator &random, int row)
{
    if (row == 0)
        return -1;
    const int earlier = qMax(0, row - 1 - random.bounded(50));
    const int number = pointNumber(earlier);
    return number == pointNumber(row) || number == pointNumber(row + 1) ? -1 : earlier;
}

// A point number other than the one under test.
int strayNumber(QRandomGenerator &random, int row)
{
    const int number = random.bounded(256);
    return number == pointNumber(row) ? -1 : number;
}

// A link, unlink, types or configure reply that no request asked for; the
// types and configure replies carry random bytes.
QByteArray unrequestedReply(QRandomGenerator &random)
{
    const char letter = "LSRC"[random.bounded(4)];
    QByteArray payload;
    if (letter == 'R' || letter == 'C')
        payload = QByteArray(1, static_cast<char>(random.bounded(256))) +
                  static_cast<char>(random.bounded(256));
    return Frame::build(letter, payload);
}

QVector<PointPlan> makePlan(quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<PointPlan> plan(rowCount);
    for (int row = 0; row < rowCount; ++row) {
        PointPlan &point = plan[row];
        point.delayMs = answerDelay(random);
        if (random.bounded(100) < 10)
            point.damage = static_cast<Damage_e>(1 + random.bounded(5));
        if (random.bounded(100) < 10)
            point.repeatDelayMs = random.bounded(600);
        if (random.bounded(100) < 6)
            point.strayRow = strayRow(random, row);
        // From the third point on, when the calibrator has shown that it
        // echoes point numbers.
        if (row >= 2 && random.bounded(100) < 4)
            point.strayNumber = strayNumber(random, row);
        if (row >= 2 && random.bounded(100) < 5)
            point.unrequested = unrequestedReply(random);
    }
    for (int dropped = 0; dropped < droppedCount;) {
        PointPlan &point = plan[10 + random.bounded(rowCount - 20)];
        dropped += point.dropped ? 0 : 1;
        point.dropped = true;
    }
    return plan;
}

QByteArray damaged(const QByteArray &answer, Damage_e damage, QRandomGenerator &random)
{
    QByteArray bytes = answer;
    switch (damage) {
    case LengthByte:
        bytes[2] = static_cast<char>(bytes.at(2) + 0x10);
        return bytes;
    case Checksum:
        bytes[bytes.size() - 2] = static_cast<char>(bytes.at(bytes.size() - 2) ^ 0x5A);
        return bytes;
    case Truncated:
        return bytes.left(3 + random.bounded(bytes.size() - 4));
    case FalseHeader:
        return QByteArray::fromHex("21") + QByteArray(1, "RCV"[random.bounded(3)]) +
               QByteArray(1, static_cast<char>(20 + random.bounded(236)));
    case Noise: {
        QByteArray noise(1 + random.bounded(12), Qt::Uninitialized);
        for (char &byte : noise)
            byte = static_cast<char>(random.bounded(4) == 0 ? 0x21 : random.bounded(256));
        return noise;
    }
    case NoDamage:
        break;
    }
    return {};
}

// The calibrator's side of the plan. It runs on the calibrator's thread and
// keeps the answers it gave, to replay them as strays.
class HostileScript
{
public:
    HostileScript(const QVector<PointPlan> &plan, QVector<qint64> &arrivals)
        : m_plan(plan), m_arrivals(arrivals), m_random(7)
    {
        m_clock.start();
    }

    QList<ScriptedCalibrator::Write> operator()(const QByteArray &command, int index)
    {
        m_arrivals.append(m_clock.elapsed());
        const QByteArray answer = ScriptedCalibrator::answer(command, outputCount(index));
        m_answers.append(answer);
        if (index >= m_plan.size())
            return {{0, answer}};
        const PointPlan &point = m_plan.at(index);
        QList<ScriptedCalibrator::Write> writes;
        if (point.strayRow >= 0)
            writes.append({0, m_answers.at(point.strayRow)});
        if (point.strayNumber >= 0)
            writes.append(
                {0, ScriptedCalibrator::pointReply(point.strayNumber, m_random.bounded(65536),
                                                   m_random.bounded(65536))});
        if (!point.unrequested.isEmpty())
            writes.append({0, point.unrequested});
        if (point.damage != NoDamage)
            writes.append({point.delayMs, damaged(answer, point.damage, m_random)});
        if (!point.dropped)
            writes.append({point.delayMs, answer});
        if (!point.dropped && point.repeatDelayMs >= 0)
            writes.append({point.delayMs + point.repeatDelayMs, answer});
        return writes;
    }

private:
    QVector<PointPlan> m_plan;
    QVector<qint64> &m_arrivals;
    QList<QByteArray> m_answers;
    QRandomGenerator m_random;
    QElapsedTimer m_clock;
};

// The result texts of a row answered with its own counts.
QString expectedResult(const QString &amplitudeCell, int row)
{
    const int code = *CommandFrames::amplitudeCode(amplitudeCell.toFloat(), 0);
    float amplitude = 0;
    ResultCalculator::controlAmplitude(0, 2 * code, &amplitude);
    const float sensitivity = ResultCalculator::sensitivity(outputCount(row), amplitude);
    return ResultCalculator::amplitudeText(amplitude, 0) + QLatin1Char('|') +
           ResultCalculator::sensitivityText(sensitivity, 0, 0);
}
} // namespace

class TestHostileCalibrator : public QObject
{
    Q_OBJECT

private slots:
    void everyResultLandsInItsOwnRow();
};

void TestHostileCalibrator::everyResultLandsInItsOwnRow()
{
    QTemporaryDir folder;
    const QString link = folder.filePath("ttyRT58");
    qputenv("RT58_EXTRA_PORTS", link.toLocal8Bit());
    const QVector<PointPlan> plan = makePlan(20240611);
    QVector<qint64> arrivals;
    ScriptedCalibrator calibrator(HostileScript(plan, arrivals));
    QVERIFY(calibrator.start(link));
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    QVERIFY(driver.connectTo(link));
    for (int row = 0; row < rowCount; ++row)
        driver.addPoint(QString::number(0.5 + 0.1 * row), QStringLiteral("160"));
    // The window logs every reply it ignores; the run counts them instead.
    auto ignoredReplies = std::make_unique<IgnoredReplyLog>();

    QElapsedTimer clock;
    clock.start();
    driver.click("startBtn");
    const qint64 runMs = clock.elapsed();
    QVERIFY(serialPort);
    QCOMPARE(driver.widget<QComboBox>("sensorTypeComboBox")->currentIndex(), 0);
    QCOMPARE(calibrator.receivedFrames().filter(QRegularExpression("^21 (52|43) ")).size(), 1);
    // Answers to earlier points after the run are strays too.
    for (int row = 0; row < rowCount; row += 10)
        calibrator.writeLater(
            row % 7, ScriptedCalibrator::answer(CommandFrames::vibrate(row, 80, 160), 12345));
    QTest::qWait(1000);
    calibrator.stop();
    const int ignored = ignoredReplies->count();
    ignoredReplies.reset();
    qInfo("%d points in %.1f s, %d replies ignored", rowCount, runMs / 1000.0, ignored);
    QVERIFY(ignored > 0);

    const QStringList order = driver.columnTexts(0);
    const QStringList amplitudes = driver.columnTexts(1);
    QCOMPARE(amplitudes.size(), rowCount);
    for (int row = 0; row < rowCount; ++row) {
        QCOMPARE(order.at(row), QString::number(row + 1));
        QCOMPARE(amplitudes.at(row), QString::number(0.5 + 0.1 * row, 'f', 2));
        const QString expected =
            plan.at(row).dropped ? failedCells : expectedResult(amplitudes.at(row), row);
        QVERIFY2(driver.rowText(row, 3, 4) == expected,
                 qPrintable(QStringLiteral("row %1: %2, expected %3")
                                .arg(row + 1)
                                .arg(driver.rowText(row, 3, 4), expected)));
    }
    QStringList expectedFrames;
    for (int row = 0; row < rowCount; ++row)
        expectedFrames << QStringLiteral("21 56 0A %1")
                              .arg(pointNumber(row), 2, 16, QLatin1Char('0'))
                              .toUpper();
    QStringList numbers;
    for (const QString &frame : calibrator.receivedFrames().filter("21 56 "))
        numbers << frame.left(11);
    QCOMPARE(numbers, expectedFrames);
    QCOMPARE(arrivals.size(), rowCount);
    for (int row = 0; row + 1 < rowCount; ++row) {
        const qint64 wait = arrivals.at(row + 1) - arrivals.at(row);
        const PointPlan &point = plan.at(row);
        if (point.dropped)
            QVERIFY2(wait > timeoutMs && wait < timeoutMs + 5000,
                     qPrintable(QString::number(wait)));
        else
            QVERIFY2(wait < point.delayMs + 5000,
                     qPrintable(QStringLiteral("row %1 took %2 ms").arg(row + 1).arg(wait)));
    }
}

QTEST_MAIN(TestHostileCalibrator)
#include "tst_hostile_calibrator.moc"
