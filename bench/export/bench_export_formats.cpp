// The Export button's Excel workbook and PDF document for 1,000 result rows,
// from the click to the file on disk, best of 5 runs (--short: one run),
// with the processor time beside the elapsed time. The save dialog is
// answered as soon as it shows, the success box as soon as the file is
// written, when the time is taken.

#include "ModalAnswerer.h"
#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>

#include <cstdio>
#include <ctime>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int repetitions = application.arguments().contains("--short") ? 1 : 5;
    constexpr int rows = 1000;
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    ExportFile exportFile;
    exportFile.setUi(&ui);
    QPixmap chart(1006, 243);
    chart.fill(Qt::white);
    QPainter painter(&chart);
    painter.setPen(QPen(Qt::blue, 2));
    for (int x = 0; x < 990; x += 10)
        painter.drawLine(x, 120 + (x % 70), x + 10, 120 + ((x + 10) % 70));
    painter.end();
    exportFile.m_picture = chart;
    ui.tableWidget->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const QStringList texts{QString::number(row + 1), "10.00",     "160.00", "9.87 ms^-2",
                                "1.234 Pc/ms^-2",         "9.82 mm/s", "9.77 um"};
        for (int column = 0; column < texts.size(); ++column)
            ui.tableWidget->setItem(row, column, new QTableWidgetItem(texts.at(column)));
    }

    QString target;
    QElapsedTimer clock;
    qint64 fileWritten = 0;
    ModalAnswerer answerer(QMessageBox::Ok, 0);
    QObject::connect(&answerer, &ModalAnswerer::answering, [&](QWidget *modal) {
        if (!qobject_cast<QFileDialog *>(modal))
            fileWritten = clock.elapsed();
    });

    std::printf("Export button, %d rows, click to file on disk (best of %d)\n", rows, repetitions);
    std::printf("%-8s %8s %8s %9s\n", "format", "ms", "cpu ms", "file KiB");
    for (const char *suffix : {"xlsx", "pdf"}) {
        target = QDir::current().filePath(QStringLiteral("bench-report.") + suffix);
        answerer.setSaveFileAnswer(target);
        qint64 best = 0, processorBest = 0, kib = 0;
        for (int i = 0; i < repetitions; ++i) {
            QFile::remove(target);
            const std::clock_t processorStart = std::clock();
            clock.start();
            exportFile.doExport(ExportType::WordReport);
            const qint64 processor = (std::clock() - processorStart) * 1000 / CLOCKS_PER_SEC;
            best = i == 0 ? fileWritten : qMin(best, fileWritten);
            processorBest = i == 0 ? processor : qMin(processorBest, processor);
            kib = QFileInfo(target).size() / 1024;
        }
        QFile::remove(target);
        std::printf("%-8s %8lld %8lld %9lld\n", suffix, best, processorBest, kib);
    }
    return 0;
}
