// Report export times, median of 5 runs, with the processor time beside the
// elapsed time, as it is steadier on a busy machine:
// - the Word report from the click to the file on disk, for 10, 100, 1,000
//   and 10,000 result rows; the save dialog is answered as soon as it shows,
//   and the time until it has gone is shown apart;
// - the Excel report from the call to the saved workbook, for 1,000 and
//   10,000 rows.
// Then where the time goes, per report size: reading the template's zip,
// parsing its document part, serialising the filled part and zipping the
// filled package, each timed on its own; what is left of the click-to-file
// time is the editing through the automation layer, the chart picture and
// the copies.
// --short runs 10 and 1,000 rows once each.

#include "ModalAnswerer.h"
#include "Percentile.h"
#include "export/ExportFile.h"
#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/OfficePackage.h"
#include "export/office/ooxml/XlsxWorkbook.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMainWindow>
#include <QPainter>

#include <cstdio>
#include <ctime>
#include <functional>

namespace {

// Median milliseconds of a step, run the given number of times.
double medianMs(int runs, const std::function<void()> &step)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

void fillTable(QTableWidget *table, int rows)
{
    table->setRowCount(0);
    table->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const QStringList texts{QString::number(row + 1), "10.00",     "160.00", "9.87 ms^-2",
                                "1.234 Pc/ms^-2",         "9.82 mm/s", "9.77 um"};
        for (int column = 0; column < texts.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(texts.at(column)));
    }
}

struct Phases
{
    double unzip = 0;
    double parse = 0;
    double serialise = 0;
    double zip = 0;
};

// Phases of a Word report: the template read and parsed, the filled report
// serialised and zipped.
Phases wordPhases(const QString &templatePath, const QString &reportPath, int runs)
{
    const QString scratch = QDir::current().filePath("bench-phase.docx");
    QString error;
    Phases phases;
    phases.unzip = medianMs(runs, [&] { OfficePackage().load(templatePath, &error); });
    phases.parse = medianMs(runs, [&] { DocxDocument::open(templatePath, &error); }) - phases.unzip;
    const auto report = DocxDocument::open(reportPath, &error);
    const double saved = medianMs(runs, [&] { report->saveAs(scratch, &error); });
    phases.zip = medianMs(runs, [&] { report->package().save(scratch, &error); });
    phases.serialise = saved - phases.zip;
    QFile::remove(scratch);
    return phases;
}

