#include "OfficeFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace OfficeFiles {

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

Parts unzip(const QString &path)
{
    Parts parts;
    QuaZip archive(path);
    if (!archive.open(QuaZip::mdUnzip))
        return parts;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFile file(&archive);
        file.open(QIODevice::ReadOnly);
        parts.insert(archive.getCurrentFileName(), file.readAll());
    }
    return parts;
}

QByteArray zip(const Parts &parts)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("package.zip"));
    QuaZip archive(path);
    archive.open(QuaZip::mdCreate);
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        QuaZipFile file(&archive);
        if (!it.value().isEmpty() && file.open(QIODevice::WriteOnly, QuaZipNewInfo(it.key())))
            file.write(it.value());
    }
    archive.close();
    return read(path);
}

QString built(const QString &name)
{
    return QString::fromLocal8Bit(qgetenv("RT58_BINARY_DIR")) + QLatin1Char('/') + name;
}

Parts builtParts(const QString &name, const Parts &replaced)
{
    Parts parts = unzip(built(name));
    parts.insert(replaced);
    return parts;
}

QString wordDocument()
{
    return QString::fromUtf8(
        builtParts(QStringLiteral("doc/ExportWordBookmark.docx")).value("word/document.xml"));
}

QString documentWith(const QList<QPair<QString, QString>> &replacements)
{
    QString document = wordDocument();
    for (const auto &replacement : replacements) {
        if (!document.contains(replacement.first))
            qFatal("the template has no \"%s\"", qPrintable(replacement.first));
        document.replace(replacement.first, replacement.second);
    }
    return document;
}

QByteArray wordTemplateWith(const QString &document)
{
    return zip(builtParts(QStringLiteral("doc/ExportWordBookmark.docx"),
                          {{QStringLiteral("word/document.xml"), document.toUtf8()}}));
}

QJsonObject readReport(const QString &path, QString *complaint)
{
    const QString script =
        QString::fromLocal8Bit(qgetenv("RT58_SOURCE_DIR")) + "/tests/export/report_reader.py";
    QProcess reader;
    // Debian's interpreter, which the python3-docx and python3-openpyxl
    // packages serve.
    reader.start(QStringLiteral("/usr/bin/python3"), {script, path});
    reader.waitForFinished(60000);
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        *complaint = QString::fromUtf8(reader.readAllStandardError()).trimmed();
        if (complaint->isEmpty())
            *complaint = QStringLiteral("the reader did not run: ") + reader.errorString();
        return QJsonObject();
    }
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

} // namespace OfficeFiles
