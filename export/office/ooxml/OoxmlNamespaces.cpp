#include "export/office/ooxml/OoxmlNamespaces.h"

#include <QHash>

QString Ooxml::preferredPrefix(const QString &namespaceUri)
{
    static const QHash<QString, QString> prefixes{
        {wordNs, QStringLiteral("w")},           {word2010Ns, QStringLiteral("w14")},
        {wordDrawingNs, QStringLiteral("wp")},   {drawingNs, QStringLiteral("a")},
        {pictureNs, QStringLiteral("pic")},      {relationshipsNs, QStringLiteral("r")},
        {compatibilityNs, QStringLiteral("mc")}, {sheetNs, QStringLiteral("x")},
    };
    return prefixes.value(namespaceUri, QStringLiteral("ns"));
}
