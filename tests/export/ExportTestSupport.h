#pragma once

// Helpers shared by the export tests: zip packages written and read back,
// the WordprocessingML of small test documents, a reader of the first table
// and bookmarks of a .docx, and a responder that answers the modal dialogs
// of an export.

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace exporttest {

inline const QString wNs =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

using Parts = QMap<QString, QByteArray>;

inline bool writeZip(const QString &path, const Parts &parts)
{
    QFile::remove(path);
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(it.key())))
            return false;
        file.write(it.value());
        file.close();
    }
    zip.close();
    return zip.getZipError() == ZIP_OK;
}

inline Parts readZip(const QString &path)
{
    Parts parts;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return parts;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        file.open(QIODevice::ReadOnly);
        parts.insert(zip.getCurrentFileName(), file.readAll());
    }
    return parts;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

inline QByteArray contentTypes(const QByteArray &extra = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>" +
           extra + "</Types>";
}

inline QByteArray packageRelationships(const QByteArray &target = "word/document.xml")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
           "2006/relationships/officeDocument\" Target=\"" +
           target + "\"/></Relationships>";
}

// A document.xml whose body is given, with the w prefix (or another prefix
// for the same namespace).
inline QByteArray wordDocument(const QByteArray &body, const QByteArray &prefix = "w")
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                     "<w:document xmlns:w=\"" +
                     wNs.toUtf8() +
                     "\" xmlns:w14=\"http://schemas.microsoft.com/office/word/2010/wordml\" "
                     "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
                     "mc:Ignorable=\"w14\"><w:body>" +
                     body + "</w:body></w:document>";
    if (prefix != "w")
        xml.replace("w:", prefix + ":").replace("xmlns:w=", "xmlns:" + prefix + "=");
    return xml;
}

inline bool writeDocx(const QString &path, const QByteArray &documentXml,
                      const Parts &extraParts = Parts())
{
    Parts parts = extraParts;
    parts.insert(QStringLiteral("[Content_Types].xml"), contentTypes());
    parts.insert(QStringLiteral("_rels/.rels"), packageRelationships());
    parts.insert(QStringLiteral("word/document.xml"), documentXml);
    return writeZip(path, parts);
}

inline QDomDocument documentXml(const QString &docxPath)
{
    QDomDocument document;
    document.setContent(readZip(docxPath).value(QStringLiteral("word/document.xml")), true);
    return document;
}

inline QString wordText(const QDomElement &element)
{
    QString text;
    const QDomNodeList texts = element.elementsByTagNameNS(wNs, QStringLiteral("t"));
    for (int i = 0; i < texts.size(); ++i)
        text += texts.at(i).toElement().text();
    return text;
}

inline QList<QDomElement> childElements(const QDomElement &parent, const QString &localName)
{
    QList<QDomElement> found;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.namespaceURI() == wNs && e.localName() == localName)
            found.append(e);
    }
    return found;
}

// Texts of the first table of a .docx, row by row.
inline QVector<QStringList> firstTableTexts(const QString &docxPath)
{
    QVector<QStringList> rows;
    const QDomElement table =
        documentXml(docxPath).elementsByTagNameNS(wNs, QStringLiteral("tbl")).at(0).toElement();
    for (const QDomElement &row : childElements(table, QStringLiteral("tr"))) {
        QStringList cells;
        for (const QDomElement &cell : childElements(row, QStringLiteral("tc")))
            cells.append(wordText(cell));
        rows.append(cells);
    }
    return rows;
}

inline const QString sheetNs =
    QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");

