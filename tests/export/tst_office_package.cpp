#include "ExportTestSupport.h"
#include "export/office/ooxml/OfficePackage.h"
#include "export/office/ooxml/OoxmlNamespaces.h"
#include "export/office/ooxml/XmlDocument.h"

#include <QXmlStreamReader>
#include <QtTest>

using namespace exporttest;

class TestOfficePackage : public QObject
{
    Q_OBJECT

private slots:
    void xmlIsWrittenBackAsRead();
    void newElementsUseTheDeclaredPrefixes();
    void charactersXmlCannotCarryAreDropped();
    void unchangedPartsKeepTheirBytesAndOrder();
    void relationshipTargetsAndIds();
    void damagedArchivesAreRefused();
    void failedSaveLeavesTheExistingFile();
};

void TestOfficePackage::xmlIsWrittenBackAsRead()
{
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<w:document xmlns:w=\"urn:w\" xmlns:w14=\"urn:w14\" xmlns:mc=\"urn:mc\" "
        "mc:Ignorable=\"w14\"><!-- kept --><?app data?><w:body>\n  <w:p><w:r><w:t "
        "xml:space=\"preserve\"> </w:t></w:r><w:r><w:t>a &amp; b &lt; c &gt; \"d\"</w:t></w:r>"
        "</w:p><x:extra xmlns:x=\"urn:x\" x:a=\"1 &amp; 2\"/></w:body></w:document>";
    XmlDocument document;
    QString error;
    QVERIFY2(document.parse(xml, &error), qPrintable(error));
    QCOMPARE(document.serialize().trimmed(), xml);

    XmlDocument withoutDeclaration;
    QVERIFY(withoutDeclaration.parse("<a xmlns=\"urn:a\"><b/></a>", &error));
    QCOMPARE(withoutDeclaration.serialize().trimmed(), QByteArray("<a xmlns=\"urn:a\"><b/></a>"));
    QVERIFY(!withoutDeclaration.parse("<a><b></a>", &error));
    QVERIFY(error.contains(QLatin1String("line 1")));
}

void TestOfficePackage::newElementsUseTheDeclaredPrefixes()
{
    XmlDocument prefixed;
    QString error;
    QVERIFY(prefixed.parse("<ns0:document xmlns:ns0=\"" + wNs.toUtf8() + "\"/>", &error));
    auto paragraph = prefixed.createElement(Ooxml::wordNs, QStringLiteral("p"));
    paragraph->setAttribute(prefixed.makeAttribute(Ooxml::wordNs, QStringLiteral("rsid"), "1"));
    QCOMPARE(paragraph->qualifiedName(), QStringLiteral("ns0:p"));
    QCOMPARE(paragraph->attributes().first().qualifiedName, QStringLiteral("ns0:rsid"));

    XmlDocument unprefixed;
    QVERIFY(unprefixed.parse("<document xmlns=\"" + wNs.toUtf8() + "\"/>", &error));
    auto run = unprefixed.createElement(Ooxml::wordNs, QStringLiteral("r"));
    run->setAttribute(unprefixed.makeAttribute(Ooxml::wordNs, QStringLiteral("rsid"), "1"));
    auto inline_ = unprefixed.createElement(Ooxml::wordDrawingNs, QStringLiteral("inline"));
    QCOMPARE(run->qualifiedName(), QStringLiteral("r"));
    QCOMPARE(run->attributes().first().qualifiedName, QStringLiteral("w:rsid"));
    QCOMPARE(inline_->qualifiedName(), QStringLiteral("wp:inline"));
    unprefixed.root()->appendChild(std::move(run));
    unprefixed.root()->appendChild(std::move(inline_));

    QDomDocument written;
    QVERIFY(written.setContent(unprefixed.serialize(), true));
    const QDomElement writtenRun = written.documentElement().firstChildElement();
    QCOMPARE(writtenRun.namespaceURI(), wNs);
    QCOMPARE(writtenRun.attributeNS(wNs, QStringLiteral("rsid")), QStringLiteral("1"));
    QCOMPARE(writtenRun.nextSiblingElement().namespaceURI(), Ooxml::wordDrawingNs);
}

void TestOfficePackage::charactersXmlCannotCarryAreDropped()
{
    XmlDocument document;
    QString error;
    QVERIFY(document.parse("<a/>", &error));
    document.root()->appendChild(
        XmlNode::makeText(QStringLiteral("x\x01y\x0Bz\tq") + QChar(0xD800) + QStringLiteral("😀")));
    document.root()->setAttribute(
        {QStringLiteral("v"), QString(), QStringLiteral("v"), QStringLiteral("\x02ok")});
    QXmlStreamReader reader(document.serialize());
    QString text;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::Characters)
            text += reader.text();
        if (reader.isStartElement())
            QCOMPARE(reader.attributes().value(QStringLiteral("v")).toString(),
                     QStringLiteral("ok"));
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(text, QStringLiteral("xyz\tq😀"));
}

