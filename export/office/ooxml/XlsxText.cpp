#include "export/office/ooxml/XlsxText.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Text of a string item: its t element, or the t elements of its runs.
QString rawItemText(pugi::xml_node item)
{
    QString text = QString::fromUtf8(item.child("t").text().get());
    for (pugi::xml_node run = item.child("r"); run; run = run.next_sibling("r"))
        text += QString::fromUtf8(run.child("t").text().get());
    return text;
}

bool needsEscape(QChar c)
{
    return c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n');
}

} // namespace

QString XlsxText::itemText(pugi::xml_node item)
{
    return decodeEscapes(rawItemText(item));
}

QString XlsxText::decodeEscapes(const QString &text)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString decoded;
    int from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        decoded += text.midRef(from, match.capturedStart() - from);
        decoded += QChar(match.capturedRef(1).toUShort(nullptr, 16));
        from = match.capturedEnd();
    }
    return decoded + text.midRef(from);
}

QString XlsxText::encodeEscapes(const QString &text)
{
    static const QRegularExpression literalEscape(QStringLiteral("_(x[0-9A-Fa-f]{4}_)"));
    const bool literal = text.contains(QLatin1String("_x"));
    if (!literal && std::none_of(text.cbegin(), text.cend(), needsEscape))
        return text;
    QString escaped = text;
    if (literal)
        escaped.replace(literalEscape, QStringLiteral("_x005F_\\1"));
    QString result;
    for (const QChar c : qAsConst(escaped)) {
        if (needsEscape(c))
            result += QStringLiteral("_x%1_").arg(
                QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        else
            result += c;
    }
    return result;
}
