#include "app/CsvField.h"

const QByteArray CsvField::byteOrderMark("\xEF\xBB\xBF");

namespace {
bool needsQuotes(const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            return true;
    }
    return false;
}
} // namespace

QString CsvField::quoted(const QString &text)
{
    if (!needsQuotes(text))
        return text;
    QString field = text;
    field.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}
