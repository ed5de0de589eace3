#include "app/GlobalState.h"
#include "app/InterfaceType.h"

#include <QtTest>

class TestGlobalState : public QObject
{
    Q_OBJECT

private slots:
    void textTablesHaveTheirEntries();
    void startValuesBeforeAnyConnect();
    void statusCodesFollowTheirTable_data();
    void statusCodesFollowTheirTable();
    void connectCodesInSequence();
    void codesOutsideTheTableChangeNothing();
    void interfaceTypeValuesAndMetaType();
};

namespace {
struct Flags
{
    bool values[10];
};

Flags snapshot()
{
    return {{connectSent, connectAcked, disconnectSent, disconnectAcked, readSent, readAcked,
             configSent, configAcked, pointSent, pointAcked}};
}

void setAllFlags(bool value)
{
    connectSent = connectAcked = disconnectSent = disconnectAcked = value;
    readSent = readAcked = configSent = configAcked = pointSent = pointAcked = value;
    chartCollapsed = stopRequested = value;
}
} // namespace

void TestGlobalState::textTablesHaveTheirEntries()
{
    QCOMPARE(connectStatusTexts.size(), 2);
    QCOMPARE(connectStatusTexts.at(0), (QStringList{"已连接", "已断开"}));
    QCOMPARE(connectStatusTexts.at(1), (QStringList{"Connected", "Disconnected"}));
    QCOMPARE(tipsTexts.size(), 2);
    QCOMPARE(tipsTexts.at(0).size(), 3);
    QCOMPARE(tipsTexts.at(1).size(), 3);
    QCOMPARE(tipsTexts.at(1).at(2),
             QString("2.You will see the sensitivities after you complete the test!"));
    QCOMPARE(tableHeaderSources.size(), 8);
    QCOMPARE(tableHeaderTexts.size(), 8);
    QCOMPARE(QString::fromUtf8(tableHeaderTexts.at(3)), QString("控制幅度"));
    QCOMPARE(sensorTypeUnits, (QStringList{"ms^-2", "mms^-1", "um"}));
    QCOMPARE(inputTypeUnits, (QStringList{"Pc", "mV", "mV", "mA"}));
    QCOMPARE(sensitivityAxisTitles.size(), 3);
    QCOMPARE(startStopTexts.size(), 2);
    for (const QStringList &table : {sensorTypeUnits, inputTypeUnits, connectStatusZh, tipsZh})
        QVERIFY(!table.last().isEmpty());
    QCOMPARE(pi, static_cast<float>(M_PI));
}

void TestGlobalState::startValuesBeforeAnyConnect()
{
    QCOMPARE(serialPort, nullptr);
    QVERIFY(rxBuffer.isEmpty());
    QVERIFY(!stopRequested);
    QCOMPARE(xAxisHomeMax, 11000.0f);
    QCOMPARE(yAxisHomeMax, 10.0f);
    QCOMPARE(chartFrequencies, (QList<float>{5, 10, 30}));
    QVERIFY(exportTempDir.isValid());
    QVERIFY(QDir(exportTempDir.path()).exists());
    QVERIFY(logName.isEmpty());
}

void TestGlobalState::statusCodesFollowTheirTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("pair");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<bool>("acked");
    const int pairs[] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    for (int code = 2; code <= 16; ++code) {
        const int step = (code - 2) % 3;
        QTest::addRow("code %d", code) << code << pairs[code - 2] << (step > 0) << (step == 2);
    }
}

void TestGlobalState::statusCodesFollowTheirTable()
{
    QFETCH(int, code);
    QFETCH(int, pair);
    QFETCH(bool, sent);
    QFETCH(bool, acked);
    for (bool start : {false, true}) {
        setAllFlags(start);
        updateStatus(code);
        const Flags after = snapshot();
        for (int i = 0; i < 10; ++i) {
            const bool expected = i == 2 * pair ? sent : i == 2 * pair + 1 ? acked : start;
            QCOMPARE(after.values[i], expected);
        }
        QCOMPARE(chartCollapsed, start);
        QCOMPARE(stopRequested, start);
    }
}

void TestGlobalState::connectCodesInSequence()
{
    setAllFlags(true);
    stopRequested = false;
    updateStatus(0);
    for (bool flag : snapshot().values)
        QVERIFY(!flag);
    QVERIFY(chartCollapsed);
    QVERIFY(!stopRequested);

    updateStatus(2);
    updateStatus(3);
    updateStatus(4);
    QVERIFY(connectSent && connectAcked);
    updateStatus(2);
    QVERIFY(!connectSent && !connectAcked);

    updateStatus(16);
    QVERIFY(pointSent && pointAcked);
}

void TestGlobalState::codesOutsideTheTableChangeNothing()
{
    for (bool start : {false, true}) {
        setAllFlags(start);
        for (int code : {-1, 1, 17, 100}) {
            updateStatus(code);
            for (bool flag : snapshot().values)
                QCOMPARE(flag, start);
            QCOMPARE(chartCollapsed, start);
        }
    }
}

void TestGlobalState::interfaceTypeValuesAndMetaType()
{
    QCOMPARE(sizeof(InterfaceType_e), size_t(4));
    QCOMPARE(int(Init), 0);
    QCOMPARE(int(Connected), 2);
    QCOMPARE(int(TestFinished), 15);
    registerInterfaceType();
    const int id = QMetaType::type("InterfaceType_e");
    QVERIFY(id != QMetaType::UnknownType);
    QCOMPARE(id, qMetaTypeId<InterfaceType_e>());
}

QTEST_GUILESS_MAIN(TestGlobalState)
#include "tst_globalstate.moc"
