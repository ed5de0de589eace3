#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>

class QPagedPaintDevice;
class QPainter;

// The report as a PDF document drawn by Qt: A4 portrait, the title, the date
// line, optionally a certificate block, the results table with its header
// row at the top of every page, and the chart picture. Texts are real text
// in embedded fonts.
class PdfReport
{
public:
    PdfReport(const QString &title, const QString &dateLine, const QStringList &header,
              const QVector<QStringList> &rows, const QImage &chart);

    // Lines of a certificate block below the date line.
    void setCertificate(const QStringList &lines) { m_certificate = lines; }

    // Writes the document to path; on failure, the reason goes to error and
    // the path is left as it was.
    bool write(const QString &path, QString *error) const;

private:
    void paint(QPainter &painter, QPagedPaintDevice &pages) const;
    int drawHeading(QPainter &painter, int width) const;
    int drawTable(QPainter &painter, QPagedPaintDevice &pages, int top) const;
    void drawChart(QPainter &painter, QPagedPaintDevice &pages, int top) const;
    QVector<int> columnWidths(QPainter &painter, int width) const;
    QVector<int> naturalWidths(const QPainter &painter) const;
    void drawRow(QPainter &painter, const QStringList &cells, const QVector<int> &widths, int top,
                 int height, bool header) const;

    QString m_title;
    QString m_dateLine;
    QStringList m_certificate;
    QStringList m_header;
    QVector<QStringList> m_rows;
    QImage m_chart;
};
