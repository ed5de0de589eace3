#include "ExportTestSupport.h"
#include "app/GlobalState.h"
#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QDateTime>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QTranslator>
#include <QtTest>

using namespace exporttest;

class TestExportWord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void textExportWritesTheByteLayout();
    void textExportHandlesEmptyTableOverwriteAndUnwritableFolder();
    void typesOutsideTheTableDoNothing();
    void oneRecordFillsTheModelRow();
    void threeRecordsFillRowsInTableOrder();
    void cellWithoutItemClearsItsWordCell();
    void reportIsARealDocumentWithTheChart();
    void emptyTableIsRefused();
    void badTemplatesFailWithoutTarget_data();
    void badTemplatesFailWithoutTarget();
    void templateWithoutPictureWritesNoTarget();
    void existingTargetIsReplaced();
    void unwritableTargetShowsFailure();
    void cancelledDialogWritesDefaultName();
    void englishInterfaceKeepsChineseHeaders();

private:
    void setRows(const QVector<QStringList> &rows);
    QStringList runWordExport(const QString &target);
    QString templatePath() const;
    QString targetPath() const;
    QStringList reportsInApplicationDir() const;

    QMainWindow m_window;
    Ui::MainWindow m_ui;
    ExportFile m_export;
};

void TestExportWord::initTestCase()
{
    m_ui.setupUi(&m_window);
    m_export.setUi(&m_ui);
}

void TestExportWord::init()
{
    installDocuments();
    m_ui.tableWidget->setRowCount(0);
    m_ui.sensorTypeComboBox->setCurrentIndex(0);
    m_export.m_picture = QPixmap();
    QFile::remove(targetPath());
}

void TestExportWord::cleanup()
{
    for (const QString &name : reportsInApplicationDir())
        QFile::remove(applicationDir() + QLatin1Char('/') + name);
}

void TestExportWord::setRows(const QVector<QStringList> &rows)
{
    QTableWidget *table = m_ui.tableWidget;
    table->setRowCount(0);
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            if (rows.at(row).at(column) != QLatin1String("-"))
                table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
        }
    }
}

// Runs the Word report, answering the save dialog with the target (or
// cancelling it), and returns the texts of the message boxes shown.
QStringList TestExportWord::runWordExport(const QString &target)
{
    DialogResponder responder(target);
    m_export.doExport(1);
    return responder.messages();
}

QString TestExportWord::templatePath() const
{
    return applicationDir() + QStringLiteral("/doc/ExportWordBookmark.docx");
}

QString TestExportWord::targetPath() const
{
    return QDir::currentPath() + QStringLiteral("/report.docx");
}

QStringList TestExportWord::reportsInApplicationDir() const
{
    return QDir(applicationDir())
        .entryList({QStringLiteral("*年*月*日*时*分*秒.docx")}, QDir::Files);
}

void TestExportWord::textExportWritesTheByteLayout()
{
    setRows({{"1", "10", "160", "9.87", "1.234", "5.00", "6.00"}, {"2", "5", "80", "-", "-"}});
    m_ui.tableWidget->setItem(1, 1, new QTableWidgetItem(QString()));
    m_export.doExport(0);
    QCOMPARE(readFile(QStringLiteral("ExportFile.txt")),
             QByteArray("Order Amplitude Frequence ControlAmplitude Sensitivity\n"
                        "1 10 160 9.87 1.234 \n"
                        "2  80           \n"));
}

void TestExportWord::textExportHandlesEmptyTableOverwriteAndUnwritableFolder()
{
    writeFile(QStringLiteral("ExportFile.txt"), QByteArray(500, 'x'));
    m_export.doExport(0);
    QCOMPARE(readFile(QStringLiteral("ExportFile.txt")),
             QByteArray("Order Amplitude Frequence ControlAmplitude Sensitivity\n"));

    QFile::remove(QStringLiteral("ExportFile.txt"));
    QDir().mkdir(QStringLiteral("ExportFile.txt"));
    QTest::ignoreMessage(QtDebugMsg, "不能打开文件写入！");
    m_export.doExport(0);
    QVERIFY(QFileInfo(QStringLiteral("ExportFile.txt")).isDir());
    QDir().rmdir(QStringLiteral("ExportFile.txt"));
}

