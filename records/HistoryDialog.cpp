#include "records/HistoryDialog.h"

#include "records/CalibrationResult.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {
const QString dateFormat = QStringLiteral("yyyy-MM-dd HH:mm");
// The plot's value axis leaves this share of the range free above and below.
constexpr double axisMargin = 0.1;
// Up to this many runs each is marked on the line; more marks would only
// thicken it.
constexpr int markedRunsAtMost = 50;

QChar widestDigitOf(const QFontMetrics &metrics)
{
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    }
    return widest;
}

QString digitsAs(QString text, QChar digit)
{
    for (QChar &character : text) {
        if (character.isDigit())
            character = digit;
    }
    return text;
}
} // namespace

HistoryDialog::HistoryDialog(const Sensor &sensor, const QVector<RunHistory::Entry> &entries,
                             const QString &unit, QWidget *parent)
    : QDialog(parent), m_entries(entries), m_table(new QTableWidget(0, 4, this))
{
    setObjectName(QStringLiteral("historyDialog"));
    setWindowTitle(tr("校准历史：%1（%2）").arg(sensor.serial, sensor.model));
    resize(760, 620);
    m_table->setObjectName(QStringLiteral("historyTable"));
    m_table->setHorizontalHeaderLabels(
        {tr("日期"), tr("参考灵敏度"), tr("与上次相比"), tr("结论")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    // The style sheet's fonts, by which the columns and the plot are sized,
    // are the widgets' own once they are polished.
    ensurePolished();
    fillTable(unit);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    QPushButton *reopen = buttons->addButton(tr("重新打开"), QDialogButtonBox::AcceptRole);
    reopen->setObjectName(QStringLiteral("reopenButton"));
    reopen->setEnabled(!entries.isEmpty());
    connect(buttons, &QDialogButtonBox::accepted, this, &HistoryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HistoryDialog::reject);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &HistoryDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    if (entries.isEmpty())
        layout->addWidget(new QLabel(tr("这个传感器还没有测试记录"), this));
    else
        layout->addWidget(driftChart(unit), 1);
    layout->addWidget(buttons);
}

qint64 HistoryDialog::selectedRun() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_entries.size() ? m_entries.at(row).runId : 0;
}

void HistoryDialog::fillTable(const QString &unit)
{
    const QChar widestDigit = widestDigitOf(QFontMetrics(m_table->font()));
    QVector<QStringList> rows;
    QVector<QSet<QString>> shapes(m_table->columnCount());
    for (const RunHistory::Entry &entry : qAsConst(m_entries)) {
        const QString reference =
            std::isnan(entry.reference)
                ? tr("无")
                : QStringLiteral("%1 %2").arg(entry.reference, 0, 'f', 3).arg(unit);
        QString verdict =
            CalibrationResult::verdictText(CalibrationResult::fromCode(entry.verdict));
        if (entry.outcome != QLatin1String("finished"))
            verdict =
                tr("未完成") + (verdict.isEmpty() ? QString() : QStringLiteral("，") + verdict);
        rows << QStringList{entry.started.toString(dateFormat), reference,
                            CalibrationResult::percentText(entry.change), verdict};
        for (int column = 0; column < rows.last().size(); ++column)
            shapes[column] << digitsAs(rows.last().at(column), widestDigit);
    }
    fitColumns(shapes);
    m_table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
    }
    if (!m_entries.isEmpty())
        m_table->selectRow(m_entries.size() - 1);
}

// Each column as wide as its widest text and its header. The columns are
// fitted to one row for each shape of text: texts that differ only in their
// digits are one shape, written with the font's widest digit. Fitted to
// every row, the table would ask each cell for its size, which takes longer
// than the rest of the dialog for a long history.
void HistoryDialog::fitColumns(const QVector<QSet<QString>> &shapes)
{
    int rows = 0;
    for (const QSet<QString> &columnShapes : shapes)
        rows = qMax(rows, columnShapes.size());
    m_table->setRowCount(rows);
    for (int column = 0; column < shapes.size(); ++column) {
        int row = 0;
        for (const QString &shape : shapes.at(column))
            m_table->setItem(row++, column, new QTableWidgetItem(shape));
    }
    m_table->resizeColumnsToContents();
}

// The runs with a reference, as a line over the dates, each run marked while
// there are few. The plot's texts are in the dialog's own font, which the
// window has loaded already: the chart's theme would ask for fonts of its
// own, and finding and loading them (the fallback for the Chinese title
// among them) was most of what the first opening took beyond the later ones.
QChartView *HistoryDialog::driftChart(const QString &unit)
{
    QVector<QPointF> points;
    double lowest = qInf();
    double highest = -qInf();
    for (const RunHistory::Entry &entry : m_entries) {
        if (std::isnan(entry.reference))
            continue;
        points << QPointF(entry.started.toMSecsSinceEpoch(), entry.reference);
        lowest = qMin(lowest, entry.reference);
        highest = qMax(highest, entry.reference);
    }
    auto *line = new QLineSeries;
    line->replace(points);
    line->setPointsVisible(points.size() <= markedRunsAtMost);
    auto *chart = new QChart;
    // The view's own background shows through: the chart's would fill the
    // same area a second time.
    chart->setBackgroundVisible(false);
    chart->legend()->hide();
    chart->addSeries(line);
    auto *timeAxis = new QDateTimeAxis;
    timeAxis->setFormat(QStringLiteral("yyyy-MM-dd"));
    timeAxis->setTitleText(tr("日期"));
    auto *valueAxis = new QValueAxis;
    valueAxis->setTitleText(tr("参考灵敏度/%1").arg(unit));
    if (lowest <= highest) {
        const double margin = qMax((highest - lowest) * axisMargin, std::fabs(highest) * 0.01);
        valueAxis->setRange(lowest - margin, highest + margin);
        valueAxis->applyNiceNumbers();
        timeAxis->setRange(
            QDateTime::fromMSecsSinceEpoch(qint64(line->at(0).x())).addDays(-1),
            QDateTime::fromMSecsSinceEpoch(qint64(line->at(line->count() - 1).x())).addDays(1));
    }
    for (QAbstractAxis *axis : QList<QAbstractAxis *>{timeAxis, valueAxis}) {
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
    }
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(valueAxis, Qt::AlignLeft);
    line->attachAxis(timeAxis);
    line->attachAxis(valueAxis);
    auto *view = new QChartView(chart, this);
    view->setObjectName(QStringLiteral("driftChartView"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(240);
    return view;
}
