#include "ui/ResultCalculator.h"
#include "ui/SchemeInput.h"

#include <QtTest>

class TestSchemeInput : public QObject
{
    Q_OBJECT

private slots:
    void cleaning_data();
    void cleaning();
    void amplitudeLimits_data();
    void amplitudeLimits();
    void frequencyLimitsFollowTheSensorType_data();
    void frequencyLimitsFollowTheSensorType();
    void workedResults_data();
    void workedResults();
    void unitsForTypesOutsideTheLists();
};

void TestSchemeInput::cleaning_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("cleaned");
    QTest::addColumn<QString>("cell");
    QTest::newRow("minus removed") << "-5"
                                   << "5"
                                   << "5.00";
    QTest::newRow("points merged") << "1.2.3"
                                   << "1.23"
                                   << "1.23";
    QTest::newRow("unit removed") << "12.5Hz"
                                  << "12.5"
                                  << "12.50";
    QTest::newRow("single point") << "."
                                  << "."
                                  << "0.00";
    QTest::newRow("leading point") << "a.5b"
                                   << ".5"
                                   << "0.50";
    QTest::newRow("full-width digits") << "１６０"
                                       << "160"
                                       << "160.00";
    QTest::newRow("full-width mixed with spaces") << " 1 6０"
                                                  << "160"
                                                  << "160.00";
    QTest::newRow("full-width point and unit") << "１２．５Ｈｚ"
                                               << "12.5"
                                               << "12.50";
    QTest::newRow("full-width minus and comma removed") << "－１，５"
                                                        << "15"
                                                        << "15.00";
    QTest::newRow("Chinese numerals removed") << "一六〇"
                                              << ""
                                              << "0.00";
    QTest::newRow("empty") << ""
                           << ""
                           << "0.00";
}

void TestSchemeInput::cleaning()
{
    QFETCH(QString, raw);
    QFETCH(QString, cleaned);
    QFETCH(QString, cell);
    QCOMPARE(SchemeInput::clean(raw), cleaned);
    QCOMPARE(SchemeInput::cellText(SchemeInput::clean(raw)), cell);
}

void TestSchemeInput::amplitudeLimits_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << "0" << true;
    QTest::newRow("50") << "50" << true;
    QTest::newRow("50.01") << "50.01" << false;
    QTest::newRow("-5 cleaned") << "-5" << true;
    QTest::newRow("point only") << "." << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters only") << "abc" << false;
}

void TestSchemeInput::amplitudeLimits()
{
    QFETCH(QString, raw);
    QFETCH(bool, accepted);
    const char *error = SchemeInput::amplitudeError(SchemeInput::clean(raw));
    QCOMPARE(error == nullptr, accepted);
    if (error)
        QCOMPARE(QString(error), QString("Amplitude must be between 0 and 50"));
}

void TestSchemeInput::frequencyLimitsFollowTheSensorType_data()
{
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("error");
    const QString acceleration = "Frequency must be between 10 and 10000";
    QTest::newRow("acc 10") << 0 << "10" << QString();
    QTest::newRow("acc 10000") << 0 << "10000" << QString();
    QTest::newRow("acc 9.99") << 0 << "9.99" << acceleration;
    QTest::newRow("acc 10000.5") << 0 << "10000.5" << acceleration;
    QTest::newRow("acc empty") << 0 << "" << acceleration;
    QTest::newRow("vel 150") << 1 << "150" << QString();
    QTest::newRow("vel 150.5") << 1 << "150.5"
                               << "Frequency must be between 10 and 150";
    QTest::newRow("disp 1500") << 2 << "1500" << QString();
    QTest::newRow("disp 1501") << 2 << "1501"
                               << "Frequency must be between 10 and 1500";
    QTest::newRow("no type, no range") << -1 << "" << QString();
    QTest::newRow("no type, 65535.9") << -1 << "65535.9" << QString();
    QTest::newRow("no type, 70000 would wrap") << -1 << "70000"
                                               << "Frequency must not exceed 65535";
}

void TestSchemeInput::frequencyLimitsFollowTheSensorType()
{
    QFETCH(int, sensorType);
    QFETCH(QString, raw);
    QFETCH(QString, error);
    const char *message = SchemeInput::frequencyError(SchemeInput::clean(raw), sensorType);
    QCOMPARE(message ? QString(message) : QString(), error);
}

void TestSchemeInput::workedResults_data()
{
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<int>("inputType");
    QTest::addColumn<int>("amplitudeCount");
    QTest::addColumn<int>("outputCount");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("acceleration PE")
        << 0 << 0 << 800 << 400
        << QStringList{"10.00 ms^-2", "1.000 Pc/ms^-2", "15.92 mms^-1", "25.33 um"};
    QTest::newRow("displacement") << 2 << 1 << 640 << 400
                                  << QStringList{"80.00 um", "0.125 mV/um", "31.58 ms^-2",
                                                 "50.27 mms^-1"};
    QTest::newRow("velocity 4-20mA")
        << 1 << 3 << 80 << 400
        << QStringList{"10.00 mms^-1", "1.000 mA/mms^-1", "6.28 ms^-2", "15.92 um"};
}

void TestSchemeInput::workedResults()
{
    QFETCH(int, sensorType);
    QFETCH(int, inputType);
    QFETCH(int, amplitudeCount);
    QFETCH(int, outputCount);
    QFETCH(QStringList, texts);
    float amplitude = -1;
    QVERIFY(ResultCalculator::controlAmplitude(sensorType, amplitudeCount, &amplitude));
    const float sensitivity = ResultCalculator::sensitivity(outputCount, amplitude);
    const auto derived = ResultCalculator::derivedTexts(sensorType, amplitude, 100);
    QCOMPARE((QStringList{ResultCalculator::amplitudeText(amplitude, sensorType),
                          ResultCalculator::sensitivityText(sensitivity, sensorType, inputType),
                          derived.first, derived.second}),
             texts);
}

void TestSchemeInput::unitsForTypesOutsideTheLists()
{
    float amplitude = 7;
    QVERIFY(!ResultCalculator::controlAmplitude(-1, 800, &amplitude));
    QCOMPARE(amplitude, 7.0f);
    QCOMPARE(ResultCalculator::amplitudeText(10, -1), QString("10.00"));
    QCOMPARE(ResultCalculator::sensitivityText(1, 5, 0), QString("1.000"));
    QCOMPARE(ResultCalculator::sensitivityText(1, 0, -1), QString("1.000"));
    QCOMPARE(ResultCalculator::derivedTexts(3, 10, 100), (QPair<QString, QString>()));
}

QTEST_GUILESS_MAIN(TestSchemeInput)
#include "tst_scheme_input.moc"
