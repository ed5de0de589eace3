// The run journal on its own: the bytes of its file, a row on disk as soon
// as it is recorded, and a disk that fills up. A journal that cannot be
// written at all is told in the window (tst_report).
#include "MessageLog.h"
#include "OfficeFiles.h"
#include "records/RunJournal.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {
const QByteArray byteOrderMark("\xEF\xBB\xBF");
const QDateTime start(QDate(2024, 5, 1), QTime(13, 45, 9));
const QStringList header{"序号", "幅值", "频率", "控制幅值", "灵敏度", "速度", "位移"};
const QByteArray headerLine = byteOrderMark + "序号,幅值,频率,控制幅值,灵敏度,速度,位移\r\n";
const QString unwritable = QStringLiteral("运行记录无法写入：");
} // namespace

class TestRunJournal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void init() { QDir(QStringLiteral("Results")).removeRecursively(); }
    void bytesOnDisk();
    void fullDiskKeepsTheFileWellFormed();
};

// BOM, header, CR LF, fields quoted as spreadsheet programs read them; each
// row in the file as soon as it is recorded; a row recorded again takes its
// old line's place; nothing after the run's end.
void TestRunJournal::bytesOnDisk()
{
    RunJournal journal;
    journal.begin(start, header);
    const QString path = QDir::current().absoluteFilePath("Results/2024-05-01_13-45-09.csv");
    QCOMPARE(journal.filePath(), path);
    QCOMPARE(OfficeFiles::read(path), headerLine);
    journal.record(0, {"1", "测试失败", "", ""});
    QCOMPARE(OfficeFiles::read(path), headerLine + "1,测试失败,,\r\n");
    journal.record(1, {"2", "a,b", "say \"hi\"", "x\ny", "r\rs", " lead", "\""});
    journal.record(0, {"1", "9.87 ms^-2"});
    const QByteArray lines =
        "1,9.87 ms^-2\r\n2,\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",\"r\rs\", lead,\"\"\"\"\r\n";
    QCOMPARE(OfficeFiles::read(path), headerLine + lines);
    journal.end();
    journal.record(2, {"3"});
    QCOMPARE(OfficeFiles::read(path), headerLine + lines);
}

// A disk that fills up mid-run: the row that did not fit is cut off, so the
// file stays well-formed, with one warning; once there is room again the next
// row brings every row back.
void TestRunJournal::fullDiskKeepsTheFileWellFormed()
{
    RunJournal journal;
    journal.begin(start, header);
    journal.record(0, {"1", "first"});
    const rlimit full{static_cast<rlim_t>(QFileInfo(journal.filePath()).size() + 5), RLIM_INFINITY};
    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    MessageLog warnings({unwritable});
    setrlimit(RLIMIT_FSIZE, &full);
    journal.record(1, {"2", "second row"});
    journal.record(2, {"3", "third row"});
    const QByteArray whileFull = OfficeFiles::read(journal.filePath());
    setrlimit(RLIMIT_FSIZE, &unlimited);
    journal.record(3, {"4", "fourth"});
    QCOMPARE(whileFull, headerLine + "1,first\r\n");
    QCOMPARE(warnings.count(unwritable), 1);
    QCOMPARE(OfficeFiles::read(journal.filePath()),
             headerLine + "1,first\r\n2,second row\r\n3,third row\r\n4,fourth\r\n");
}

QTEST_GUILESS_MAIN(TestRunJournal)
#include "tst_run_journal.moc"