void TestExportWord::typesOutsideTheTableDoNothing()
{
    setRows({{"1", "10", "160"}});
    DialogResponder responder(targetPath());
    for (int type : {-1, 8, 100})
        m_export.doExport(type);
    QCOMPARE(responder.saveDialogs(), 0);
    QVERIFY(responder.messages().isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("ExportFile.txt")));
}

void TestExportWord::oneRecordFillsTheModelRow()
{
    setRows({{"1", "10.00", "160.00", "9.87 ms^-2", "1.234 Pc/ms^-2", "9.82 mm/s", "9.77 um"}});
    QCOMPARE(runWordExport(targetPath()), QStringList{"Export success!"});
    const QVector<QStringList> rows = firstTableTexts(targetPath());
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0),
             (QStringList{"序号", "幅度", "频率", "控制幅度", "灵敏度", "速度", "位移"}));
    QCOMPARE(rows.at(1), (QStringList{"1", "10.00", "160.00", "9.87 ms^-2", "1.234 Pc/ms^-2",
                                      "9.82 mm/s", "9.77 um"}));
}

void TestExportWord::threeRecordsFillRowsInTableOrder()
{
    m_ui.sensorTypeComboBox->setCurrentIndex(1);
    setRows({{"1", "a1", "f1", "c1", "s1", "x1", "y1"},
             {"2", "a2", "f2", "c2", "s2", "x2", "y2"},
             {"3", "a3", "f3", "c3", "s3", "x3", "y3"}});
    QCOMPARE(runWordExport(targetPath()), QStringList{"Export success!"});
    const QVector<QStringList> rows = firstTableTexts(targetPath());
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0).mid(5), (QStringList{"加速度", "位移"}));
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(rows.at(i).first(), QString::number(i));
    QCOMPARE(rows.at(3).last(), QStringLiteral("y3"));
}

namespace {

const QByteArray dateBookmark = "<w:p><w:r><w:t>Date: </w:t></w:r><w:bookmarkStart w:id=\"0\" "
                                "w:name=\"date\"/><w:bookmarkEnd w:id=\"0\"/></w:p>";
const QByteArray pictureBookmark = "<w:p><w:bookmarkStart w:id=\"1\" w:name=\"picture\"/>"
                                   "<w:bookmarkEnd w:id=\"1\"/></w:p>";

QByteArray tableRow(const QString &text)
{
    QByteArray row = "<w:tr>";
    for (int i = 0; i < 7; ++i)
        row += "<w:tc><w:p><w:r><w:t>" + text.toUtf8() + "</w:t></w:r></w:p></w:tc>";
    return row + "</w:tr>";
}

QByteArray reportTable()
{
    return "<w:tbl><w:tblGrid>" + QByteArray("<w:gridCol w:w=\"1000\"/>").repeated(7) +
           "</w:tblGrid>" + tableRow("H") + tableRow("X") + "</w:tbl>";
}

} // namespace

void TestExportWord::cellWithoutItemClearsItsWordCell()
{
    QVERIFY(
        writeDocx(templatePath(), wordDocument(dateBookmark + reportTable() + pictureBookmark)));
    setRows({{"1", "-", "160"}});
    QCOMPARE(runWordExport(targetPath()), QStringList{"Export success!"});
    const QVector<QStringList> rows = firstTableTexts(targetPath());
    QCOMPARE(rows.at(0), (QStringList{"H", "H", "H", "H", "H", "速度", "位移"}));
    QCOMPARE(rows.at(1), (QStringList{"1", "", "160", "", "", "", ""}));
}

