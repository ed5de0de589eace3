#pragma once

#include <QByteArray>
#include <QString>

// CSV fields as spreadsheet programs read them (RFC 4180): a field that holds
// a comma, a quote or a line break is quoted, its quotes doubled; every other
// field stays as it is. Files of such fields start with the UTF-8 byte order
// mark.
class CsvField
{
public:
    static QString quoted(const QString &text);
    // Written first, so that spreadsheet programs read the file as UTF-8.
    static const QByteArray byteOrderMark;
};
