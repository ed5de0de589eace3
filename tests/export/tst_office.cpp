#include "OfficeFiles.h"
#include "export/office/AutomationObject.h"

#include <QtTest>

// The Office layer on templates of the shapes that Office writers produce:
// what is not edited stays as written, runs split by the writer, bookmarks
// across runs and paragraphs, content controls, alternate content and
// tables with merged grid columns; and on damaged parts, which end in a
// failed call, never in a crash or a part written into nothing.

namespace {

using namespace OfficeFiles;

const QString wordTemplate = QStringLiteral("doc/ExportWordBookmark.docx");
const QString wNs = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString dateStart = QStringLiteral("<w:bookmarkStart w:id=\"0\" w:name=\"date\"/>");
const QString dateEnd = QStringLiteral("<w:bookmarkEnd w:id=\"0\"/>");
const QString datePlaceholder = QStringLiteral("<w:r><w:t>yyyy年MM月dd日 hh:mm:ss</w:t></w:r>");
const QString dateRange = dateStart + "\n      " + datePlaceholder + "\n      " + dateEnd;
// The start tag of a document element as Word writes it.
const QString wordRoot = QStringLiteral(
    "<w:document xmlns:wpc=\"http://schemas.microsoft.com/office/word/2010/wordprocessingCanvas\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
    "xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:v=\"urn:schemas-microsoft-com:vml\" "
    "xmlns:wp14=\"http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:w14=\"http://schemas.microsoft.com/office/word/2010/wordml\" "
    "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\" "
    "mc:Ignorable=\"w14 wp14\">");

// Word with one document open, reached through the automation layer as the
// Word report reaches it.
class WordSession
{
public:
    explicit WordSession(const QString &path)
        : m_word(QStringLiteral("Word.Application")),
          m_document(
              m_word.querySubObject("Documents")->querySubObject("Open(const QString&)", path))
    {}
    AutomationObject *document() const { return m_document; }
    AutomationObject *table() const
    {
        AutomationObject *tables = m_document->querySubObject("Tables");
        return tables ? tables->querySubObject("Item(int)", 1) : nullptr;
    }
    AutomationObject *bookmarkRange(const char *name) const
    {
        AutomationObject *bookmark = m_document->querySubObject("Bookmarks(QVariant)", name);
        return bookmark ? bookmark->querySubObject("Range") : nullptr;
    }
    bool setCell(int row, int column, const QString &value) const
    {
        AutomationObject *cell = table()->querySubObject("Cell(int, int)", row, column);
        AutomationObject *range = cell ? cell->querySubObject("Range") : nullptr;
        return range && range->dynamicCall("SetText(QString)", value).isValid();
    }
    bool save() const { return m_document->dynamicCall("Save()").isValid(); }

private:
    AutomationObject m_word;
    AutomationObject *m_document;
};

} // namespace

class TestOffice : public QObject
{
    Q_OBJECT

private:
    QString path() const { return QDir::current().filePath("document.docx"); }

private slots:
    void init() { QFile::remove(path()); }

