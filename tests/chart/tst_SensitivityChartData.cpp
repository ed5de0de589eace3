#include "chart/SensitivityChartData.h"

#include <QTableWidget>
#include <QtTest>

using namespace SensitivityChartData;

class TestSensitivityChartData : public QObject
{
    Q_OBJECT

private slots:
    void rangeRule_data()
    {
        QTest::addColumn<QList<float>>("values");
        QTest::addColumn<float>("expectedMin");
        QTest::addColumn<float>("expectedMax");

        QTest::newRow("one point") << QList<float>{100} << 0.0f << 112.5f;
        QTest::newRow("two points") << QList<float>{500, 1000} << 437.5f << 1062.5f;
        QTest::newRow("lower end clamped") << QList<float>{10, 1000} << 0.0f << 1123.75f;
        QTest::newRow("all at one value") << QList<float>{160, 160, 160} << 0.0f << 180.0f;
        QTest::newRow("all failed") << QList<float>{0, 0, 0} << 0.0f << 0.0f;
        QTest::newRow("empty keeps home") << QList<float>{} << 3.0f << 7.0f;
    }

    void rangeRule()
    {
        QFETCH(QList<float>, values);
        float homeMin = 3;
        float homeMax = 7;
        applyRangeRule(values, homeMin, homeMax);
        QTEST(homeMin, "expectedMin");
        QTEST(homeMax, "expectedMax");
    }

    void sensitivityText_data()
    {
        QTest::addColumn<QString>("cellText");
        QTest::addColumn<QString>("cut");
        QTest::addColumn<float>("plotted");

        QTest::newRow("long decimals") << "1.23456"
                                       << "1.234" << 1.234f;
        QTest::newRow("with unit") << "1.000 Pc/ms^-2"
                                   << "1.000" << 1.0f;
        QTest::newRow("no point") << "12"
                                  << "12" << 12.0f;
        QTest::newRow("no point, long") << "12345"
                                        << "123" << 123.0f;
        QTest::newRow("empty cell") << ""
                                    << "" << 0.0f;
        QTest::newRow("failed point") << "测试失败"
                                      << "测试失" << 0.0f;
        QTest::newRow("zero amplitude") << "inf Pc/ms^-2"
                                        << "inf" << 0.0f;
        QTest::newRow("zero amplitude and output") << "nan mV/um"
                                                   << "nan" << 0.0f;
    }

    void sensitivityText()
    {
        QFETCH(QString, cellText);
        QTEST(cutSensitivityText(cellText), "cut");
        QTEST(numberFromText(cutSensitivityText(cellText)), "plotted");
    }

    // Rows entered in descending order, one without a frequency cell.
    void readTableOrdersRowsByFrequency()
    {
        QTableWidget table(4, 7);
        const QStringList frequencies{"1000.00", "500.00", "", "10.00"};
        const QStringList sensitivities{"4.000 Pc/ms^-2", "3.000 Pc/ms^-2", "x", "1.000"};
        for (int row = 0; row < table.rowCount(); ++row) {
            if (!frequencies.at(row).isEmpty())
                table.setItem(row, 2, new QTableWidgetItem(frequencies.at(row)));
            table.setItem(row, 4, new QTableWidgetItem(sensitivities.at(row)));
        }

        QList<float> chartX{5, 10, 30};
        QList<float> chartY{20, 30, 40};
        readTable(&table, chartX, chartY);
        sortByFrequency(chartX, chartY);
        QCOMPARE(chartX, (QList<float>{0, 10, 500, 1000}));
        QCOMPARE(chartY, (QList<float>{0, 1, 3, 4}));
    }
};

QTEST_MAIN(TestSensitivityChartData)
#include "tst_SensitivityChartData.moc"
