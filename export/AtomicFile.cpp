#include "export/AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>

bool AtomicFile::write(const QString &path, const QByteArray &contents, QString *error)
{
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile()) {
        *error = QStringLiteral("%1 is not a regular file").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot create %1: %2").arg(path, file.errorString());
        return false;
    }
    // A full disk may take part of a write without an error; the flush
    // writes the last buffered bytes, whose failure commit would not report.
    // The temporary file goes with the QSaveFile when it is not committed.
    const qint64 written = file.write(contents);
    if (written != contents.size()) {
        *error = QStringLiteral("cannot write %1: %2 of %3 bytes written")
                     .arg(path)
                     .arg(written)
                     .arg(contents.size());
        return false;
    }
    if (!file.flush() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
