#include "ExportTestSupport.h"
#include "export/office/AutomationObject.h"

#include <QImage>
#include <QtTest>

#include <memory>

using namespace exporttest;

class TestWordAutomation : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void callStringsAreMatchedExactly();
    void openFailuresGiveNull_data();
    void openFailuresGiveNull();
    void bookmarkSpanningRunsAndParagraphs();
    void bookmarkAroundWholeParagraphs();
    void otherPrefixesAndUnknownPartsSurvive_data();
    void otherPrefixesAndUnknownPartsSurvive();
    void rowsAreAddedInTheFormatOfTheAnchor();
    void fitToWindowSpansTheTextWidth();
    void picturesGetUniquePartsAndIds();
    void closedDocumentsAndDeletedRangesRefuseMembers();

private:
    AutomationObject *open(AutomationObject &word, const QString &path);
    QString m_path;
};

namespace {

const QString drawingNs = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString wordDrawingNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");

QList<QDomElement> bodyParagraphs(const QString &path)
{
    return childElements(documentXml(path).documentElement().firstChildElement(), // body
                         QStringLiteral("p"));
}

QStringList paragraphTexts(const QString &path)
{
    QStringList texts;
    for (const QDomElement &paragraph : bodyParagraphs(path))
        texts.append(wordText(paragraph));
    return texts;
}

const QByteArray spanningBookmark =
    "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>A</w:t></w:r>"
    "<w:bookmarkStart w:id=\"3\" w:name=\"date\"/>"
    "<w:r><w:rPr><w:i/></w:rPr><w:t>B</w:t></w:r><w:r><w:t>C</w:t></w:r></w:p>"
    "<w:p><w:r><w:t>D</w:t></w:r></w:p>"
    "<w:p><w:pPr><w:jc w:val=\"right\"/></w:pPr><w:r><w:t>E</w:t></w:r>"
    "<w:bookmarkEnd w:id=\"3\"/><w:r><w:t>F</w:t></w:r></w:p>"
    "<w:p><w:r><w:t>G</w:t></w:r></w:p>";

QByteArray gridTable()
{
    const QByteArray modelCell =
        "<w:tc><w:tcPr><w:tcW w:w=\"2000\" w:type=\"dxa\"/><w:shd w:val=\"clear\" "
        "w:fill=\"FFFF00\"/></w:tcPr><w:p w14:paraId=\"1A2B3C4D\"><w:pPr><w:jc "
        "w:val=\"center\"/></w:pPr><w:bookmarkStart w:id=\"9\" w:name=\"cell\"/><w:r><w:rPr><w:b/>"
        "</w:rPr><w:t>one</w:t></w:r><w:bookmarkEnd "
        "w:id=\"9\"/></w:p><w:p><w:r><w:t>two</w:t></w:r>"
        "</w:p></w:tc>";
    return "<w:tbl><w:tblPr><w:tblStyle w:val=\"Grid\"/><w:tblLook w:val=\"04A0\"/></w:tblPr>"
           "<w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"1000\"/></w:tblGrid>"
           "<w:tr><w:tc><w:p><w:r><w:t>h1</w:t></w:r></w:p></w:tc>"
           "<w:tc><w:p><w:r><w:t>h2</w:t></w:r></w:p></w:tc></w:tr>"
           "<w:tr>" +
           modelCell + modelCell + "</w:tr></w:tbl>";
}

QByteArray pageSection()
{
    return "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" "
           "w:right=\"1800\" w:bottom=\"1440\" w:left=\"1800\"/></w:sectPr>";
}

} // namespace

void TestWordAutomation::init()
{
    m_path = QDir::currentPath() + QStringLiteral("/document.docx");
    QFile::remove(m_path);
}

AutomationObject *TestWordAutomation::open(AutomationObject &word, const QString &path)
{
    AutomationObject *documents = word.querySubObject("Documents");
    return documents ? documents->querySubObject("Open(const QString&)", path) : nullptr;
}

