#pragma once

#include <QString>

// CSV fields as spreadsheet programs read them (RFC 4180): a field that holds
// a comma, a quote or a line break is quoted, its quotes doubled; every other
// field stays as it is.
class CsvField
{
public:
    static QString quoted(const QString &text);
};
