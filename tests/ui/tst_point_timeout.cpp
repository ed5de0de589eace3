// A point that the calibrator never answers fails after 60 s and the run goes
// on with the next row; a point whose result arrived while a message box held
// the window for longer than that keeps its result. Slow by nature: `ctest -LE
// slow` skips it.
#include "SimProcess.h"
#include "WorkbenchDriver.h"

#include <QtTest>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTemporaryDir>

class TestPointTimeout : public QObject
{
    Q_OBJECT

private slots:
    void unansweredPointFailsAfterAMinute();
    void resultArrivedDuringLongCloseQuestionIsKept();
};

void TestPointTimeout::unansweredPointFailsAfterAMinute()
{
    QTemporaryDir folder;
    const QString link = folder.filePath("ttyRT58");
    qputenv("RT58_EXTRA_PORTS", link.toLocal8Bit());
    SimProcess sim;
    QVERIFY(sim.start(link, {"--unanswered", "1"}));
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    QVERIFY(driver.connectTo(link));
    driver.addPoint("10", "160");
    driver.addPoint("10", "160");

    QElapsedTimer clock;
    clock.start();
    driver.click("startBtn");
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed > 60000 && elapsed < 70000, qPrintable(QString::number(elapsed)));
    QCOMPARE(driver.rowText(0, 3, 4), QString("测试失败|测试失败"));
    QVERIFY(driver.rowText(1, 3, 3).endsWith("ms^-2"));
}

// The close question opens during point 1 and is answered Cancel only after
// more than a minute; the point's result came in the meantime.
void TestPointTimeout::resultArrivedDuringLongCloseQuestionIsKept()
{
    QTemporaryDir folder;
    const QString link = folder.filePath("ttyRT58");
    qputenv("RT58_EXTRA_PORTS", link.toLocal8Bit());
    SimProcess sim;
    QVERIFY(sim.start(link, {"--delay", "1000"}));
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    QVERIFY(driver.connectTo(link));
    driver.addPoint("10", "160");
    driver.addPoint("20", "160");

    QTimer::singleShot(300, &window, &QWidget::close);
    QTimer::singleShot(61500, &window, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->button(QMessageBox::Cancel)->click();
    });
    QElapsedTimer clock;
    clock.start();
    driver.click("startBtn");
    QVERIFY(clock.elapsed() > 61500);
    QVERIFY(window.isVisible());
    QCOMPARE(driver.rowText(0, 3, 3), QString("10.00 ms^-2"));
    QCOMPARE(driver.rowText(1, 3, 3), QString("20.00 ms^-2"));
}

QTEST_MAIN(TestPointTimeout)
#include "tst_point_timeout.moc"
