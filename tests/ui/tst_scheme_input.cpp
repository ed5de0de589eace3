// The input rules of test points and the arithmetic of a measured point,
// with the worked examples computed by hand.
#include "ExampleRows.h"
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

// "typed => cell": full-width digits, point and letters count as ASCII ones,
// as Chinese input methods type them.
void TestSchemeInput::cleaning_data()
{
    addExampleRows({"-5 => 5.00", "1.2.3 => 1.23", "a.5b => 0.50", "１６０ => 160.00",
                    " 1 6０ => 160.00", "１２．５Ｈｚ => 12.50", "－１，５ => 15.00",
                    "一六〇 => 0.00"});
}

void TestSchemeInput::cleaning()
{
    QFETCH(QString, example);
    QCOMPARE(SchemeInput::cellText(SchemeInput::clean(example.section(" => ", 0, 0))),
             example.section(" => ", 1));
}

// "sensor type|amplitude|frequency => error"; no type, no range, but the
// frequency's code must fit its 16 bits.
void TestSchemeInput::limits_data()
{
    addExampleRows({"0|0|10 => ", "0|50|10000 => ",
                    "0|50.01|160 => Amplitude must be between 0 and 50",
                    "0|abc|160 => Amplitude must be between 0 and 50",
                    "0|10|9.99 => Frequency must be between 10 and 10000",
                    "1|10|150.5 => Frequency must be between 10 and 150",
                    "2|10|1501 => Frequency must be between 10 and 1500", "-1|10| => ",
                    "-1|10|65535.9 => ", "-1|10|70000 => Frequency must not exceed 65535"});
}

void TestSchemeInput::limits()
{
    QFETCH(QString, example);
    const QStringList input = example.section(" => ", 0, 0).split('|');
    const char *error = SchemeInput::amplitudeError(SchemeInput::clean(input.at(1)));
    if (!error)
        error = SchemeInput::frequencyError(SchemeInput::clean(input.at(2)), input.at(0).toInt());
    QCOMPARE(QString(error), example.section(" => ", 1));
}

// "sensor type|input type|amplitude count => control amplitude|sensitivity
// (output count 400)|the derived quantities at 100 Hz"; a type outside the
// lists gives texts without units.
void TestSchemeInput::workedResults_data()
{
    addExampleRows({"0|0|800 => 10.00 ms^-2|1.000 Pc/ms^-2|15.92 mms^-1|25.33 um",
                    "2|1|640 => 80.00 um|0.125 mV/um|31.58 ms^-2|50.27 mms^-1",
                    "1|3|80 => 10.00 mms^-1|1.000 mA/mms^-1|6.28 ms^-2|15.92 um",
                    "0|-1|800 => 10.00 ms^-2|1.000|15.92 mms^-1|25.33 um"});
}

void TestSchemeInput::workedResults()
{
    QFETCH(QString, example);
    const QStringList input = example.section(" => ", 0, 0).split('|');
    const int sensorType = input.at(0).toInt();
    float amplitude = -1;
    QVERIFY(ResultCalculator::controlAmplitude(sensorType, input.at(2).toInt(), &amplitude));
    const float sensitivity = ResultCalculator::sensitivity(400, amplitude);
    const auto derived = ResultCalculator::derivedTexts(sensorType, amplitude, 100);
    QCOMPARE(QStringList(
                 {ResultCalculator::amplitudeText(amplitude, sensorType),
                  ResultCalculator::sensitivityText(sensitivity, sensorType, input.at(1).toInt()),
                  derived.first, derived.second})
                 .join('|'),
             example.section(" => ", 1));
    QVERIFY(!ResultCalculator::controlAmplitude(-1, 800, &amplitude));
    QCOMPARE(ResultCalculator::amplitudeText(10, -1), QString("10.00"));
}

QTEST_GUILESS_MAIN(TestSchemeInput)
#include "tst_scheme_input.moc"
