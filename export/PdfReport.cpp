#include "export/PdfReport.h"

#include "export/AtomicFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <numeric>

namespace {
constexpr int dotsPerInch = 300;
constexpr qreal marginMillimetres = 15;
constexpr qreal titlePointSize = 16;
constexpr qreal textPointSize = 10;
constexpr qreal tablePointSize = 9;
// A table too wide for the page is drawn smaller, down to this size.
constexpr qreal smallestTablePointSize = 5;
// Row height and cell padding, in parts of the font's height.
constexpr qreal rowHeightFactor = 1.6;
constexpr qreal paddingFactor = 0.3;
const QColor headerFill(0xE4, 0xEE, 0xFB);
const QColor gridColour(0x80, 0x80, 0x80);

int sum(const QVector<int> &values)
{
    return std::accumulate(values.cbegin(), values.cend(), 0);
}
} // namespace

PdfReport::PdfReport(const QString &title, const QString &dateLine, const QStringList &header,
                     const QVector<QStringList> &rows, const QImage &chart)
    : m_title(title), m_dateLine(dateLine), m_header(header), m_rows(rows), m_chart(chart)
{}

// The document is drawn into memory and then written as a whole file.
bool PdfReport::write(const QString &path, QString *error) const
{
    QByteArray document;
    QBuffer buffer(&document);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(m_title);
    writer.setCreator(QStringLiteral("RT-58A Calibration System"));
    writer.setResolution(dotsPerInch);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
        QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
        *error = QStringLiteral("cannot draw the document");
        return false;
    }
    paint(painter, writer);
    painter.end();
    return AtomicFile::write(path, document, error);
}

void PdfReport::paint(QPainter &painter, QPagedPaintDevice &pages) const
{
    const int width = painter.viewport().width();
    int top = drawHeading(painter, width);
    top = drawTable(painter, pages, top);
    drawChart(painter, pages, top);
}

// The title, centred, the date line and the certificate block below it;
// gives the height taken.
int PdfReport::drawHeading(QPainter &painter, int width) const
{
    QFont font = painter.font();
    font.setPointSizeF(titlePointSize);
    font.setBold(true);
    painter.setFont(font);
    const int titleHeight = painter.fontMetrics().height();
    painter.drawText(QRect(0, 0, width, titleHeight), Qt::AlignHCenter | Qt::AlignVCenter, m_title);
    font.setPointSizeF(textPointSize);
    font.setBold(false);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().height();
    const int dateTop = titleHeight + lineHeight;
    painter.drawText(QRect(0, dateTop, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     m_dateLine);
    int top = dateTop + lineHeight;
    for (const QString &line : m_certificate) {
        top += lineHeight / 4;
        painter.drawText(QRect(0, top, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
        top += lineHeight;
    }
    return top + lineHeight;
}

// Rows that do not fit on the page go on the next, below the header row
// again; gives the bottom of the table.
int PdfReport::drawTable(QPainter &painter, QPagedPaintDevice &pages, int top) const
{
    const QVector<int> widths = columnWidths(painter, painter.viewport().width());
    const int pageHeight = painter.viewport().height();
    const int rowHeight = qRound(painter.fontMetrics().height() * rowHeightFactor);
    drawRow(painter, m_header, widths, top, rowHeight, true);
    top += rowHeight;
    for (const QStringList &row : m_rows) {
        if (top + rowHeight > pageHeight) {
            pages.newPage();
            top = 0;
            drawRow(painter, m_header, widths, top, rowHeight, true);
            top += rowHeight;
        }
        drawRow(painter, row, widths, top, rowHeight, false);
        top += rowHeight;
    }
    return top;
}

// The chart across the page's width, below the table or on a page of its own.
void PdfReport::drawChart(QPainter &painter, QPagedPaintDevice &pages, int top) const
{
    if (m_chart.isNull())
        return;
    const int width = painter.viewport().width();
    const int height = width * m_chart.height() / m_chart.width();
    top += painter.fontMetrics().height();
    if (top + height > painter.viewport().height()) {
        pages.newPage();
        top = 0;
    }
    painter.drawImage(QRect(0, top, width, height), m_chart);
}

// Each column as wide as its widest text, the page's width shared out in
// proportion; a table wider than the page is set in a smaller font. Leaves
// the table's font set on the painter.
QVector<int> PdfReport::columnWidths(QPainter &painter, int width) const
{
    QFont font = painter.font();
    font.setPointSizeF(tablePointSize);
    painter.setFont(font);
    QVector<int> widths = naturalWidths(painter);
    if (sum(widths) > width) {
        font.setPointSizeF(qMax(smallestTablePointSize, tablePointSize * width / sum(widths)));
        painter.setFont(font);
        widths = naturalWidths(painter);
    }
    const int natural = qMax(1, sum(widths));
    for (int &column : widths)
        column = column * width / natural;
    return widths;
}

QVector<int> PdfReport::naturalWidths(const QPainter &painter) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int padding = 2 * qRound(metrics.height() * paddingFactor);
    QVector<int> widths(m_header.size(), 0);
    const auto widen = [&](const QStringList &cells) {
        for (int column = 0; column < qMin(cells.size(), widths.size()); ++column)
            widths[column] =
                qMax(widths[column], metrics.horizontalAdvance(cells.at(column)) + padding);
    };
    widen(m_header);
    for (const QStringList &row : m_rows)
        widen(row);
    return widths;
}

void PdfReport::drawRow(QPainter &painter, const QStringList &cells, const QVector<int> &widths,
                        int top, int height, bool header) const
{
    const int padding = qRound(painter.fontMetrics().height() * paddingFactor);
    painter.setPen(QPen(gridColour, 0));
    int left = 0;
    for (int column = 0; column < widths.size(); ++column) {
        const QRect cell(left, top, widths.at(column), height);
        if (header)
            painter.fillRect(cell, headerFill);
        painter.drawRect(cell);
        painter.setPen(Qt::black);
        painter.drawText(cell.adjusted(padding, 0, -padding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         cells.value(column));
        painter.setPen(QPen(gridColour, 0));
        left += widths.at(column);
    }
}