void TestWordAutomation::callStringsAreMatchedExactly()
{
    QVERIFY(writeDocx(m_path, wordDocument(gridTable())));
    AutomationObject word(QStringLiteral("Word.Application"));
    QVERIFY(!word.isNull());
    QVERIFY(word.setProperty("Visible", false));
    AutomationObject *documents = word.querySubObject("Documents");
    QTest::ignoreMessage(QtWarningMsg, "Word.Documents: unknown member \"Open (const QString&)\"");
    QVERIFY(!documents->querySubObject("Open (const QString&)", m_path));
    AutomationObject *document = documents->querySubObject("Open(const QString&)", m_path);
    AutomationObject *table = document->querySubObject("Tables")->querySubObject("Item(int)", 1);
    QTest::ignoreMessage(QtWarningMsg, "Word.Table: unknown member \"Cell(int,int)\"");
    QVERIFY(!table->querySubObject("Cell(int,int)", 1, 1));
    QVERIFY(table->querySubObject("Cell(int, int)", 1, 1));
    QTest::ignoreMessage(QtWarningMsg, "Word.Document: unknown member \"Save\"");
    QVERIFY(!document->dynamicCall("Save").isValid());
    QCOMPARE(document->querySubObject("Tables")
                 ->querySubObject("Item(int)", 1)
                 ->querySubObject("Rows")
                 ->dynamicCall("Count")
                 .toInt(),
             2);

    QTest::ignoreMessage(QtWarningMsg, "No automation server for \"Writer.Application\"");
    AutomationObject unknown(QStringLiteral("Writer.Application"));
    QVERIFY(unknown.isNull());
    QTest::ignoreMessage(QtWarningMsg, "\"Documents\" used on a null automation object");
    QVERIFY(!unknown.querySubObject("Documents"));
}

void TestWordAutomation::openFailuresGiveNull_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("zipped");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("not a zip") << QByteArray("plain text") << false;
    QTest::newRow("no document part") << QByteArray() << true;
    QTest::newRow("not word") << QByteArray("<x:document xmlns:x=\"urn:other\"/>") << true;
    QTest::newRow("malformed") << QByteArray("<w:document xmlns:w=\"urn:w\">") << true;
}

void TestWordAutomation::openFailuresGiveNull()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, zipped);
    if (zipped && file.isEmpty())
        QVERIFY(writeZip(m_path, {{QStringLiteral("[Content_Types].xml"), contentTypes()}}));
    else if (zipped)
        QVERIFY(writeDocx(m_path, file));
    else if (!file.isEmpty())
        writeFile(m_path, file);
    AutomationObject word(QStringLiteral("Word.Application"));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^Word.Documents: \"Open\\(const "
                                                           "QString&\\)\" failed: .+")));
    QVERIFY(!open(word, m_path));
    QCOMPARE(word.dynamicCall("Quit()"), QVariant(true));
}

void TestWordAutomation::bookmarkSpanningRunsAndParagraphs()
{
    QVERIFY(writeDocx(m_path, wordDocument(spanningBookmark)));
    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *document = open(word, m_path);
    AutomationObject *bookmark = document->querySubObject("Bookmarks(QVariant)", "date");
    QCOMPARE(bookmark->dynamicCall("Select(void)"), QVariant(true));
    AutomationObject *range = bookmark->querySubObject("Range");
    QCOMPARE(range->property("Text").toString(), QStringLiteral("BC\rD\rE"));
    QVERIFY(range->setProperty("Text", QStringLiteral("X & <Y>")));
    QCOMPARE(range->property("Text").toString(), QStringLiteral("X & <Y>"));
    QCOMPARE(document->dynamicCall("Save()"), QVariant(true));

    QCOMPARE(paragraphTexts(m_path), (QStringList{"AX & <Y>F", "G"}));
    const QDomElement merged = bodyParagraphs(m_path).first();
    const QList<QDomElement> runs = childElements(merged, QStringLiteral("r"));
    QCOMPARE(runs.size(), 3);
    QVERIFY(
        !runs.at(1).firstChildElement().elementsByTagNameNS(wNs, QStringLiteral("i")).isEmpty());
    QCOMPARE(childElements(merged, QStringLiteral("bookmarkStart")).size(), 1);
    QCOMPARE(childElements(merged, QStringLiteral("bookmarkEnd")).size(), 1);
}