void TestExportWord::reportIsARealDocumentWithTheChart()
{
    QPixmap chart(100, 50);
    chart.fill(Qt::red);
    m_export.m_picture = chart;
    setRows({{"1", "10.00", "160.00"}, {"2", "<&\"'>", "80.00"}});
    QCOMPARE(runWordExport(targetPath()), QStringList{"Export success!"});
    const Parts parts = readZip(targetPath());

    const QImage image = QImage::fromData(parts.value(QStringLiteral("word/media/image1.png")));
    QCOMPARE(image.size(), QSize(950, 280));
    QCOMPARE(image.pixelColor(10, 10), QColor(Qt::red));
    QCOMPARE(image.pixelColor(900, 250), QColor(Qt::white));
    QVERIFY(parts.value(QStringLiteral("[Content_Types].xml"))
                .contains("<Default Extension=\"png\" ContentType=\"image/png\"/>"));
    QDomDocument rels;
    QVERIFY(rels.setContent(parts.value(QStringLiteral("word/_rels/document.xml.rels"))));
    QString imageId;
    const QDomNodeList relationships = rels.elementsByTagName(QStringLiteral("Relationship"));
    for (int i = 0; i < relationships.size(); ++i) {
        const QDomElement relationship = relationships.at(i).toElement();
        if (relationship.attribute(QStringLiteral("Target")) == QLatin1String("media/image1.png"))
            imageId = relationship.attribute(QStringLiteral("Id"));
    }
    QVERIFY(!imageId.isEmpty());

    QDomDocument document = documentXml(targetPath());
    const QDomElement blip =
        document
            .elementsByTagNameNS(
                QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main"),
                QStringLiteral("blip"))
            .at(0)
            .toElement();
    QCOMPARE(
        blip.attributeNS(
            QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
            QStringLiteral("embed")),
        imageId);
    const QDomElement extent =
        document
            .elementsByTagNameNS(
                QStringLiteral(
                    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"),
                QStringLiteral("extent"))
            .at(0)
            .toElement();
    const qint64 cx = extent.attribute(QStringLiteral("cx")).toLongLong();
    const qint64 cy = extent.attribute(QStringLiteral("cy")).toLongLong();
    QCOMPARE(cx, qint64(11906 - 1440 - 1440) * 635);
    QVERIFY(qAbs(cy - cx * 280 / 950) <= 1);

    QCOMPARE(firstTableTexts(targetPath()).at(2).at(1), QStringLiteral("<&\"'>"));
    const QDomNodeList paragraphs = document.elementsByTagNameNS(wNs, QStringLiteral("p"));
    const QString dateText = wordText(paragraphs.at(1).toElement());
    QVERIFY2(QRegularExpression(
                 QStringLiteral("^报告日期：\\d{4}年\\d{2}月\\d{2}日 \\d{2}:\\d{2}:\\d{2}$"))
                 .match(dateText)
                 .hasMatch(),
             qPrintable(dateText));
}

void TestExportWord::emptyTableIsRefused()
{
    QCOMPARE(runWordExport(targetPath()), QStringList{"导出失败，至少添加一条记录！"});
    QVERIFY(!QFile::exists(targetPath()));
}

void TestExportWord::badTemplatesFailWithoutTarget_data()
{
    QTest::addColumn<QByteArray>("documentXml");
    QTest::addColumn<bool>("packaged");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("log");

    const QStringList failed{"导出文件失败！"};
    QTest::newRow("missing") << QByteArray() << false << QStringList() << "文件不存在!";
    QTest::newRow("not a zip") << QByteArray("PK not really") << false << failed
                               << "导出文件失败！";
    QTest::newRow("no document part") << QByteArray() << true << failed << "导出文件失败！";
    QTest::newRow("no table") << wordDocument(dateBookmark + pictureBookmark) << true << failed
                              << "导出文件失败！";
    QTest::newRow("no date") << wordDocument(reportTable() + pictureBookmark) << true << failed
                             << "导出文件失败！";
    QTest::newRow("not word") << QByteArray("<root/>") << true << failed << "导出文件失败！";
}

void TestExportWord::badTemplatesFailWithoutTarget()
{
    QFETCH(QByteArray, documentXml);
    QFETCH(bool, packaged);
    QFETCH(QStringList, messages);
    QFETCH(QString, log);
    QFile::remove(templatePath());
    if (packaged && documentXml.isEmpty())
        QVERIFY(
            writeZip(templatePath(), {{QStringLiteral("[Content_Types].xml"), contentTypes()}}));
    else if (packaged)
        QVERIFY(writeDocx(templatePath(), documentXml));
    else if (!documentXml.isEmpty())
        writeFile(templatePath(), documentXml);
    setRows({{"1", "10.00", "160.00"}});
    QTest::ignoreMessage(QtDebugMsg, qPrintable(log));
    QCOMPARE(runWordExport(targetPath()), messages);
    QVERIFY(!QFile::exists(targetPath()));
    if (QFile::exists(templatePath()))
        QCOMPARE(readFile(exportTempDir.filePath(QStringLiteral("test.docx"))),
                 readFile(templatePath()));
}

void TestExportWord::templateWithoutPictureWritesNoTarget()
{
    QVERIFY(writeDocx(templatePath(), wordDocument(dateBookmark + reportTable())));
    setRows({{"1", "10.00", "160.00"}});
    QTest::ignoreMessage(QtDebugMsg, "导出文件失败！");
    QCOMPARE(runWordExport(targetPath()), QStringList{"导出文件失败！"});
    QVERIFY(!QFile::exists(targetPath()));
    QCOMPARE(readFile(exportTempDir.filePath(QStringLiteral("test.docx"))),
             readFile(templatePath()));
}

void TestExportWord::existingTargetIsReplaced()
{
    writeFile(targetPath(), "an earlier report");
    setRows({{"7", "10.00", "160.00"}});
    QCOMPARE(runWordExport(targetPath()), QStringList{"Export success!"});
    QCOMPARE(firstTableTexts(targetPath()).at(1).first(), QStringLiteral("7"));
}

void TestExportWord::unwritableTargetShowsFailure()
{
    const QString target = QStringLiteral("/proc/rt58-report.docx");
    setRows({{"1", "10.00", "160.00"}});
    QTest::ignoreMessage(QtDebugMsg, "文件复制失败!");
    QCOMPARE(runWordExport(target), QStringList{"导出文件失败！"});
    QVERIFY(!QFile::exists(target));
}

void TestExportWord::cancelledDialogWritesDefaultName()
{
    setRows({{"1", "10.00", "160.00"}});
    QTest::ignoreMessage(QtDebugMsg, "未设置导出文件路径");
    QCOMPARE(runWordExport(QString()), QStringList{"Export success!"});
    const QStringList reports = reportsInApplicationDir();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(firstTableTexts(applicationDir() + QLatin1Char('/') + reports.first()).size(), 2);
}

void TestExportWord::englishInterfaceKeepsChineseHeaders()
{
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/lang/RT-58_zh_EN.qm")));
    QCoreApplication::installTranslator(&english);
    QCOMPARE(runWordExport(targetPath()),
             QStringList{"Failed to export, add at least one record!"});
    m_ui.sensorTypeComboBox->setCurrentIndex(2);
    setRows({{"1", "10.00", "160.00"}});
    const QStringList messages = runWordExport(targetPath());
    QCoreApplication::removeTranslator(&english);
    QCOMPARE(messages, QStringList{"Export success!"});
    QCOMPARE(firstTableTexts(targetPath()).at(0).mid(5), (QStringList{"加速度", "速度"}));
}

QTEST_MAIN(TestExportWord)
#include "tst_export_word.moc"
