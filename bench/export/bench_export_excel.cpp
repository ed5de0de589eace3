// Excel report time for 1,000 and 10,000 result rows, from the call to the
// saved workbook. --short runs 1,000 rows once.

#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// Processor time of the process, in milliseconds: on a busy machine a
// steadier figure than the elapsed time.
qint64 processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void fillTable(QTableWidget *table, int rows)
{
    table->setRowCount(0);
    table->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const QStringList texts{QString::number(row + 1), "10.00", "160.00", "9.87 ms^-2",
                                "1.234 Pc/ms^-2"};
        for (int column = 0; column < texts.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(texts.at(column)));
    }
}

// Removes the dated reports that the export wrote beside the program and
// gives the size of the last one.
qint64 removeReports()
{
    QDir folder(QCoreApplication::applicationDirPath());
    qint64 size = 0;
    for (const QFileInfo &report : folder.entryInfoList({QStringLiteral("*.xlsx")}, QDir::Files)) {
        size = report.size();
        QFile::remove(report.filePath());
    }
    return size;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool quick = QCoreApplication::arguments().contains(QStringLiteral("--short"));
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    ExportFile exportFile;
    exportFile.setUi(&ui);

    const QList<int> sizes = quick ? QList<int>{1000} : QList<int>{1000, 10000};
    const int repetitions = quick ? 1 : 5;
    removeReports();
    std::printf("Excel report, call to saved workbook (best of %d)\n", repetitions);
    std::printf("%8s %10s %10s %10s\n", "rows", "ms", "cpu ms", "file KiB");
    for (int rows : sizes) {
        fillTable(ui.tableWidget, rows);
        qint64 best = -1;
        qint64 bestProcessor = -1;
        qint64 size = 0;
        for (int i = 0; i < repetitions; ++i) {
            QElapsedTimer clock;
            const qint64 processorStart = processorMs();
            clock.start();
            exportFile.doExport(5);
            const qint64 elapsed = clock.elapsed();
            const qint64 processor = processorMs() - processorStart;
            size = removeReports();
            best = best < 0 ? elapsed : std::min(best, elapsed);
            bestProcessor = bestProcessor < 0 ? processor : std::min(bestProcessor, processor);
        }
        std::printf("%8d %10lld %10lld %10lld\n", rows, static_cast<long long>(best),
                    static_cast<long long>(bestProcessor), static_cast<long long>(size / 1024));
    }
    return 0;
}