void TestWordAutomation::bookmarkAroundWholeParagraphs()
{
    QVERIFY(writeDocx(m_path, wordDocument("<w:p><w:r><w:t>keep</w:t></w:r></w:p>"
                                           "<w:bookmarkStart w:id=\"0\" w:name=\"picture\"/>"
                                           "<w:p><w:r><w:t>old one</w:t></w:r></w:p>"
                                           "<w:p><w:r><w:t>old two</w:t></w:r></w:p>"
                                           "<w:bookmarkEnd w:id=\"0\"/>")));
    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *document = open(word, m_path);
    AutomationObject *range =
        document->querySubObject("Bookmarks(QVariant)", "picture")->querySubObject("Range");
    QVERIFY(range->dynamicCall("SetText(QString)", QStringLiteral("new")).isValid());
    QVERIFY(document->dynamicCall("Save()").isValid());
    QCOMPARE(paragraphTexts(m_path), (QStringList{"keep", "new"}));
}

void TestWordAutomation::otherPrefixesAndUnknownPartsSurvive_data()
{
    QTest::addColumn<QByteArray>("documentXml");
    QTest::newRow("prefix ns0") << wordDocument(spanningBookmark + gridTable(), "ns0");
    QByteArray unprefixed = wordDocument(spanningBookmark + gridTable());
    unprefixed.replace("<w:", "<").replace("</w:", "</").replace("xmlns:w=", "xmlns=");
    unprefixed.replace(" w:", " x:")
        .replace("<document ", "<document xmlns:x=\"" + wNs.toUtf8() + "\" ");
    QTest::newRow("default namespace") << unprefixed;
}

void TestWordAutomation::otherPrefixesAndUnknownPartsSurvive()
{
    QFETCH(QByteArray, documentXml);
    const QByteArray binary("\x00\x01\x02PK\xff", 7);
    const QByteArray customXml = "<?xml version=\"1.0\"?>\n<data xmlns=\"urn:custom\">\n  "
                                 "<item a='1'/>\n</data>\n";
    QVERIFY(writeDocx(m_path, documentXml,
                      {{QStringLiteral("word/unknown.bin"), binary},
                       {QStringLiteral("customXml/item1.xml"), customXml}}));
    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *document = open(word, m_path);
    QVERIFY(document);
    document->querySubObject("Bookmarks(QVariant)", "date")
        ->querySubObject("Range")
        ->setProperty("Text", QStringLiteral(" spaced "));
    AutomationObject *table = document->querySubObject("Tables")->querySubObject("Item(int)", 1);
    table->querySubObject("Cell(int, int)", 2, 2)
        ->querySubObject("Range")
        ->dynamicCall("SetText(QString)", QStringLiteral("\"quoted\" & 'single'"));
    QVERIFY(document->dynamicCall("Save()").isValid());

    const Parts parts = readZip(m_path);
    QCOMPARE(parts.value(QStringLiteral("word/unknown.bin")), binary);
    QCOMPARE(parts.value(QStringLiteral("customXml/item1.xml")), customXml);
    QDomDocument saved;
    QVERIFY(saved.setContent(parts.value(QStringLiteral("word/document.xml")), true));
    QCOMPARE(paragraphTexts(m_path).first(), QStringLiteral("A spaced F"));
    QCOMPARE(firstTableTexts(m_path).at(1).at(1), QStringLiteral("\"quoted\" & 'single'"));
}

void TestWordAutomation::rowsAreAddedInTheFormatOfTheAnchor()
{
    QVERIFY(writeDocx(m_path, wordDocument(gridTable())));
    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *document = open(word, m_path);
    AutomationObject *table = document->querySubObject("Tables")->querySubObject("Item(int)", 1);
    QTest::ignoreMessage(QtWarningMsg, "Word.Table: \"Rows(int)\" failed: no row 0");
    QVERIFY(!table->querySubObject("Rows(int)", 0));
    AutomationObject *rows = table->querySubObject("Rows");
    const QVariant last = rows->querySubObject("Last")->asVariant();
    QVERIFY(rows->dynamicCall("Add(QVariant)", last).isValid());
    QVERIFY(rows->dynamicCall("Add(QVariant)", last).isValid());
    QCOMPARE(rows->dynamicCall("Count").toInt(), 4);
    QTest::ignoreMessage(
        QtWarningMsg,
        "Word.Rows: \"Add(QVariant)\" failed: the argument is not a row of this table");
    QVERIFY(!rows->dynamicCall("Add(QVariant)", QStringLiteral("row")).isValid());
    table->querySubObject("Cell(int, int)", 2, 1)
        ->querySubObject("Range")
        ->dynamicCall("SetText(QString)", QStringLiteral("new"));
    table->querySubObject("Cell(int, int)", 4, 1)
        ->querySubObject("Range")
        ->dynamicCall("SetText(QString)", QStringLiteral("model"));
    QVERIFY(document->dynamicCall("Save()").isValid());

    const QVector<QStringList> texts = firstTableTexts(m_path);
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts.at(1), (QStringList{"new", ""}));
    QCOMPARE(texts.at(3), (QStringList{"model", "onetwo"}));
    const QByteArray xml = readZip(m_path).value(QStringLiteral("word/document.xml"));
    QCOMPARE(xml.count("w:fill=\"FFFF00\""), 6);
    QCOMPARE(xml.count("w14:paraId"), 2);
    QCOMPARE(xml.count("w:name=\"cell\""), 1);
    QDomDocument saved;
    saved.setContent(xml, true);
    const QDomElement newCell =
        saved.elementsByTagNameNS(wNs, QStringLiteral("tr")).at(1).toElement().firstChildElement();
    QCOMPARE(childElements(newCell, QStringLiteral("p")).size(), 1);
    const QDomElement paragraph = childElements(newCell, QStringLiteral("p")).first();
    QVERIFY(!paragraph.elementsByTagNameNS(wNs, QStringLiteral("jc")).isEmpty());
    QVERIFY(!paragraph.elementsByTagNameNS(wNs, QStringLiteral("b")).isEmpty());
}