    // Parts that are not edited stay byte for byte; in the edited part the
    // document element keeps every declaration and mc:Ignorable as written,
    // and whitespace-only text stays, in runs and between elements.
    void whatIsNotEditedStaysAsWritten()
    {
        QString document = documentWith({{"RT-58A 振动传感器校准报告</w:t></w:r>",
                                          "RT-58A 振动传感器校准报告</w:t></w:r><w:r><w:t "
                                          "xml:space=\"preserve\">   </w:t></w:r>"}});
        document.replace(QRegularExpression("<w:document[^>]*>"), wordRoot);
        const Parts parts = builtParts(
            wordTemplate, {{"word/document.xml", document.toUtf8()},
                           {"customXml/item1.xml", "<?xml version='1.0'?>\r\n<a  b = 'c' >\t</a>"},
                           {"docProps/app.xml", "<Properties>  <Pages>1</Pages>  </Properties>"}});
        write(path(), zip(parts));
        {
            WordSession word(path());
            QVERIFY(word.bookmarkRange("date")->setProperty("Text", "2024"));
            QVERIFY(word.setCell(2, 1, "1"));
            QVERIFY(word.save());
        }
        Parts written = unzip(path());
        const QString edited = QString::fromUtf8(written.take("word/document.xml"));
        Parts unchanged = parts;
        unchanged.remove("word/document.xml");
        QVERIFY(written == unchanged);
        QVERIFY(edited.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
        const auto rootToDate = [](const QString &xml) {
            const int root = xml.indexOf("<w:document");
            return xml.mid(root, xml.indexOf(dateStart) - root);
        };
        QVERIFY(rootToDate(edited).startsWith(wordRoot));
        QCOMPARE(rootToDate(edited), rootToDate(document));
        QVERIFY(edited.contains("<w:r><w:t xml:space=\"preserve\">   </w:t></w:r>"));
        QCOMPARE(paragraphTexts(path()).at(1), "报告日期：2024");
    }

    void splitRunsAndParagraphs_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::addColumn<QString>("newRun");
        const QString bold = "<w:rPr><w:b/></w:rPr>";
        const QString boldRun = "<w:r>" + bold + "<w:t>NEW</w:t></w:r>";
        const QString plainRun = "<w:r><w:t>NEW</w:t></w:r>";
        QTest::newRow("runs split by Word, with proofing marks")
            << dateStart + "<w:r w:rsidR=\"00A1\">" + bold +
                   "<w:t>yyyy</w:t></w:r><w:proofErr w:type=\"spellStart\"/><w:r w:rsidR=\"00B2\">"
                   "<w:t>年MM</w:t></w:r><w:proofErr "
                   "w:type=\"spellEnd\"/><w:r><w:t>月</w:t></w:r>" +
                   dateEnd
            << "yyyy年MM月" << QStringList{"报告日期：NEW", "测试结果"} << boldRun;
        QTest::newRow("end in a later paragraph")
            << dateStart + "<w:r>" + bold +
                   "<w:t>first</w:t></w:r></w:p><w:p><w:pPr>"
                   "<w:jc w:val=\"right\"/></w:pPr><w:r><w:t>middle</w:t></w:r></w:p><w:p><w:r>"
                   "<w:t>last</w:t></w:r>" +
                   dateEnd + "<w:r><w:t> kept</w:t></w:r>"
            << "first\rmiddle\rlast" << QStringList{"报告日期：NEW kept", "测试结果"} << boldRun;
        QTest::newRow("start holding its own end")
            << "<w:bookmarkStart w:id=\"0\" w:name=\"date\">" + dateEnd + "</w:bookmarkStart>" +
                   datePlaceholder
            << "" << QStringList{"报告日期：NEWyyyy年MM月dd日 hh:mm:ss", "测试结果"} << plainRun;
    }

    // A bookmark's text replaces what lies between its start and end, in the
    // formatting of the first run it replaces; paragraphs it joins are
    // merged. An end written inside the start makes an empty bookmark.
    void splitRunsAndParagraphs()
    {
        QFETCH(QString, range);
        QFETCH(QString, oldText);
        QFETCH(QStringList, paragraphs);
        QFETCH(QString, newRun);
        write(path(), wordTemplateWith(documentWith({{dateRange, range}})));
        {
            WordSession word(path());
            AutomationObject *date = word.bookmarkRange("date");
            QCOMPARE(date->property("Text").toString(), oldText);
            QVERIFY(date->setProperty("Text", "NEW"));
            QVERIFY(word.save());
        }
        QCOMPARE(paragraphTexts(path()).mid(1, 2), paragraphs);
        const QString xml = unzip(path()).value("word/document.xml");
        QVERIFY2(xml.contains(newRun), qPrintable(xml));
        QString complaint;
        QVERIFY2(!readReport(path(), &complaint).isEmpty(), qPrintable(complaint));
    }

