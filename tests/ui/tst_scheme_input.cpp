// The input rules of test points and the arithmetic of a measured point,
// with the worked examples computed by hand.
#include "ui/ResultCalculator.h"
#include "ui/SchemeInput.h"

#include <QtTest>

class TestSchemeInput : public QObject
{
    Q_OBJECT

private slots:
    void cleaning_data();
    void cleaning();
    void limits_data();
    void limits();
    void workedResults_data();
    void workedResults();
};

void TestSchemeInput::cleaning_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("cell");
    QTest::newRow("minus removed") << "-5"
                                   << "5.00";
    QTest::newRow("points merged") << "1.2.3"
                                   << "1.23";
    QTest::newRow("leading point") << "a.5b"
                                   << "0.50";
    QTest::newRow("full-width digits") << "１６０"
                                       << "160.00";
    QTest::newRow("full-width mixed with spaces") << " 1 6０"
                                                  << "160.00";
    QTest::newRow("full-width point and unit") << "１２．５Ｈｚ"
                                               << "12.50";
    QTest::newRow("full-width minus and comma removed") << "－１，５"
                                                        << "15.00";
    QTest::newRow("Chinese numerals removed") << "一六〇"
                                              << "0.00";
}

void TestSchemeInput::cleaning()
{
    QFETCH(QString, raw);
    QTEST(SchemeInput::cellText(SchemeInput::clean(raw)), "cell");
}

// The amplitude limits, then the frequency limits of each sensor type.
void TestSchemeInput::limits_data()
{
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<QString>("amplitude");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("error");
    QTest::newRow("0 and 10") << 0 << "0"
                              << "10" << QString();
    QTest::newRow("50 and 10000") << 0 << "50"
                                  << "10000" << QString();
    QTest::newRow("50.01") << 0 << "50.01"
                           << "160"
                           << "Amplitude must be between 0 and 50";
    QTest::newRow("no amplitude") << 0 << "abc"
                                  << "160"
                                  << "Amplitude must be between 0 and 50";
    QTest::newRow("9.99 Hz") << 0 << "10"
                             << "9.99"
                             << "Frequency must be between 10 and 10000";
    QTest::newRow("velocity 150.5 Hz") << 1 << "10"
                                       << "150.5"
                                       << "Frequency must be between 10 and 150";
    QTest::newRow("displacement 1501 Hz") << 2 << "10"
                                          << "1501"
                                          << "Frequency must be between 10 and 1500";
    QTest::newRow("no type, no frequency check") << -1 << "10"
                                                 << "" << QString();
}

void TestSchemeInput::limits()
{
    QFETCH(int, sensorType);
    QFETCH(QString, amplitude);
    QFETCH(QString, frequency);
    const char *error = SchemeInput::amplitudeError(SchemeInput::clean(amplitude));
    if (!error)
        error = SchemeInput::frequencyError(SchemeInput::clean(frequency), sensorType);
    QTEST(error ? QString(error) : QString(), "error");
}

// Control amplitude, sensitivity and the two derived quantities at 100 Hz;
// a type outside the lists gives texts without units.
void TestSchemeInput::workedResults_data()
{
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<int>("inputType");
    QTest::addColumn<int>("amplitudeCount");
    QTest::addColumn<QString>("texts");
    QTest::newRow("acceleration PE")
        << 0 << 0 << 800 << "10.00 ms^-2|1.000 Pc/ms^-2|15.92 mms^-1|25.33 um";
    QTest::newRow("displacement") << 2 << 1 << 640
                                  << "80.00 um|0.125 mV/um|31.58 ms^-2|50.27 mms^-1";
    QTest::newRow("velocity 4-20mA")
        << 1 << 3 << 80 << "10.00 mms^-1|1.000 mA/mms^-1|6.28 ms^-2|15.92 um";
    QTest::newRow("no input type") << 0 << -1 << 800 << "10.00 ms^-2|1.000|15.92 mms^-1|25.33 um";
}

void TestSchemeInput::workedResults()
{
    QFETCH(int, sensorType);
    QFETCH(int, inputType);
    QFETCH(int, amplitudeCount);
    float amplitude = -1;
    QVERIFY(ResultCalculator::controlAmplitude(sensorType, amplitudeCount, &amplitude));
    const float sensitivity = ResultCalculator::sensitivity(400, amplitude);
    const auto derived = ResultCalculator::derivedTexts(sensorType, amplitude, 100);
    QTEST(QStringList({ResultCalculator::amplitudeText(amplitude, sensorType),
                       ResultCalculator::sensitivityText(sensitivity, sensorType, inputType),
                       derived.first, derived.second})
              .join('|'),
          "texts");
    QVERIFY(!ResultCalculator::controlAmplitude(-1, amplitudeCount, &amplitude));
    QCOMPARE(ResultCalculator::amplitudeText(10, -1), QString("10.00"));
}

QTEST_GUILESS_MAIN(TestSchemeInput)
#include "tst_scheme_input.moc"
