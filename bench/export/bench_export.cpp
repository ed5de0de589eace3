// Report export times, best of 5 runs, with the processor time beside the
// elapsed time, as it is steadier on a busy machine:
// - the Word report from the click to the file on disk, for 10, 1,000 and
//   10,000 result rows; the save dialog is answered as soon as it shows, and
//   the time until it has gone and the time from then on are shown apart;
// - the Excel report from the call to the saved workbook, for 1,000 and
//   10,000 rows.
// --short runs each size but 10,000 rows once.

#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <ctime>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool quick = application.arguments().contains("--short");
    const int repetitions = quick ? 1 : 5;
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    ExportFile exportFile;
    exportFile.setUi(&ui);
    QPixmap chart(900, 260);
    chart.fill(Qt::white);
    QPainter painter(&chart);
    painter.setPen(QPen(Qt::blue, 2));
    for (int x = 0; x < 880; x += 10)
        painter.drawLine(x, 130 + (x % 70), x + 10, 130 + ((x + 10) % 70));
    painter.end();
    exportFile.m_picture = chart;

    // Answers the save dialog with the target, and the message box that
    // follows the written file, noting when each is done.
    const QString target = QDir::current().filePath("bench-report.docx");
    QFile::remove(target);
    QElapsedTimer clock;
    qint64 dialogGone = 0, fileWritten = 0;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        fileWritten = clock.elapsed();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            QObject::connect(dialog, &QObject::destroyed, [&] { dialogGone = clock.elapsed(); });
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(target);
        }
        modal->accept();
    });
    answerer.start(0);

    // Prints the best of the runs of an export of a table of the given rows.
    const auto measure = [&](int type, int rows) {
        ui.tableWidget->setRowCount(0);
        ui.tableWidget->setRowCount(rows);
        for (int row = 0; row < rows; ++row) {
            const QStringList texts{QString::number(row + 1), "10.00",     "160.00", "9.87 ms^-2",
                                    "1.234 Pc/ms^-2",         "9.82 mm/s", "9.77 um"};
            for (int column = 0; column < texts.size(); ++column)
                ui.tableWidget->setItem(row, column, new QTableWidgetItem(texts.at(column)));
        }
        qint64 best = 0, processorBest = 0, dialog = 0, kib = 0;
        for (int i = 0; i < repetitions; ++i) {
            const std::clock_t processorStart = std::clock();
            clock.start();
            exportFile.doExport(type);
            const qint64 elapsed = type == 1 ? fileWritten : clock.elapsed();
            const qint64 processor = (std::clock() - processorStart) * 1000 / CLOCKS_PER_SEC;
            processorBest = i == 0 ? processor : qMin(processorBest, processor);
            dialog = i == 0 || elapsed < best ? dialogGone : dialog;
            best = i == 0 ? elapsed : qMin(best, elapsed);
            // The Word report at the target, the Excel report beside the
            // program, named after the time.
            QFileInfoList reports =
                QDir(QCoreApplication::applicationDirPath()).entryInfoList({"*.xlsx"}, QDir::Files);
            for (const QFileInfo &report : reports << QFileInfo(target)) {
                kib = report.exists() ? report.size() / 1024 : kib;
                QFile::remove(report.filePath());
            }
        }
        if (type == 1)
            std::printf("%8d %8lld %8lld %18lld %16lld %9lld\n", rows, best, processorBest, dialog,
                        best - dialog, kib);
        else
            std::printf("%8d %10lld %10lld %10lld\n", rows, best, processorBest, kib);
    };

    std::printf("Word report, click to file on disk (best of %d)\n", repetitions);
    std::printf("%8s %8s %8s %18s %16s %9s\n", "rows", "ms", "cpu ms", "until dialog gone",
                "dialog gone->file", "file KiB");
    for (int rows : quick ? QList<int>{10, 1000} : QList<int>{10, 1000, 10000})
        measure(1, rows);
    std::printf("\nExcel report, call to saved workbook (best of %d)\n", repetitions);
    std::printf("%8s %10s %10s %10s\n", "rows", "ms", "cpu ms", "file KiB");
    for (int rows : quick ? QList<int>{1000} : QList<int>{1000, 10000})
        measure(5, rows);
    return 0;
}
