// libFuzzer target of the Word report made from a mutated package. The
// first byte picks what the rest is: the whole file, or one of the parts
// that tie the package together in the built template.
#include "FuzzExport.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList parts{QString(), QStringLiteral("_rels/.rels"),
                                   QStringLiteral("word/_rels/document.xml.rels"),
                                   QStringLiteral("[Content_Types].xml")};
    if (size < 1)
        return 0;
    const QString &part = parts.at(data[0] % parts.size());
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));
    FuzzExport::runWordReport(
        part.isEmpty()
            ? bytes
            : FuzzExport::templateWith(QStringLiteral("ExportWordBookmark.docx"), part, bytes));
    return 0;
}
