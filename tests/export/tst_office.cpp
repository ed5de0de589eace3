#include "OfficeFiles.h"
#include "export/office/AutomationObject.h"

#include <QJsonArray>
#include <QtTest>

// The Office layer on damaged documents: a part deleted by an edit fails its
// objects, and a damaged part ends in a failed open, never in a crash or a
// part written into nothing. Templates of the shapes that Office writers
// produce are tried through the Word report, from the fuzz seed corpus.

namespace {

using namespace OfficeFiles;

const QString wordTemplate = QStringLiteral("doc/ExportWordBookmark.docx");
const QString dateEnd = QStringLiteral("<w:bookmarkEnd w:id=\"0\"/>");
} // namespace

class TestOffice : public QObject
{
    Q_OBJECT

private:
    QString path() const { return QDir::current().filePath("document.docx"); }

private slots:
    void init() { QFile::remove(path()); }

    // An object whose part of the document has been deleted fails every
    // call with a warning, instead of editing what no longer gets saved.
    void deletedPartsFailTheirObjects()
    {
        write(path(), wordTemplateWith(documentWith({{dateEnd + "\n", ""},
                                                     {"<w:bookmarkStart w:id=\"1\"",
                                                      dateEnd + "<w:bookmarkStart w:id=\"1\""}})));
        AutomationObject word(QStringLiteral("Word.Application"));
        AutomationObject *document =
            word.querySubObject("Documents")->querySubObject("Open(const QString&)", path());
        AutomationObject *table =
            document->querySubObject("Tables")->querySubObject("Item(int)", 1);
        AutomationObject *date =
            document->querySubObject("Bookmarks(QVariant)", "date")->querySubObject("Range");
        QVERIFY(date->setProperty("Text", "the table goes"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Word.Table: \"Cell\\(int, int\\)\" "
                                                              "failed: it is no longer in the "
                                                              "document"));
        QVERIFY(!table->querySubObject("Cell(int, int)", 1, 1));
        QVERIFY(document->dynamicCall("Save()").isValid());
        QString complaint;
        QCOMPARE(readReport(path(), &complaint).value("tables").toArray().size(), 0);
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