// Phases of an Excel report: the template read and its sheet parsed, the
// filled sheet serialised and the package zipped.
Phases excelPhases(const QString &templatePath, const QString &reportPath, int runs)
{
    QString error;
    Phases phases;
    phases.unzip = medianMs(runs, [&] { OfficePackage().load(templatePath, &error); });
    phases.parse =
        medianMs(runs, [&] { XlsxWorkbook::open(templatePath, &error)->sheet(0, &error); }) -
        phases.unzip;
    const auto report = XlsxWorkbook::open(reportPath, &error);
    XlsxSheet *sheet = report->sheet(0, &error);
    sheet->setCellText(1, 1, "Order");
    phases.serialise = medianMs(runs, [&] { sheet->serialize(); });
    OfficePackage package;
    package.load(reportPath, &error);
    const QString scratch = QDir::current().filePath("bench-phase.xlsx");
    phases.zip = medianMs(runs, [&] { package.save(scratch, &error); });
    QFile::remove(scratch);
    return phases;
}

} // namespace

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
    const QString templates = QCoreApplication::applicationDirPath() + "/doc/";

    // Answers the save dialog with the target, and the message box that
    // follows the written file, noting when each is done.
    const QString target = QDir::current().filePath("bench-report.docx");
    const QString keptWordReport = QDir::current().filePath("bench-kept.docx");
    const QString keptExcelReport = QDir::current().filePath("bench-kept.xlsx");
    QFile::remove(target);
    QElapsedTimer clock;
    qint64 dialogGone = 0, fileWritten = 0;
    ModalAnswerer answerer(QMessageBox::Ok, 0);
    answerer.setSaveFileAnswer(target);
    QObject::connect(&answerer, &ModalAnswerer::answering, [&](QWidget *modal) {
        fileWritten = clock.nsecsElapsed();
        if (qobject_cast<QFileDialog *>(modal))
            QObject::connect(modal, &QObject::destroyed,
                             [&] { dialogGone = clock.nsecsElapsed(); });
    });

    // Exports a table of the given rows and prints the medians of the runs;
    // the last report is kept for the phase timings. Gives the median of
    // the click-to-file time.
    const auto measure = [&](int type, int rows) {
        fillTable(ui.tableWidget, rows);
        QList<double> elapsed, processor, dialog;
        qint64 kib = 0;
        for (int i = 0; i < repetitions; ++i) {
            const std::clock_t processorStart = std::clock();
            clock.start();
            exportFile.doExport(type);
            const qint64 ns = type == ExportType::WordReport ? fileWritten : clock.nsecsElapsed();
            elapsed.append(ns / 1e6);
            processor.append((std::clock() - processorStart) * 1000.0 / CLOCKS_PER_SEC);
            dialog.append(dialogGone / 1e6);
            // The Word report at the target, the Excel report beside the
            // program, named after the time.
            QFileInfoList reports =
                QDir(QCoreApplication::applicationDirPath()).entryInfoList({"*.xlsx"}, QDir::Files);
            for (const QFileInfo &report : reports << QFileInfo(target)) {
                if (!report.exists())
                    continue;
                kib = report.size() / 1024;
                const QString &kept =
                    type == ExportType::WordReport ? keptWordReport : keptExcelReport;
                QFile::remove(kept);
                QFile::rename(report.filePath(), kept);
            }
        }
        if (type == ExportType::WordReport)
            std::printf("%8d %8.1f %8.1f %18.1f %9lld\n", rows, median(elapsed), median(processor),
                        median(dialog), kib);
        else
            std::printf("%8d %8.1f %8.1f %9lld\n", rows, median(elapsed), median(processor), kib);
        return median(elapsed);
    };
    const auto printPhases = [](int rows, double total, const Phases &phases) {
        const double rest = total - phases.unzip - phases.parse - phases.serialise - phases.zip;
        std::printf("%8d %8.1f %8.1f %10.1f %8.1f %20.1f\n", rows, phases.unzip, phases.parse,
                    phases.serialise, phases.zip, rest);
    };
    const char *phaseHeader = "%8s %8s %8s %10s %8s %20s\n";

    const QList<int> wordSizes = quick ? QList<int>{10, 1000} : QList<int>{10, 100, 1000, 10000};
    std::printf("Word report, click to file on disk (median of %d)\n", repetitions);
    std::printf("%8s %8s %8s %18s %9s\n", "rows", "ms", "cpu ms", "until dialog gone", "file KiB");
    QList<QPair<int, Phases>> wordBreakdown;
    QList<double> wordTotals;
    for (int rows : wordSizes) {
        wordTotals.append(measure(ExportType::WordReport, rows));
        wordBreakdown.append(
            {rows, wordPhases(templates + "ExportWordBookmark.docx", keptWordReport, repetitions)});
    }
    std::printf("\nWord report, where the time goes (ms, medians)\n");
    std::printf(phaseHeader, "rows", "unzip", "parse", "serialise", "zip", "edit, picture, copy");
    for (int i = 0; i < wordBreakdown.size(); ++i)
        printPhases(wordBreakdown.at(i).first, wordTotals.at(i), wordBreakdown.at(i).second);

    const QList<int> excelSizes = quick ? QList<int>{1000} : QList<int>{1000, 10000};
    std::printf("\nExcel report, call to saved workbook (median of %d)\n", repetitions);
    std::printf("%8s %8s %8s %9s\n", "rows", "ms", "cpu ms", "file KiB");
    QList<QPair<int, Phases>> excelBreakdown;
    QList<double> excelTotals;
    for (int rows : excelSizes) {
        excelTotals.append(measure(ExportType::ExcelReport, rows));
        excelBreakdown.append(
            {rows, excelPhases(templates + "ExportExcel.xlsx", keptExcelReport, repetitions)});
    }
    std::printf("\nExcel report, where the time goes (ms, medians)\n");
    std::printf(phaseHeader, "rows", "unzip", "parse", "serialise", "zip", "edit, copy");
    for (int i = 0; i < excelBreakdown.size(); ++i)
        printPhases(excelBreakdown.at(i).first, excelTotals.at(i), excelBreakdown.at(i).second);
    QFile::remove(keptWordReport);
    QFile::remove(keptExcelReport);
    return 0;
}