// A workbook with one worksheet (sheetData content given) and shared strings.
inline bool writeXlsx(const QString &path, const QByteArray &sheetData,
                      const QStringList &sharedStrings = QStringList(),
                      const Parts &extraParts = Parts())
{
    QByteArray strings = "<sst xmlns=\"" + sheetNs.toUtf8() + "\">";
    for (const QString &text : sharedStrings)
        strings += "<si><t>" + text.toHtmlEscaped().toUtf8() + "</t></si>";
    Parts parts = extraParts;
    parts.insert(QStringLiteral("[Content_Types].xml"), contentTypes());
    parts.insert(QStringLiteral("_rels/.rels"), packageRelationships("xl/workbook.xml"));
    if (!parts.contains(QStringLiteral("xl/workbook.xml")))
        parts.insert(QStringLiteral("xl/workbook.xml"),
                     "<workbook xmlns=\"" + sheetNs.toUtf8() +
                         "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                         "relationships\"><sheets><sheet name=\"S\" sheetId=\"1\" "
                         "r:id=\"rId1\"/></sheets></workbook>");
    if (!parts.contains(QStringLiteral("xl/_rels/workbook.xml.rels")))
        parts.insert(QStringLiteral("xl/_rels/workbook.xml.rels"),
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "relationships\"><Relationship Id=\"rId1\" Type=\"http://"
                     "schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
                     "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                     "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                     "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
    parts.insert(QStringLiteral("xl/sharedStrings.xml"), strings + "</sst>");
    parts.insert(QStringLiteral("xl/worksheets/sheet1.xml"),
                 "<worksheet xmlns=\"" + sheetNs.toUtf8() +
                     "\"><dimension ref=\"A1\"/>"
                     "<sheetData>" +
                     sheetData + "</sheetData></worksheet>");
    return writeZip(path, parts);
}

// Cells of the first sheet of a workbook by reference ("B3"): their text,
// from shared strings, inline strings or values.
inline QMap<QString, QString> sheetCells(const QString &path)
{
    const Parts parts = readZip(path);
    QDomDocument strings;
    strings.setContent(parts.value(QStringLiteral("xl/sharedStrings.xml")), true);
    const QDomNodeList items = strings.elementsByTagNameNS(sheetNs, QStringLiteral("si"));
    QDomDocument sheet;
    sheet.setContent(parts.value(QStringLiteral("xl/worksheets/sheet1.xml")), true);
    QMap<QString, QString> cells;
    const QDomNodeList found = sheet.elementsByTagNameNS(sheetNs, QStringLiteral("c"));
    for (int i = 0; i < found.size(); ++i) {
        const QDomElement cell = found.at(i).toElement();
        const QString type = cell.attribute(QStringLiteral("t"));
        QString text = cell.text();
        if (type == QLatin1String("s"))
            text = items.at(text.toInt()).toElement().text();
        cells.insert(cell.attribute(QStringLiteral("r")), text);
    }
    return cells;
}

inline QString applicationDir()
{
    return QCoreApplication::applicationDirPath();
}

// Copies the templates and samples of the build into the test program's own
// folder, where the export looks for them.
inline void installDocuments()
{
    const QString built = QString::fromLocal8Bit(qgetenv("RT58_BINARY_DIR"));
    for (const QString &folder : {QStringLiteral("doc"), QStringLiteral("samples")}) {
        QDir(applicationDir() + QLatin1Char('/') + folder).removeRecursively();
        QDir().mkpath(applicationDir() + QLatin1Char('/') + folder);
        const QDir source(built + QLatin1Char('/') + folder);
        for (const QString &name : source.entryList({"*.docx", "*.xlsx"}, QDir::Files))
            QFile::copy(source.filePath(name),
                        applicationDir() + QLatin1Char('/') + folder + QLatin1Char('/') + name);
    }
}

// Answers the modal dialogs that appear while it is alive: a save dialog
// with the given path (or cancels it when the path is empty), a question
// with Yes, any other message box with its default button. Records the
// texts of the message boxes.
class DialogResponder : public QObject
{
public:
    explicit DialogResponder(const QString &savePath = QString()) : m_savePath(savePath)
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogResponder::answer);
        m_timer.start(10);
    }

    const QStringList &messages() const { return m_messages; }
    int saveDialogs() const { return m_saveDialogs; }

private:
    // Answers are queued, so that a dialog opened by an answer (the question
    // whether to replace a file) is answered by a later tick of the timer.
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_answered)
            return;
        m_answered = modal;
        if (auto *dialog = qobject_cast<QFileDialog *>(modal))
            answerFileDialog(dialog);
        else if (auto *box = qobject_cast<QMessageBox *>(modal))
            answerMessageBox(box);
    }

    void answerFileDialog(QFileDialog *dialog)
    {
        ++m_saveDialogs;
        if (m_savePath.isEmpty()) {
            QTimer::singleShot(0, dialog, &QDialog::reject);
            return;
        }
        // The dialog keeps a focused file name field as typed, so the path is
        // typed into it rather than selected.
        if (auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            fileName->setText(m_savePath);
        QTimer::singleShot(0, dialog, &QDialog::accept);
    }

    void answerMessageBox(QMessageBox *box)
    {
        QAbstractButton *button = box->button(QMessageBox::Yes);
        if (!button) {
            m_messages.append(box->text());
            button = box->defaultButton();
        }
        if (button)
            QTimer::singleShot(0, button, &QAbstractButton::click);
        else
            QTimer::singleShot(0, box, &QDialog::accept);
    }

    QString m_savePath;
    QTimer m_timer;
    QPointer<QWidget> m_answered;
    QStringList m_messages;
    int m_saveDialogs = 0;
};

} // namespace exporttest