void TestOfficePackage::unchangedPartsKeepTheirBytesAndOrder()
{
    const QString path = QStringLiteral("package.zip");
    const QByteArray binary("\x89PNG\r\n\x1a\n\x00\xff", 10);
    QVERIFY(writeZip(path, {{QStringLiteral("[Content_Types].xml"), contentTypes()},
                            {QStringLiteral("a/unknown.bin"), binary},
                            {QStringLiteral("z/odd name.xml"), "<x  a = 'single' />"}}));
    OfficePackage package;
    QString error;
    QVERIFY2(package.load(path, &error), qPrintable(error));
    package.ensureDefaultContentType(QStringLiteral("png"), QStringLiteral("image/png"));
    package.ensureDefaultContentType(QStringLiteral("PNG"), QStringLiteral("image/png"));
    package.setPart(QStringLiteral("new/part.xml"), "<new/>");
    QVERIFY(package.save(path, &error));

    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdUnzip));
    QCOMPARE(zip.getFileNameList(), (QStringList{"[Content_Types].xml", "a/unknown.bin",
                                                 "z/odd name.xml", "new/part.xml"}));
    const Parts parts = readZip(path);
    QCOMPARE(parts.value(QStringLiteral("a/unknown.bin")), binary);
    QCOMPARE(parts.value(QStringLiteral("z/odd name.xml")), QByteArray("<x  a = 'single' />"));
    QCOMPARE(parts.value(QStringLiteral("[Content_Types].xml")).count("Extension=\"png\""), 1);
    QVERIFY(package.contains(QStringLiteral("A/UNKNOWN.BIN")));
}

void TestOfficePackage::relationshipTargetsAndIds()
{
    OfficePackage package;
    package.setPart(QStringLiteral("xl/_rels/workbook.xml.rels"),
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                    "relationships\"><Relationship Id=\"rId2\" Type=\"t\" "
                    "Target=\"worksheets/sheet%201.xml\"/><Relationship Id=\"rId1\" Type=\"u\" "
                    "Target=\"/docProps/app.xml\"/><Relationship Id=\"rId7\" Type=\"v\" "
                    "Target=\"../customXml/item1.xml\"/><Relationship Id=\"rId3\" Type=\"w\" "
                    "Target=\"https://example.invalid/x\" TargetMode=\"External\"/>"
                    "</Relationships>");
    const QString source = QStringLiteral("xl/workbook.xml");
    QCOMPARE(package.relatedPart(source, QStringLiteral("t")),
             QStringLiteral("xl/worksheets/sheet 1.xml"));
    QCOMPARE(package.relatedPart(source, QStringLiteral("u")), QStringLiteral("docProps/app.xml"));
    QCOMPARE(package.relatedPart(source, QStringLiteral("v")),
             QStringLiteral("customXml/item1.xml"));
    QCOMPARE(package.relatedPart(source, QStringLiteral("w")), QString());
    QCOMPARE(package.addRelationship(source, QStringLiteral("x"), QStringLiteral("xl/media/a.png")),
             QStringLiteral("rId5"));
    QCOMPARE(package.addRelationship(source, QStringLiteral("x"), QStringLiteral("docProps/b.png")),
             QStringLiteral("rId6"));
    const QVector<OfficePackage::Relationship> relationships = package.relationships(source);
    QCOMPARE(relationships.size(), 6);
    QCOMPARE(relationships.at(5).target, QStringLiteral("docProps/b.png"));
    QVERIFY(package.part(QStringLiteral("xl/_rels/workbook.xml.rels"))
                .contains("Target=\"/docProps/b.png\""));
    package.removeRelationships(source, QStringLiteral("x"));
    QCOMPARE(package.relationships(source).size(), 4);
}

void TestOfficePackage::damagedArchivesAreRefused()
{
    QVERIFY(
        writeZip(QStringLiteral("whole.zip"), {{QStringLiteral("a.xml"), QByteArray(5000, 'a')}}));
    writeFile(QStringLiteral("cut.zip"), readFile(QStringLiteral("whole.zip")).left(60));
    writeFile(QStringLiteral("text.zip"), "just text");
    OfficePackage package;
    QString error;
    for (const QString &path :
         {QStringLiteral("cut.zip"), QStringLiteral("text.zip"), QStringLiteral("missing.zip")}) {
        QVERIFY2(!package.load(path, &error), qPrintable(path));
        QVERIFY(!error.isEmpty());
    }
}

void TestOfficePackage::failedSaveLeavesTheExistingFile()
{
    OfficePackage package;
    package.setPart(QStringLiteral("[Content_Types].xml"), contentTypes());
    QString error;
    QVERIFY(!package.save(QStringLiteral("/proc/rt58-package.zip"), &error));
    QVERIFY(error.contains(QLatin1String("/proc/rt58-package.zip")));
    QVERIFY(!package.save(QStringLiteral("no-such-folder/package.zip"), &error));

    writeFile(QStringLiteral("existing.zip"), "old content");
    QVERIFY(package.save(QStringLiteral("existing.zip"), &error));
    QCOMPARE(readZip(QStringLiteral("existing.zip")).keys(), QStringList{"[Content_Types].xml"});
    QCOMPARE(QDir().entryList({QStringLiteral("existing.zip*")}, QDir::Files).size(), 1);
}

QTEST_MAIN(TestOfficePackage)
#include "tst_office_package.moc"