    // Fitted to the window, a table spans the text width (A4, margins of an
    // inch: 9026 twips); a cell spanning grid columns gets their widths
    // together, and cells are counted as cells, not as grid columns.
    void mergedGridColumnsFitTheWindow()
    {
        QString document = wordDocument();
        document.replace("<w:gridCol w:w=\"1289\"/>", "<w:gridCol w:w=\"1000\"/>");
        document.replace("</w:tblGrid>", "<w:gridCol w:w=\"2000\"/></w:tblGrid>");
        const QString firstHeaderWidth = "<w:tcW w:w=\"1289\" w:type=\"dxa\"/>\n            <w:shd";
        document.replace(document.indexOf(firstHeaderWidth), firstHeaderWidth.size(),
                         "<w:gridSpan w:val=\"2\"/>\n            <w:shd");
        document.replace("<w:trPr><w:tblHeader/></w:trPr>",
                         "<w:trPr><w:tblHeader/><w:gridBefore w:val=\"-3\"/></w:trPr>");
        write(path(), wordTemplateWith(document));
        {
            WordSession word(path());
            QVERIFY(word.table()->dynamicCall("AutoFitBehavior(WdAutoFitBehavior)", 2).isValid());
            QVERIFY(word.setCell(1, 7, "last header cell"));
            QVERIFY(word.save());
        }
        QDomDocument xml = documentXml(path());
        const QDomNodeList rows = xml.elementsByTagNameNS(wNs, "tr");
        QCOMPARE(rows.size(), 2);
        for (int row = 0; row < rows.size(); ++row) {
            int total = 0;
            const QDomNodeList widths = rows.at(row).toElement().elementsByTagNameNS(wNs, "tcW");
            for (int i = 0; i < widths.size(); ++i)
                total += widths.at(i).toElement().attributeNS(wNs, "w").toInt();
            QVERIFY2(qAbs(total - (row == 0 ? 9026 : 9026 * 7 / 9)) <= 7,
                     qPrintable(QString::number(total)));
        }
        const QDomElement spanning =
            rows.at(0).toElement().elementsByTagNameNS(wNs, "tc").at(0).toElement();
        QCOMPARE(spanning.elementsByTagNameNS(wNs, "tcW").at(0).toElement().attributeNS(wNs, "w"),
                 QString::number(qRound(9026 * 2 / 9.0)));
        QCOMPARE(rowTexts(path()).at(0).last(), "last header cell");
    }

    // An object whose part of the document has been deleted fails every
    // call with a warning, instead of editing what no longer gets saved.
    void deletedPartsFailTheirObjects()
    {
        write(path(), wordTemplateWith(documentWith({{dateEnd + "\n", ""},
                                                     {"<w:bookmarkStart w:id=\"1\"",
                                                      dateEnd + "<w:bookmarkStart w:id=\"1\""}})));
        WordSession word(path());
        AutomationObject *table = word.table();
        AutomationObject *date = word.bookmarkRange("date");
        QVERIFY(date->setProperty("Text", "the table goes"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Word.Table: \"Cell\\(int, int\\)\" "
                                                              "failed: it is no longer in the "
                                                              "document"));
        QVERIFY(!table->querySubObject("Cell(int, int)", 1, 1));
        QVERIFY(word.save());
        QCOMPARE(rowTexts(path()).size(), 0);
    }

    void damagedDocumentsFailToOpen_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        QString deep = wordDocument();
        deep.replace("<w:body>", "<w:body>" + QString("<w:sdt><w:sdtContent>").repeated(3000));
        deep.replace("</w:body>", QString("</w:sdtContent></w:sdt>").repeated(3000) + "</w:body>");
        QTest::newRow("nested too deep") << wordTemplateWith(deep) << "nested deeper than 1000";
        QTest::newRow("not well formed")
            << wordTemplateWith(wordDocument().remove("</w:body>")) << "XML error at offset";
        QTest::newRow("another prefix")
            << wordTemplateWith(wordDocument().replace("w:", "x:").replace("xmlns:w=", "xmlns:x="))
            << "is not a word processing document";
        QByteArray huge = read(built(wordTemplate));
        for (int at = huge.indexOf("PK\x01\x02"); at >= 0;
             at = huge.indexOf("PK\x01\x02", at + 4)) {
            // The size that the central directory gives the document part:
            // 2 GiB.
            if (huge.mid(at + 46, 17) == "word/document.xml")
                huge.replace(at + 24, 4, QByteArray("\xff\xff\xff\x7f", 4));
        }
        QTest::newRow("part too large") << huge << "cannot read entry word/document.xml";
    }

    void damagedDocumentsFailToOpen()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        write(path(), file);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(reason)));
        AutomationObject word(QStringLiteral("Word.Application"));
        QVERIFY(!word.querySubObject("Documents")->querySubObject("Open(const QString&)", path()));
    }
};

QTEST_MAIN(TestOffice)
#include "tst_office.moc"
