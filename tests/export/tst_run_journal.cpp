#include "records/RunJournal.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// The run journal on its own: the bytes of its file, a row on disk as soon
// as it is recorded, one file per run, and a journal that cannot be written.

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");
const QDateTime start(QDate(2024, 5, 1), QTime(13, 45, 9));
const QStringList header{"序号", "幅值", "频率", "控制幅值", "灵敏度", "速度", "位移"};
const QByteArray headerLine = "序号,幅值,频率,控制幅值,灵敏度,速度,位移\r\n";

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        warnings << message;
}

} // namespace

class TestRunJournal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void init()
    {
        QDir(QStringLiteral("Results")).removeRecursively();
        QFile::remove(QStringLiteral("Results"));
        warnings.clear();
    }

    // BOM, header, CR LF, quoting by RFC 4180; each row readable from the
    // file as soon as it is recorded, before the run ends.
    void bytesOnDisk()
    {
        RunJournal journal;
        journal.begin(start, header);
        const QString path = QDir::current().absoluteFilePath("Results/2024-05-01_13-45-09.csv");
        QCOMPARE(journal.filePath(), path);
        QCOMPARE(readFile(path), byteOrderMark + headerLine);
        const QList<QPair<QStringList, QByteArray>> rows{
            {{"1", "10.00", "160.00", "9.87 ms^-2", "1.234 Pc/ms^-2", "9.82 mms^-1", "9.77 um"},
             "1,10.00,160.00,9.87 ms^-2,1.234 Pc/ms^-2,9.82 mms^-1,9.77 um\r\n"},
            {{"2", "5.00", "80.00", "测试失败", "测试失败", "", ""},
             "2,5.00,80.00,测试失败,测试失败,,\r\n"},
            {{"3", "a,b", "say \"hi\"", "x\ny", "r\rs", " lead", "\""},
             "3,\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",\"r\rs\", lead,\"\"\"\"\r\n"},
        };
        QByteArray expected = byteOrderMark + headerLine;
        for (int row = 0; row < rows.size(); ++row) {
            journal.record(row, rows.at(row).first);
            expected += rows.at(row).second;
            QCOMPARE(readFile(path), expected);
        }
        journal.end();
        journal.record(3, rows.first().first);
        QCOMPARE(readFile(path), expected);
        QCOMPARE(warnings, QStringList());
    }

    // A second run, in the same second or later, gets a file of its own and
    // leaves the first one as it was; nothing is written outside a run.
    void eachRunItsOwnFile()
    {
        RunJournal journal;
        journal.record(0, {"1"});
        QVERIFY(!QDir("Results").exists());
        journal.begin(start, header);
        journal.record(0, {"1"});
        journal.begin(start, header);
        journal.record(0, {"2"});
        journal.begin(start.addSecs(1), header);
        journal.end();
        QCOMPARE(QDir("Results").entryList(QDir::Files),
                 (QStringList{"2024-05-01_13-45-09.csv", "2024-05-01_13-45-09_2.csv",
                              "2024-05-01_13-45-10.csv"}));
        QCOMPARE(readFile("Results/2024-05-01_13-45-09.csv"), byteOrderMark + headerLine + "1\r\n");
        QCOMPARE(readFile("Results/2024-05-01_13-45-09_2.csv"),
                 byteOrderMark + headerLine + "2\r\n");
        QCOMPARE(readFile("Results/2024-05-01_13-45-10.csv"), byteOrderMark + headerLine);
    }

    // A row recorded again with other texts takes its old line's place; the
    // same texts again change nothing.
    void changedRowReplacesItsLine()
    {
        RunJournal journal;
        journal.begin(start, header);
        journal.record(0, {"1", "测试失败"});
        journal.record(1, {"2", "b"});
        journal.record(0, {"1", "9.87 ms^-2"});
        journal.record(1, {"2", "b"});
        journal.record(2, {"3", "c"});
        QCOMPARE(readFile(journal.filePath()),
                 byteOrderMark + headerLine + "1,9.87 ms^-2\r\n2,b\r\n3,c\r\n");
        QCOMPARE(QDir("Results").entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // A folder that cannot be made: one warning per run, and the run goes on.
    void unwritableFolderWarnsOncePerRun()
    {
        QFile blocker("Results");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qInstallMessageHandler(keepWarnings);
        RunJournal journal;
        for (int run = 0; run < 2; ++run) {
            journal.begin(start.addSecs(run), header);
            for (int row = 0; row < 3; ++row)
                journal.record(row, {QString::number(row + 1)});
            journal.end();
        }
        qInstallMessageHandler(nullptr);
        QCOMPARE(warnings.size(), 2);
        QVERIFY2(warnings.first().startsWith("运行记录无法写入："), qPrintable(warnings.first()));
        QCOMPARE(readFile("Results"), QByteArray());
    }

    // A disk that fills up mid-run: the row that did not fit is cut off, so
    // the file stays well-formed, with one warning; once there is room again
    // the next row brings every row back.
    void fullDiskKeepsTheFileWellFormed()
    {
        RunJournal journal;
        journal.begin(start, header);
        journal.record(0, {"1", "first"});
        const qint64 size = QFileInfo(journal.filePath()).size();
        const rlimit full{static_cast<rlim_t>(size + 5), RLIM_INFINITY};
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        qInstallMessageHandler(keepWarnings);
        setrlimit(RLIMIT_FSIZE, &full);
        journal.record(1, {"2", "second row"});
        journal.record(2, {"3", "third row"});
        const QByteArray whileFull = readFile(journal.filePath());
        setrlimit(RLIMIT_FSIZE, &unlimited);
        journal.record(3, {"4", "fourth"});
        qInstallMessageHandler(nullptr);
        QCOMPARE(whileFull, byteOrderMark + headerLine + "1,first\r\n");
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(readFile(journal.filePath()), byteOrderMark + headerLine +
                                                   "1,first\r\n2,second row\r\n3,third row\r\n"
                                                   "4,fourth\r\n");
    }
};

QTEST_MAIN(TestRunJournal)
#include "tst_run_journal.moc"
