#pragma once

#include <QByteArray>
#include <QString>

// Writes whole files so that each is complete or not there at all: the bytes
// go to a temporary file beside the target, every write, the flush and the
// rename are checked, and only then does the file take the target's name, so
// that a failure leaves an earlier file of that name as it was. A target
// that exists but is not a regular file (a device, a pipe, a folder) is
// refused rather than replaced.
class AtomicFile
{
public:
    AtomicFile() = delete;

    // On failure, error says why.
    static bool write(const QString &path, const QByteArray &contents, QString *error);
};
