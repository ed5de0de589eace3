// Packs a folder of Office Open XML parts into a .docx or .xlsx file:
//   rt58-office-packer <parts folder> <output file>
// "[Content_Types].xml" comes first, the other parts follow by name, and every
// entry carries the same fixed time, so the same sources give the same file.

#include "export/AtomicFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace {

const QString contentTypesPart = QStringLiteral("[Content_Types].xml");

QStringList partNames(const QDir &folder)
{
    QStringList names;
    QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(folder.relativeFilePath(it.next()));
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        if ((a == contentTypesPart) != (b == contentTypesPart))
            return a == contentTypesPart;
        return a < b;
    });
    return names;
}

bool addPart(QuaZip &zip, const QDir &folder, const QString &name)
{
    QFile source(folder.filePath(name));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QuaZipNewInfo info(name);
    info.dateTime = QDateTime(QDate(2024, 1, 1), QTime(0, 0));
    info.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::WriteOnly, info))
        return false;
    const QByteArray data = source.readAll();
    const bool written = entry.write(data) == data.size();
    entry.close();
    return written && entry.getZipError() == ZIP_OK;
}

// Zips into memory and writes the file whole, so that a full disk leaves no
// half-written template behind.
bool pack(const QDir &folder, const QString &outputPath)
{
    const QStringList names = partNames(folder);
    if (!names.contains(contentTypesPart))
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool written = true;
    for (const QString &name : names)
        written = written && addPart(zip, folder, name);
    zip.close();
    QString error;
    return written && zip.getZipError() == ZIP_OK &&
           QDir().mkpath(QFileInfo(outputPath).absolutePath()) &&
           AtomicFile::write(outputPath, bytes, &error);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream errors(stderr);
    if (arguments.size() != 3) {
        errors << "usage: rt58-office-packer <parts folder> <output file>\n";
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() || !pack(folder, arguments.at(2))) {
        errors << "cannot pack " << arguments.at(1) << " into " << arguments.at(2) << '\n';
        return 1;
    }
    return 0;
}