void TestWordAutomation::fitToWindowSpansTheTextWidth()
{
    QVERIFY(writeDocx(m_path, wordDocument(gridTable() + pageSection())));
    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *document = open(word, m_path);
    AutomationObject *table = document->querySubObject("Tables")->querySubObject("Item(int)", 1);
    QTest::ignoreMessage(QtWarningMsg, "Word.Table: \"AutoFitBehavior(WdAutoFitBehavior)\" "
                                       "failed: auto-fit behavior 1 is not supported");
    QVERIFY(!table->dynamicCall("AutoFitBehavior(WdAutoFitBehavior)", 1).isValid());
    QVERIFY(table->dynamicCall("AutoFitBehavior(WdAutoFitBehavior)", 2).isValid());
    QVERIFY(document->dynamicCall("Save()").isValid());

    QDomDocument saved = documentXml(m_path);
    const QDomElement properties =
        saved.elementsByTagNameNS(wNs, QStringLiteral("tblPr")).at(0).toElement();
    QStringList order;
    for (QDomElement e = properties.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        order.append(e.localName());
    QCOMPARE(order, (QStringList{"tblStyle", "tblW", "tblLayout", "tblLook"}));
    const QDomElement width =
        properties.elementsByTagNameNS(wNs, QStringLiteral("tblW")).at(0).toElement();
    QCOMPARE(width.attributeNS(wNs, QStringLiteral("type")), QStringLiteral("pct"));
    QCOMPARE(width.attributeNS(wNs, QStringLiteral("w")), QStringLiteral("5000"));
    const QDomNodeList columns = saved.elementsByTagNameNS(wNs, QStringLiteral("gridCol"));
    QCOMPARE(columns.at(0).toElement().attributeNS(wNs, QStringLiteral("w")),
             QStringLiteral("5760"));
    QCOMPARE(columns.at(1).toElement().attributeNS(wNs, QStringLiteral("w")),
             QStringLiteral("2880"));
    const QDomNodeList cellWidths = saved.elementsByTagNameNS(wNs, QStringLiteral("tcW"));
    QCOMPARE(cellWidths.size(), 4);
    QCOMPARE(cellWidths.at(3).toElement().attributeNS(wNs, QStringLiteral("w")),
             QStringLiteral("2880"));
}

void TestWordAutomation::picturesGetUniquePartsAndIds()
{
    const QByteArray existingDrawing =
        "<w:p><w:r><w:drawing><wp:inline xmlns:wp=\"" + wordDrawingNs.toUtf8() +
        "\"><wp:docPr id=\"7\" name=\"old\"/></wp:inline></w:drawing></w:r></w:p>";
    const QByteArray rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/image\" Target=\"media/image1.png\"/>"
        "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/header\" Target=\"header1.xml\"/></Relationships>";
    const QByteArray header = "<w:hdr xmlns:w=\"" + wNs.toUtf8() + "\" xmlns:wp=\"" +
                              wordDrawingNs.toUtf8() + "\"><wp:docPr id=\"9\"/></w:hdr>";
    QVERIFY(writeDocx(m_path,
                      wordDocument(existingDrawing +
                                   "<w:p><w:bookmarkStart w:id=\"0\" w:name=\"picture\"/>"
                                   "<w:bookmarkEnd w:id=\"0\"/></w:p>"),
                      {{QStringLiteral("word/_rels/document.xml.rels"), rels},
                       {QStringLiteral("word/media/image1.png"), "old picture"},
                       {QStringLiteral("word/header1.xml"), header}}));
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    const QString imagePath = QDir::currentPath() + QStringLiteral("/chart.png");
    QVERIFY(image.save(imagePath));

    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *document = open(word, m_path);
    const QVariant range = document->querySubObject("Bookmarks(QVariant)", "picture")
                               ->querySubObject("Range")
                               ->asVariant();
    AutomationObject *shapes = document->querySubObject("InlineShapes");
    const char *addPicture = "AddPicture(const QString&, QVariant, QVariant ,QVariant)";
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("linked pictures")));
    QVERIFY(!shapes->dynamicCall(addPicture, imagePath, true, false, range).isValid());
    QVERIFY(shapes->dynamicCall(addPicture, imagePath, false, true, range).isValid());
    QVERIFY(document->dynamicCall("Save()").isValid());

    const Parts parts = readZip(m_path);
    QCOMPARE(parts.value(QStringLiteral("word/media/image1.png")), QByteArray("old picture"));
    QCOMPARE(parts.value(QStringLiteral("word/media/image2.png")), readFile(imagePath));
    QCOMPARE(parts.value(QStringLiteral("[Content_Types].xml")).count("Extension=\"png\""), 1);
    const QByteArray savedRels = parts.value(QStringLiteral("word/_rels/document.xml.rels"));
    QVERIFY(savedRels.contains(
        "Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/"
        "officeDocument/2006/relationships/image\" Target=\"media/image2.png\""));
    QDomDocument saved = documentXml(m_path);
    const QDomNodeList properties =
        saved.elementsByTagNameNS(wordDrawingNs, QStringLiteral("docPr"));
    QCOMPARE(properties.size(), 2);
    QCOMPARE(properties.at(1).toElement().attribute(QStringLiteral("id")), QStringLiteral("10"));
    const QDomElement extent =
        saved.elementsByTagNameNS(wordDrawingNs, QStringLiteral("extent")).at(0).toElement();
    QCOMPARE(extent.attribute(QStringLiteral("cx")), QStringLiteral("952500"));
    QCOMPARE(extent.attribute(QStringLiteral("cy")), QStringLiteral("476250"));
    QCOMPARE(
        saved.elementsByTagNameNS(drawingNs, QStringLiteral("blip"))
            .at(0)
            .toElement()
            .attributeNS(QStringLiteral(
                             "http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
                         QStringLiteral("embed")),
        QStringLiteral("rId4"));
}

