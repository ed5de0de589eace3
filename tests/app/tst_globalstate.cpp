#include "app/GlobalState.h"
#include "app/InterfaceType.h"

#include <QtTest>

class TestGlobalState : public QObject
{
    Q_OBJECT

private slots:
    void tablesAndStartValues();
    void statusCodes_data();
    void statusCodes();
    void interfaceTypeMetaType();
};

namespace {
QList<bool *> pairedFlags()
{
    return {&connectSent, &connectAcked, &disconnectSent, &disconnectAcked, &readSent,
            &readAcked,   &configSent,   &configAcked,    &pointSent,       &pointAcked};
}
} // namespace

void TestGlobalState::tablesAndStartValues()
{
    QCOMPARE(connectStatusTexts,
             (QList<QStringList>{{"已连接", "已断开"}, {"Connected", "Disconnected"}}));
    QCOMPARE(tipsTexts.size(), 2);
    QCOMPARE(tipsTexts.at(0).size(), 3);
    QCOMPARE(tipsTexts.at(1).last(),
             QString("2.You will see the sensitivities after you complete the test!"));
    QCOMPARE(tableHeaderSources.size(), 8);
    QCOMPARE(QString::fromUtf8(tableHeaderTexts.at(3)), QString("控制幅度"));
    QCOMPARE(inputTypeUnits, (QStringList{"Pc", "mV", "mV", "mA"}));
    QCOMPARE(sensorTypeUnits.last(), QString("um"));
    QCOMPARE(pi, static_cast<float>(M_PI));
    QCOMPARE(serialPort, nullptr);
    QVERIFY(rxBuffer.isEmpty() && !stopRequested && logName.isEmpty());
    QCOMPARE((QList<float>{xAxisHomeMin, xAxisHomeMax, yAxisHomeMin, yAxisHomeMax}),
             (QList<float>{0, 11000, 0, 10}));
    QVERIFY(QDir(exportTempDir.path()).exists());
}

// Each code sets one pair to (sent, acked) and leaves everything else alone,
// except that a connect request (code 2) also clears the disconnect pair, so
// that an unlink of an earlier link does not count against the new one; code
// 0 clears every pair and marks the chart panel collapsed.
void TestGlobalState::statusCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("pair");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<bool>("acked");
    QTest::addColumn<int>("clearedPair");
    for (int code = 2; code <= 16; ++code) {
        const int step = (code - 2) % 3;
        QTest::addRow("code %d", code)
            << code << (code - 2) / 3 << (step > 0) << (step == 2) << (code == 2 ? 1 : -1);
    }
    for (int code : {-1, 1, 17})
        QTest::addRow("code %d does nothing", code) << code << -1 << false << false << -1;
}

void TestGlobalState::statusCodes()
{
    QFETCH(int, code);
    QFETCH(int, pair);
    QFETCH(bool, sent);
    QFETCH(bool, acked);
    QFETCH(int, clearedPair);
    for (bool start : {false, true}) {
        for (bool *flag : pairedFlags())
            *flag = start;
        chartCollapsed = stopRequested = start;
        updateStatus(code);
        for (int i = 0; i < 10; ++i) {
            const bool expected = i == 2 * pair          ? sent
                                  : i == 2 * pair + 1    ? acked
                                  : i / 2 == clearedPair ? false
                                                         : start;
            QCOMPARE(*pairedFlags().at(i), expected);
        }
        QCOMPARE(chartCollapsed, start);
        QCOMPARE(stopRequested, start);
    }
    updateStatus(0);
    for (bool *flag : pairedFlags())
        QVERIFY(!*flag);
    QVERIFY(chartCollapsed);
}

void TestGlobalState::interfaceTypeMetaType()
{
    QCOMPARE(sizeof(InterfaceType_e), size_t(4));
    registerInterfaceType();
    QCOMPARE(QMetaType::type("InterfaceType_e"), qMetaTypeId<InterfaceType_e>());
}

QTEST_GUILESS_MAIN(TestGlobalState)
#include "tst_globalstate.moc"