void TestWordAutomation::closedDocumentsAndDeletedRangesRefuseMembers()
{
    QVERIFY(writeDocx(m_path, wordDocument(spanningBookmark)));
    const QByteArray before = readFile(m_path);
    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *document = open(word, m_path);
    AutomationObject *range =
        document->querySubObject("Bookmarks(QVariant)", "date")->querySubObject("Range");
    QVERIFY(range->setProperty("Text", QStringLiteral("changed")));
    document->querySubObject("Range()")->dynamicCall("SetText(const QString&)", "plain");
    QTest::ignoreMessage(QtWarningMsg,
                         "Word.Range: \"Text\" failed: the range is no longer in the document");
    QVERIFY(!range->setProperty("Text", QStringLiteral("again")));
    QVERIFY(document->dynamicCall("Close(Boolean)", false).isValid());
    QCOMPARE(readFile(m_path), before);
    QTest::ignoreMessage(QtWarningMsg, "Word.Range: \"Text\" failed: the document has been closed");
    QVERIFY(!range->property("Text").isValid());

    AutomationObject *reopened = open(word, m_path);
    QVERIFY(word.dynamicCall("Quit()").isValid());
    QTest::ignoreMessage(QtWarningMsg,
                         "Word.Document: \"Save()\" failed: the document has been closed");
    QVERIFY(!reopened->dynamicCall("Save()").isValid());
    QCOMPARE(readFile(m_path), before);
}

QTEST_MAIN(TestWordAutomation)
#include "tst_word_automation.moc"
